// The subcommands of milianfang-cli. Each returns the process exit code.
#pragma once

#include <string>

#include <CLI/CLI.hpp>

namespace mlf {

// Exit codes: 0 done, 1 the operation failed, 2 a usage error or an unreadable file.
enum ExitCode : int { kExitOk = 0, kExitFailed = 1, kExitUsage = 2 };

void AddExtractCommand(CLI::App& app, int& exitCode);
void AddMatchCommand(CLI::App& app, int& exitCode);
void AddFetchCommand(CLI::App& app, int& exitCode);
void AddSearchCommand(CLI::App& app, int& exitCode);

// The file's bytes, or nothing with a one-line message on stderr.
bool ReadInputFile(const std::string& path, std::string& bytes);

}  // namespace mlf
