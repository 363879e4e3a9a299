// The subcommands of milianfang-cli. Each returns the process exit code.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

#include "web/request_records.h"

namespace mlf {

// Exit codes: 0 done, 1 the operation failed, 2 a usage error or an unreadable file.
enum ExitCode : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

void AddExtractCommand(CLI::App& app, int& exitCode);
void AddMatchCommand(CLI::App& app, int& exitCode);
void AddFetchCommand(CLI::App& app, int& exitCode);
void AddSearchCommand(CLI::App& app, int& exitCode);

// Whether a web request failed: a numbered failure message, or no response headers at
// all. Says so in one line on stderr.
bool ReportFetchFailure(const ResponseOutputs& outputs);

// The file's bytes, or nothing with a one-line message on stderr.
bool ReadInputFile(const std::string& path, std::string& bytes);

}  // namespace mlf
