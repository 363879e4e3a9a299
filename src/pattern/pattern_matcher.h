// One pattern run per Create, then questions about its matches and groups by 1-based
// numbers. Everything refers to the last Create; nothing fails loudly: a refused pattern
// or a question out of range gives false, 0 or the empty text.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "pattern/regex_engine.h"
#include "text/text.h"

namespace mlf {

class PatternMatcher {
 public:
  PatternMatcher();
  ~PatternMatcher();
  PatternMatcher(const PatternMatcher&) = delete;
  PatternMatcher& operator=(const PatternMatcher&) = delete;

  // Runs `pattern` over `subject`. An omitted setting is not the same as false:
  // omitted caseSensitive means false, omitted multiline and global mean true. With
  // quotePlaceholders, "#引号" in the pattern stands for a double quote. True when the
  // run produced a match list, also an empty one; false when the pattern is refused.
  bool Create(const Text& pattern, const Text& subject,
              std::optional<bool> caseSensitive = std::nullopt,
              std::optional<bool> multiline = std::nullopt,
              std::optional<bool> global = std::nullopt,
              std::optional<bool> quotePlaceholders = std::nullopt);

  // The pattern of the last Create after placeholder substitution; empty when refused.
  Text PatternText() const;
  // The last subject with every match (or the first, without global) replaced.
  Text Replace(const Text& replacement) const;
  int MatchCount() const;
  // Text of match `matchIndex`; `position`, when given, receives its 0-based byte offset
  // in the subject (-2 when not found there).
  Text MatchText(int matchIndex, int* position = nullptr) const;
  // Text of group `groupIndex` of match `matchIndex`; empty for a group that did not
  // take part. `position` as for MatchText, searched from the start of the match.
  Text SubmatchText(int matchIndex, int groupIndex, int* position = nullptr) const;
  // Groups of the first match; 0 when there is no match.
  int SubmatchCount() const;

 private:
  const MatchList* ValidMatches() const;
  // Group 0 is the whole match; a question out of range gives the empty text.
  Text GroupText(int matchIndex, int groupIndex, int* position) const;
  int PositionOf(const Text& sought, std::int32_t firstIndex) const;

  std::unique_ptr<RegexEngine> engine_;
  std::optional<MatchList> matches_;
  std::u16string subject_;
  Text pattern_;
  bool ignore_case_ = false;
  bool global_ = true;
  mutable std::optional<Text> subject_text_;  // the subject in GBK, made when first needed
};

}  // namespace mlf
