// milianfang-cli: the program's core from the command line. Arguments arrive as UTF-8;
// everything printed is UTF-8.
#include <iostream>

#include "cli/commands.h"

int main(int argc, char** argv) {
  CLI::App app{"觅链坊 from the command line", "milianfang-cli"};
  app.require_subcommand(1);
  int exit_code = mlf::kExitOk;
  mlf::AddExtractCommand(app, exit_code);
  mlf::AddMatchCommand(app, exit_code);
  mlf::AddFetchCommand(app, exit_code);
  mlf::AddSearchCommand(app, exit_code);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& e) {
    return app.exit(e);
  } catch (const CLI::ParseError& e) {
    std::cerr << "milianfang-cli: " << e.what() << " (see --help)\n";
    return mlf::kExitUsage;
  }
  return exit_code;
}
