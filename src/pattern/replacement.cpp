#include "pattern/replacement.h"

namespace mlf {

namespace {

bool IsDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

void AppendSpan(std::u16string& out, std::u16string_view subject, std::int32_t begin,
                std::int32_t end) {
  if (begin >= 0) out.append(subject.substr(begin, end - begin));
}

// Appends the expansion for match m; returns nothing.
void Expand(std::u16string& out, std::u16string_view subject, const MatchList& matches,
            std::size_t m, std::u16string_view tpl) {
  const int groups = matches.GroupCount();
  for (std::size_t i = 0; i < tpl.size(); ++i) {
    char16_t c = tpl[i];
    if (c != u'$' || i + 1 == tpl.size()) {
      out += c;
      continue;
    }
    char16_t next = tpl[i + 1];
    if (next == u'$') {
      out += u'$';
      ++i;
    } else if (next == u'&') {
      AppendSpan(out, subject, matches.Begin(m, 0), matches.End(m, 0));
      ++i;
    } else if (next == u'`') {
      out.append(subject.substr(0, matches.Begin(m, 0)));
      ++i;
    } else if (next == u'\'') {
      out.append(subject.substr(matches.End(m, 0)));
      ++i;
    } else if (IsDigit(next)) {
      int one = next - u'0';
      int two = i + 2 < tpl.size() && IsDigit(tpl[i + 2]) ? one * 10 + (tpl[i + 2] - u'0') : -1;
      if (two >= 1 && two <= groups) {
        AppendSpan(out, subject, matches.Begin(m, two), matches.End(m, two));
        i += 2;
      } else if (one >= 1 && one <= groups) {
        AppendSpan(out, subject, matches.Begin(m, one), matches.End(m, one));
        i += 1;
      } else {
        out += c;  // "$0", "$7" without a seventh group: literal
      }
    } else {
      out += c;
    }
  }
}

}  // namespace

std::u16string ReplaceMatches(std::u16string_view subject, const MatchList& matches,
                              std::u16string_view replacement) {
  std::u16string out;
  out.reserve(subject.size());
  std::size_t copied = 0;
  for (std::size_t m = 0; m < matches.Count(); ++m) {
    std::size_t begin = matches.Begin(m, 0), end = matches.End(m, 0);
    out.append(subject.substr(copied, begin - copied));
    Expand(out, subject, matches, m, replacement);
    copied = end;
  }
  out.append(subject.substr(copied));
  return out;
}

}  // namespace mlf
