#include "pattern/regex_engine.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

namespace mlf {

namespace {

// Enough for any real page (a 1,000-entry page needs a small fraction of it), small
// enough that a pattern that backtracks without end gives up within about a second.
constexpr uint32_t kMatchLimit = 20'000'000;
constexpr uint32_t kDepthLimit = 1'000'000;
constexpr uint32_t kHeapLimitKiB = 256 * 1024;
constexpr std::size_t kJitStackStart = 32 * 1024;
constexpr std::size_t kJitStackMax = 16 * 1024 * 1024;

struct JitStack {
  pcre2_jit_stack* stack = pcre2_jit_stack_create(kJitStackStart, kJitStackMax, nullptr);
  ~JitStack() { pcre2_jit_stack_free(stack); }
};

PCRE2_SPTR16 Units(std::u16string_view s) {
  return reinterpret_cast<PCRE2_SPTR16>(s.data());
}

}  // namespace

struct RegexEngine::Handles {
  pcre2_code* code = nullptr;
  pcre2_match_context* context = nullptr;
  pcre2_match_data* data = nullptr;
  int groups = 0;

  ~Handles() {
    pcre2_match_data_free(data);
    pcre2_match_context_free(context);
    pcre2_code_free(code);
  }
};

RegexEngine::RegexEngine(std::unique_ptr<Handles> handles) : handles_(std::move(handles)) {}
RegexEngine::~RegexEngine() = default;

std::unique_ptr<RegexEngine> RegexEngine::Compile(std::u16string_view enginePattern,
                                                  Settings settings) {
  // Code units, not UTF: subjects may hold unpaired surrogates and offsets count units.
  uint32_t options = PCRE2_ALT_BSUX | PCRE2_MATCH_UNSET_BACKREF;
  if (settings.ignoreCase) options |= PCRE2_CASELESS;  // ASCII letters only, without UCP
  if (!settings.multiline) options |= PCRE2_DOLLAR_ENDONLY;

  pcre2_compile_context* compile_context = pcre2_compile_context_create(nullptr);
  if (compile_context == nullptr) return nullptr;
  pcre2_set_newline(compile_context, PCRE2_NEWLINE_LF);
  auto handles = std::make_unique<Handles>();
  int error_code = 0;
  PCRE2_SIZE error_offset = 0;
  handles->code = pcre2_compile(Units(enginePattern), enginePattern.size(), options, &error_code,
                                &error_offset, compile_context);
  pcre2_compile_context_free(compile_context);
  if (handles->code == nullptr) return nullptr;

  pcre2_jit_compile(handles->code, PCRE2_JIT_COMPLETE);  // the interpreter runs if JIT fails
  uint32_t captures = 0;
  pcre2_pattern_info(handles->code, PCRE2_INFO_CAPTURECOUNT, &captures);
  handles->groups = static_cast<int>(captures);
  handles->context = pcre2_match_context_create(nullptr);
  handles->data = pcre2_match_data_create_from_pattern(handles->code, nullptr);
  if (handles->context == nullptr || handles->data == nullptr) return nullptr;
  pcre2_set_match_limit(handles->context, kMatchLimit);
  pcre2_set_depth_limit(handles->context, kDepthLimit);
  pcre2_set_heap_limit(handles->context, kHeapLimitKiB);
  thread_local JitStack jit_stack;
  // The stack belongs to the thread; matchers are used on the thread that made them.
  pcre2_jit_stack_assign(handles->context, nullptr, jit_stack.stack);
  return std::unique_ptr<RegexEngine>(new RegexEngine(std::move(handles)));
}

int RegexEngine::GroupCount() const {
  return handles_->groups;
}

std::optional<MatchList> RegexEngine::FindAll(std::u16string_view subject, bool global) const {
  MatchList list(handles_->groups);
  const std::size_t pairs = static_cast<std::size_t>(handles_->groups) + 1;
  std::vector<std::int32_t> spans(2 * pairs);
  std::size_t start = 0;
  while (start <= subject.size()) {
    // The whole subject each time, so that ^, \b and lookbehinds see the text before start.
    int rc = pcre2_match(handles_->code, Units(subject), subject.size(), start, 0, handles_->data,
                         handles_->context);
    if (rc == PCRE2_ERROR_NOMATCH) break;
    if (rc < 0) return std::nullopt;
    const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(handles_->data);
    for (std::size_t k = 0; k < 2 * pairs; ++k) {
      // Groups past the highest one that took part are unset; rc counts the set prefix.
      bool set = k / 2 < static_cast<std::size_t>(rc) && ovector[k] != PCRE2_UNSET;
      spans[k] = set ? static_cast<std::int32_t>(ovector[k]) : -1;
    }
    list.Append(spans.data());
    if (!global) break;
    std::size_t match_begin = ovector[0], match_end = ovector[1];
    start = match_end > match_begin ? match_end : match_end + 1;
  }
  return list;
}

}  // namespace mlf
