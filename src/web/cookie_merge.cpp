#include "web/cookie_merge.h"

#include "text/text_array.h"
#include "text/text_ops.h"
#include "text/text_search.h"

namespace mlf {

Text CookieName(const Text& item) {
  int p = FindText(item, "="_t, 1, false);
  return TrimBoth(p == -1 ? item : TextLeft(item, p - 1));
}

bool HasCookieName(const TextArray& items, const Text& name) {
  for (int i = 1, n = MemberCount(items); i <= n; ++i) {
    if (TextEquals(CookieName(MemberAt(items, i)), name)) return true;
  }
  return false;
}

int FindMember(const TextArray& list, const Text& text) {
  for (int i = 1, n = MemberCount(list); i <= n; ++i) {
    if (TextEquals(MemberAt(list, i), text)) return i;
  }
  return -1;
}

Text JoinUnique(const Text& text, const Text& separator) {
  TextArray parts = SplitText(text, separator);
  TextArray seen;
  Text out;
  for (int i = 1, n = MemberCount(parts); i <= n; ++i) {
    const Text& part = MemberAt(parts, i);
    if (FindMember(seen, part) == -1) {
      AppendMember(seen, part);
      out = Concat(out, part, separator);
    }
  }
  return TextLeft(out, TextLength(out) - TextLength(separator));
}

Text MergeCookies(Text& cookies, Text& received) {
  static const Text semicolon = ";"_t, separator = "; "_t, deleted = "=deleted"_t;
  cookies = RemoveAllSpaces(cookies);
  received = RemoveAllSpaces(received);
  TextArray old = SplitText(cookies, semicolon);
  TextArray kept = SplitText(received, semicolon);
  for (int i = 1, n = MemberCount(old); i <= n; ++i) {
    const Text& item = MemberAt(old, i);
    if (!HasCookieName(kept, CookieName(item))) AppendMember(kept, item);
  }
  cookies = Text{};
  for (int i = 1, n = MemberCount(kept); i <= n; ++i) {
    const Text& item = MemberAt(kept, i);
    if (!TextEquals(TextRight(item, 8), deleted)) cookies = Concat(cookies, item, separator);
  }
  cookies = TextLeft(cookies, TextLength(cookies) - 2);
  cookies = JoinUnique(cookies, separator);
  return cookies;
}

}  // namespace mlf
