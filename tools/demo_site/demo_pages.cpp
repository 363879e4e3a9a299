#include "demo_pages.h"

#include <cstdint>
#include <random>

#include "text/code_page.h"

namespace mlf::demo {

namespace {

std::uint64_t Hash(const std::string& s, std::uint64_t salt) {
  std::uint64_t h = 1469598103934665603ull ^ salt;  // FNV-1a
  for (unsigned char c : s) h = (h ^ c) * 1099511628211ull;
  return h;
}

const char* const kTags[] = {"1080p", "720p", "4K",     "BluRay", "WEB-DL", "中字",
                             "国语",  "高清", "完整版", "合集",   "HDR",    "x265"};
const char* const kUnits[] = {"KB", "MB", "GB"};

std::string HtmlEscape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '&':
        out += "&amp;";
        break;
      default:
        out += c;
    }
  }
  return out;
}

std::string Entry(const std::string& keyword, int page, int index) {
  std::mt19937_64 random(Hash(keyword, page * 1000 + index));
  int number = (page - 1) * kEntriesPerPage + index;
  std::string name = keyword + "." + kTags[random() % 12] + ".第" + std::to_string(number) + "集." +
                     kTags[random() % 12] + (random() % 2 ? ".mkv" : ".mp4");
  static const char kHex[] = "0123456789abcdef";
  std::string hash;
  for (int k = 0; k < 40; ++k) hash += kHex[random() % 16];
  char date[16];
  std::snprintf(date, sizeof date, "20%02d-%02d-%02d", static_cast<int>(10 + random() % 16),
                static_cast<int>(1 + random() % 12), static_cast<int>(1 + random() % 28));
  std::string size = std::to_string(1 + random() % 999) + "." + std::to_string(random() % 100) +
                     " " + kUnits[random() % 3];
  std::string files = std::to_string(1 + random() % 40);
  std::string shown = HtmlEscape(name);
  return "<div class=\"search-item\">\n"
         "<div class=\"item-title\"><h3><a href=\"/detail/" +
         hash + "\" target=\"_blank\">" + shown +
         "</a></h3></div>\n"
         "<div class=\"item-bar\"><span class=\"cpill blue-pill\">视频</span> "
         "<span>收录时间：<span class=\"prop_val\">" +
         date +
         "</span></span> "
         "<span>大小：<span class=\"prop_val\">" +
         size +
         "</span></span> "
         "<span>文件数：<span class=\"prop_val\">" +
         files +
         "</span></span> "
         "<a href=\"magnet:?xt=urn:btih:" +
         hash + "&xl=" + std::to_string(random() % 5000000000ull) + "&dn=" + shown +
         "\">\n<img src=\"/img/magnet.png\" alt=\"磁力链接\"></a></div>\n</div>\n";
}

}  // namespace

int TotalPagesFor(const std::string& keyword) {
  return keyword.empty() ? 0 : static_cast<int>(1 + Hash(keyword, 7) % 25);
}

DemoPage ResultPage(const std::string& keyword, int page) {
  const bool utf8 = keyword.rfind("utf8", 0) == 0;
  const int total = TotalPagesFor(keyword);
  const std::string charset = utf8 ? "utf-8" : "gbk";
  std::string html =
      "<!DOCTYPE html>\n<html><head>\n<meta http-equiv=\"Content-Type\" "
      "content=\"text/html; charset=" +
      charset + "\">\n<title>" + HtmlEscape(keyword) +
      " - 磁力搜索 - 觅链坊演示站</title>\n"
      "<script>var pager = {startPage:1,totalPages:" +
      std::to_string(total) +
      ",pageSize:20};</script>\n</head><body>\n"
      "<div class=\"header\"><a href=\"/\">觅链坊演示站</a></div>\n"
      "<div class=\"results\">\n";
  int shown = 0;
  if (page >= 1 && page <= total) {
    int count =
        page < total ? kEntriesPerPage : 1 + static_cast<int>(Hash(keyword, 9) % kEntriesPerPage);
    for (int i = 1; i <= count; ++i, ++shown) html += Entry(keyword, page, i);
  }
  if (shown == 0) html += "<p class=\"empty\">没有找到相关结果</p>\n";
  html += "</div>\n<div class=\"pager\">第 " + std::to_string(page) + " 页 / 共 " +
          std::to_string(total) + " 页</div>\n</body></html>\n";
  if (utf8) return {"text/html; charset=utf-8", html};
  return {"text/html; charset=gbk", TextFromUtf8(html).bytes()};
}

}  // namespace mlf::demo
