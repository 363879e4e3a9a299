// Time of turning a result page into rows: the entry pattern run (conversion to UTF-16
// included) and every row read back into GBK, beside the same extraction with
// std::regex (ECMAScript) over the same text.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <regex>
#include <string>

#include "result_page_generator.h"
#include "scrape/result_extraction.h"

namespace mlf {
namespace {

struct Page {
  std::string name;
  Text text;
};

void ExtractRows(benchmark::State& state, const Page& page) {
  PatternMatcher matcher;
  for (auto _ : state) {
    int n = MatchResultRows(matcher, page.text);
    for (int i = 1; i <= n; ++i) benchmark::DoNotOptimize(ResultRowAt(matcher, i));
    if (n == 0) state.SkipWithError("no rows");
  }
  state.SetBytesProcessed(state.iterations() * page.text.size());
}

std::regex EntryRegex() {
  return std::regex(ResultRowPattern().bytes(), std::regex::ECMAScript | std::regex::icase);
}

int StdRegexRows(const std::regex& entry, const std::string& page) {
  int rows = 0;
  for (std::sregex_iterator it(page.begin(), page.end(), entry), end; it != end; ++it) {
    for (int g = 5; g >= 1; --g) benchmark::DoNotOptimize((*it)[g].str());
    ++rows;
  }
  return rows;
}

// std::regex recurses per character of a lazy gap and can overflow the stack on long
// pages; try it in a child process first.
bool StdRegexSurvives(const Text& page) {
  std::fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    StdRegexRows(EntryRegex(), page.bytes());
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void ExtractRowsStdRegex(benchmark::State& state, const Page& page) {
  std::regex entry = EntryRegex();
  for (auto _ : state) {
    if (StdRegexRows(entry, page.text.bytes()) == 0) state.SkipWithError("no rows");
  }
  state.SetBytesProcessed(state.iterations() * page.text.size());
}

// Records each run's time so that main can print the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (!run.error_occurred) seconds_[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  const std::map<std::string, double>& times() const { return seconds_; }

 private:
  std::map<std::string, double> seconds_;
};

}  // namespace
}  // namespace mlf

int main(int argc, char** argv) {
  using namespace mlf;
  benchmark::Initialize(&argc, argv);
  // A typical page of about 200 KB with 20 entries, a long one with 1,000 entries, then
  // smaller pages for std::regex, which may not manage the large ones.
  std::vector<Page> pages = {{"typical_20_entries", GenerateResultPage(20, 9600)},
                             {"long_1000_entries", GenerateResultPage(1000, 1200)}};
  for (std::size_t filler : {4800u, 2400u, 1200u, 600u, 300u, 100u}) {
    pages.push_back({"small_20_entries_" + std::to_string(filler), GenerateResultPage(20, filler)});
  }
  for (const Page& page : pages)
    std::printf("%s: %zu bytes\n", page.name.c_str(), page.text.size());

  std::vector<std::pair<std::string, std::string>> pairs;  // ours, std::regex
  for (std::size_t i = 0; i < pages.size(); ++i) {
    const Page& page = pages[i];
    std::string ours = "pcre2_jit/" + page.name, theirs = "std_regex/" + page.name;
    if (i < 2)
      benchmark::RegisterBenchmark(ours.c_str(), ExtractRows, page)->Unit(benchmark::kMicrosecond);
    if (!pairs.empty() && i >= 2) break;  // std::regex already ran on a larger page
    if (!StdRegexSurvives(page.text)) {
      std::printf("std::regex cannot run %s (%zu bytes): it overflows the stack\n",
                  page.name.c_str(), page.text.size());
      continue;
    }
    if (i >= 2)
      benchmark::RegisterBenchmark(ours.c_str(), ExtractRows, page)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark(theirs.c_str(), ExtractRowsStdRegex, page)
        ->Unit(benchmark::kMicrosecond);
    pairs.emplace_back(ours, theirs);
  }

  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  for (const auto& [ours, theirs] : pairs) {
    auto a = reporter.times().find(ours), b = reporter.times().find(theirs);
    if (a != reporter.times().end() && b != reporter.times().end()) {
      std::printf("%s is %.1f times as fast as %s\n", ours.c_str(), b->second / a->second,
                  theirs.c_str());
    }
  }
  benchmark::Shutdown();
  return 0;
}
