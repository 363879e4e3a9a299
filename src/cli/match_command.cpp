// milianfang-cli match [options] PATTERN FILE: one pattern run over a file, every match
// with its groups. For finding the new entry pattern when the site changes its layout.
#include <iostream>
#include <optional>

#include "cli/commands.h"
#include "cli/row_output.h"
#include "pattern/pattern_matcher.h"
#include "text/code_page.h"

namespace mlf {

namespace {

struct MatchArgs {
  bool caseSensitive = false, noMultiline = false, noGlobal = false, quotePlaceholders = false;
  bool positions = false, json = false;
  std::string pattern, file;
};

// A flag the user left out stays omitted, so that the matcher's own defaults apply.
std::optional<bool> GivenAs(bool given, bool value) {
  return given ? std::optional<bool>(value) : std::nullopt;
}

nlohmann::ordered_json PartJson(const Text& text, std::optional<int> position) {
  nlohmann::ordered_json part = {{"text", TextToUtf8(text)}};
  if (position) part["position"] = *position;
  return part;
}

int RunMatch(const MatchArgs& args) {
  std::string bytes;
  if (!ReadInputFile(args.file, bytes)) return kExitUsage;
  PatternMatcher matcher;
  bool created =
      matcher.Create(TextFromUtf8(args.pattern), Text::FromBytes(bytes),
                     GivenAs(args.caseSensitive, true), GivenAs(args.noMultiline, false),
                     GivenAs(args.noGlobal, false), GivenAs(args.quotePlaceholders, true));
  const int count = matcher.MatchCount();
  const int groups = matcher.SubmatchCount();

  nlohmann::ordered_json matches = nlohmann::ordered_json::array();
  for (int i = 1; i <= count; ++i) {
    int position = 0;
    int* wanted = args.positions ? &position : nullptr;
    Text text = matcher.MatchText(i, wanted);
    nlohmann::ordered_json match =
        PartJson(text, args.positions ? std::optional(position) : std::nullopt);
    match["groups"] = nlohmann::ordered_json::array();
    for (int g = 1; g <= groups; ++g) {
      Text group = matcher.SubmatchText(i, g, wanted);
      match["groups"].push_back(
          PartJson(group, args.positions ? std::optional(position) : std::nullopt));
    }
    matches.push_back(std::move(match));
  }

  if (args.json) {
    PrintJson(
        std::cout,
        {{"created", created}, {"count", count}, {"groupCount", groups}, {"matches", matches}});
    return kExitOk;
  }
  std::cout << (created ? "" : "pattern refused\n") << count << " match(es), " << groups
            << " group(s)\n";
  auto line = [&](const nlohmann::ordered_json& part, const std::string& label) {
    std::cout << label;
    if (part.contains("position")) std::cout << " @" << part["position"].get<int>();
    std::cout << ": " << part["text"].get<std::string>() << '\n';
  };
  for (std::size_t i = 0; i < matches.size(); ++i) {
    line(matches[i], "[" + std::to_string(i + 1) + "]");
    const auto& group_list = matches[i]["groups"];
    for (std::size_t g = 0; g < group_list.size(); ++g) {
      line(group_list[g], "  $" + std::to_string(g + 1));
    }
  }
  return kExitOk;
}

}  // namespace

void AddMatchCommand(CLI::App& app, int& exitCode) {
  auto args = std::make_shared<MatchArgs>();
  CLI::App* cmd = app.add_subcommand("match", "Run one pattern over a file and list the matches");
  cmd->add_flag("--case-sensitive", args->caseSensitive, "Letter case counts");
  cmd->add_flag("--no-multiline", args->noMultiline, "^ and $ only at the start and end");
  cmd->add_flag("--no-global", args->noGlobal, "The first match only");
  cmd->add_flag("--quote-placeholders", args->quotePlaceholders, "#引号 stands for a double quote");
  cmd->add_flag("--positions", args->positions, "Byte offsets of matches and groups");
  cmd->add_flag("--json", args->json, "Print JSON");
  cmd->add_option("PATTERN", args->pattern, "The pattern")->required();
  cmd->add_option("FILE", args->file, "The subject file (GBK)")->required();
  cmd->callback([args, &exitCode] { exitCode = RunMatch(*args); });
}

}  // namespace mlf
