// The regular-expression engine behind PatternMatcher: compiles a pattern already in the
// engine's own syntax (see pattern_dialect.h) and runs it over UTF-16 subjects.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace mlf {

// Every match of one run, in subject order, with the spans of its groups. Offsets are
// UTF-16 code units; an unset group has the span (-1, -1).
class MatchList {
 public:
  explicit MatchList(int groupCount) : groups_(groupCount) {}

  std::size_t Count() const { return spans_.size() / Stride(); }
  int GroupCount() const { return groups_; }
  // group 0 is the whole match.
  std::int32_t Begin(std::size_t match, int group) const { return spans_[At(match, group)]; }
  std::int32_t End(std::size_t match, int group) const { return spans_[At(match, group) + 1]; }
  bool IsSet(std::size_t match, int group) const { return Begin(match, group) >= 0; }

  void Append(const std::int32_t* spans) { spans_.insert(spans_.end(), spans, spans + Stride()); }

 private:
  std::size_t Stride() const { return 2 * (static_cast<std::size_t>(groups_) + 1); }
  std::size_t At(std::size_t match, int group) const {
    return match * Stride() + 2 * static_cast<std::size_t>(group);
  }

  int groups_;
  std::vector<std::int32_t> spans_;
};

class RegexEngine {
 public:
  struct Settings {
    bool ignoreCase = true;
    bool multiline = true;  // only decides how `$` reads when the pattern has no rewrite
  };

  // Null when the engine refuses the pattern.
  static std::unique_ptr<RegexEngine> Compile(std::u16string_view enginePattern, Settings settings);
  ~RegexEngine();
  RegexEngine(const RegexEngine&) = delete;
  RegexEngine& operator=(const RegexEngine&) = delete;

  int GroupCount() const;

  // The first match, or every match when `global` (after an empty match the next search
  // starts one code unit further on). Empty when a search ran past the engine's limits:
  // a run that would take too long counts as a refused pattern, never as a hang.
  std::optional<MatchList> FindAll(std::u16string_view subject, bool global) const;

 private:
  struct Handles;
  explicit RegexEngine(std::unique_ptr<Handles> handles);
  std::unique_ptr<Handles> handles_;
};

}  // namespace mlf
