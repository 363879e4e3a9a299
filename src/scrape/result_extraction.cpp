#include "scrape/result_extraction.h"

#include "text/code_page.h"

namespace mlf {

const Text& ResultRowPattern() {
  // Written here in UTF-8; the program holds it in GBK (205 bytes). The colons after
  // the three labels are full-width.
  static const Text pattern = TextFromUtf8(
      "收录时间：<span\\s+class=\"prop_val\">(.*?)</span>[\\s\\S]*?"
      "大小：<span\\s+class=\"prop_val\">(.*?)</span>[\\s\\S]*?"
      "文件数：<span\\s+class=\"prop_val\">(.*?)</span></span> "
      "<a\\s+href=\"(.*?)&xl=[\\s\\S]*?&dn=(.*?)\">\\s+<img");
  return pattern;
}

int MatchResultRows(PatternMatcher& matcher, const Text& pageText) {
  matcher.Create(ResultRowPattern(), pageText);
  return matcher.MatchCount();
}

ResultRow ResultRowAt(const PatternMatcher& matcher, int index) {
  ResultRow row;
  row.Name = matcher.SubmatchText(index, 5);
  row.MagnetLink = matcher.SubmatchText(index, 4);
  row.FileCount = matcher.SubmatchText(index, 3);
  row.Size = matcher.SubmatchText(index, 2);
  row.Date = matcher.SubmatchText(index, 1);
  return row;
}

}  // namespace mlf
