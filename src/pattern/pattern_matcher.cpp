#include "pattern/pattern_matcher.h"

#include "pattern/pattern_dialect.h"
#include "pattern/replacement.h"
#include "text/code_page.h"
#include "text/text_search.h"

namespace mlf {

PatternMatcher::PatternMatcher() = default;
PatternMatcher::~PatternMatcher() = default;

bool PatternMatcher::Create(const Text& pattern, const Text& subject,
                            std::optional<bool> caseSensitive, std::optional<bool> multiline,
                            std::optional<bool> global, std::optional<bool> quotePlaceholders) {
  ignore_case_ = !caseSensitive.value_or(false);
  const bool multi_line = multiline.value_or(true);
  global_ = global.value_or(true);

  engine_.reset();
  matches_.reset();
  subject_text_.reset();
  pattern_ = quotePlaceholders.value_or(false)
                 ? ReplaceText(pattern, QuotePlaceholder(), "\""_t, true)
                 : pattern;
  subject_ = ToUtf16(subject.view());

  std::optional<std::u16string> translated = TranslatePattern(ToUtf16(pattern_.view()), multi_line);
  if (!translated) return false;
  engine_ =
      RegexEngine::Compile(*translated, {.ignoreCase = ignore_case_, .multiline = multi_line});
  if (!engine_) return false;
  matches_ = engine_->FindAll(subject_, global_);
  return matches_.has_value();
}

Text PatternMatcher::PatternText() const {
  return engine_ ? pattern_ : Text{};
}

Text PatternMatcher::Replace(const Text& replacement) const {
  if (!engine_) return {};
  std::optional<MatchList> run = engine_->FindAll(subject_, global_);
  if (!run) return {};
  return FromUtf16(ReplaceMatches(subject_, *run, ToUtf16(replacement.view())));
}

int PatternMatcher::MatchCount() const {
  return matches_ ? static_cast<int>(matches_->Count()) : 0;
}

const MatchList* PatternMatcher::ValidMatches() const {
  return matches_ ? &*matches_ : nullptr;
}

int PatternMatcher::PositionOf(const Text& sought, std::int32_t firstIndex) const {
  // The match's start in code units is taken as a 1-based byte position in the subject's
  // GBK text, and the sought text is searched from there.
  if (!subject_text_) subject_text_ = FromUtf16(subject_);
  int found = FindText(*subject_text_, sought, firstIndex, ignore_case_ && engine_ != nullptr);
  return found == -1 ? -2 : found - 1;
}

Text PatternMatcher::MatchText(int matchIndex, int* position) const {
  return GroupText(matchIndex, 0, position);
}

Text PatternMatcher::SubmatchText(int matchIndex, int groupIndex, int* position) const {
  return GroupText(matchIndex, groupIndex >= 1 ? groupIndex : -1, position);
}

Text PatternMatcher::GroupText(int matchIndex, int groupIndex, int* position) const {
  const MatchList* list = ValidMatches();
  bool valid = list != nullptr && matchIndex >= 1 &&
               static_cast<std::size_t>(matchIndex) <= list->Count() && groupIndex >= 0 &&
               groupIndex <= list->GroupCount();
  Text result;
  std::int32_t first_index = 0;
  if (valid) {
    std::size_t m = static_cast<std::size_t>(matchIndex) - 1;
    first_index = list->Begin(m, 0);
    if (list->IsSet(m, groupIndex)) {
      std::int32_t begin = list->Begin(m, groupIndex), end = list->End(m, groupIndex);
      result = FromUtf16(std::u16string_view(subject_).substr(begin, end - begin));
    }
  }
  if (position != nullptr) *position = PositionOf(result, first_index);
  return result;
}

int PatternMatcher::SubmatchCount() const {
  return MatchCount() > 0 ? matches_->GroupCount() : 0;
}

}  // namespace mlf
