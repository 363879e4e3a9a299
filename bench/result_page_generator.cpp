#include "result_page_generator.h"

#include <random>
#include <string>

#include "text/code_page.h"

namespace mlf {

namespace {

const char* const kWords[] = {"电影",   "高清", "中字",   "纪录片",   "动画",
                              "合集",   "音乐", "演唱会", "Movie",    "1080p",
                              "BluRay", "x264", "Season", "Complete", "4K"};
const char* const kUnits[] = {"KB", "MB", "GB"};

std::string Filler(std::mt19937& random, std::size_t bytes) {
  std::string out;
  while (out.size() < bytes) {
    switch (random() % 4) {
      case 0:
        out +=
            "<script type=\"text/javascript\">var _hmt = _hmt || []; (function() { var hm = "
            "document.createElement(\"script\"); hm.src = \"/s.js?" +
            std::to_string(random()) + "\"; })();</script>\n";
        break;
      case 1:
        out +=
            "<div class=\"ad-box\"><a href=\"/go/" + std::to_string(random() % 1000) +
            "\" rel=\"nofollow\"><span class=\"tip\">热门推荐 相关搜索 最新资源</span></a></div>\n";
        break;
      case 2:
        out += "<style>.search-item .item-bar span{color:#" + std::to_string(random() % 999) +
               ";margin:0 4px}</style>\n";
        break;
      default:
        out += "<li class=\"tag\"><a href=\"/search?keyword=" + std::string(kWords[random() % 15]) +
               "\">" + kWords[random() % 15] + "</a></li>\n";
    }
  }
  return out;
}

std::string Entry(std::mt19937& random, int index) {
  std::string name = kWords[random() % 15];
  name += ".";
  name += kWords[random() % 15];
  name += "." + std::to_string(2000 + random() % 25) + ".第" + std::to_string(index) + "集";
  static const char kHex[] = "0123456789abcdef";
  std::string hash;
  for (int k = 0; k < 40; ++k) hash += kHex[random() % 16];
  std::string date = std::to_string(2010 + random() % 15) + "-0" +
                     std::to_string(1 + random() % 9) + "-1" + std::to_string(random() % 10);
  std::string size = std::to_string(1 + random() % 999) + "." + std::to_string(random() % 10) +
                     " " + kUnits[random() % 3];
  return "<div class=\"search-item\">\n<div class=\"item-title\"><h3><a href=\"/detail/" + hash +
         "\" target=\"_blank\">" + name + "</a></h3></div>\n<div class=\"item-list\"><ul><li>" +
         name + ".mkv <span class=\"lightColor\">" + size +
         "</span></li></ul></div>\n<div class=\"item-bar\"><span class=\"cpill "
         "blue-pill\">视频</span> "
         "<span>收录时间：<span class=\"prop_val\">" +
         date + "</span></span>\n<span>大小：<span class=\"prop_val\">" + size +
         "</span></span>\n<span>文件数：<span class=\"prop_val\">" +
         std::to_string(1 + random() % 60) +
         "</span></span> <a href=\"magnet:?xt=urn:btih:" + hash +
         "&xl=" + std::to_string(random()) + "&dn=" + name +
         "\">\n<img src=\"/img/magnet.png\" alt=\"\"></a>"
         "</div>\n</div>\n";
}

}  // namespace

Text GenerateResultPage(int entries, std::size_t fillerPerEntry, unsigned seed) {
  std::mt19937 random(seed);
  std::string page =
      "<!DOCTYPE html>\n<html><head><meta charset=\"gbk\"><title>搜索结果 - 觅链坊</title>\n"
      "<script>var pager = {startPage:1,totalPages:50,keyword:\"电影\"};</script>\n</head><body>\n";
  page += Filler(random, fillerPerEntry);
  for (int i = 1; i <= entries; ++i) {
    page += Entry(random, i);
    page += Filler(random, fillerPerEntry);
  }
  page += "<div class=\"pager\">totalPages:50,</div></body></html>\n";
  return TextFromUtf8(page);
}

}  // namespace mlf
