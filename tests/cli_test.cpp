#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "demo_pages.h"
#include "scrape_fixture.h"
#include "support/child_process.h"
#include "support/loopback_server.h"
#include "test_text.h"

namespace mlf {
namespace {

struct CliRun {
  int exitCode;
  std::string out;
};

CliRun RunCli(const std::string& arguments) {
  std::string command = std::string(MLF_CLI_PATH) + " " + arguments + " 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  std::string out;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) out.append(buffer, n);
  int status = pclose(pipe);
  return {WEXITSTATUS(status), out};
}

class Cli : public testing::Test {
 protected:
  void SetUp() override {
    page_path_ = std::filesystem::temp_directory_path() /
                 ("mlf-cli-page-" + std::to_string(getpid()) + ".html");
    std::ofstream(page_path_, std::ios::binary) << SavedResultPage().bytes();
  }
  void TearDown() override { std::filesystem::remove(page_path_); }
  std::filesystem::path page_path_;
};

TEST_F(Cli, ExtractPrintsPageCountAndRows) {
  CliRun run = RunCli("extract --json " + page_path_.string());
  ASSERT_EQ(run.exitCode, 0);
  auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["totalPages"], 25);
  ASSERT_EQ(json["rows"].size(), 3u);
  EXPECT_EQ(json["rows"][2]["name"], "第三个 &amp; 最后");
  EXPECT_EQ(json["rows"][1]["fileCount"], "12");

  CliRun table = RunCli("extract " + page_path_.string());
  ASSERT_EQ(table.exitCode, 0);
  EXPECT_NE(table.out.find("排序  视频名称"), std::string::npos) << table.out;
  EXPECT_NE(table.out.find("27个文件"), std::string::npos) << table.out;
}

TEST_F(Cli, MatchListsMatchesGroupsAndPositions) {
  CliRun run =
      RunCli("match --json --positions --no-global '(\\d+)-(\\d+)' " + page_path_.string());
  ASSERT_EQ(run.exitCode, 0);
  auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["created"], true);
  EXPECT_EQ(json["count"], 1);
  EXPECT_EQ(json["groupCount"], 2);
  EXPECT_EQ(json["matches"][0]["text"], "2024-01");
  EXPECT_EQ(json["matches"][0]["groups"][1]["text"], "01");
  EXPECT_TRUE(json["matches"][0].contains("position"));

  CliRun refused = RunCli("match --json '(?<x>a)' " + page_path_.string());
  ASSERT_EQ(refused.exitCode, 0);
  EXPECT_EQ(nlohmann::json::parse(refused.out)["created"], false);

  CliRun quoted =
      RunCli("match --json --quote-placeholders 'class=#引号prop_val#引号' " + page_path_.string());
  EXPECT_EQ(nlohmann::json::parse(quoted.out)["count"], 12);
}

TEST(CliFetch, OneRequestWithItsOutputs) {
  testing_support::LoopbackServer server(
      [](const testing_support::Connection& c, const std::string&) {
        c.Send(testing_support::Response("404 Not Found", "Set-Cookie: s=1; path=/\r\n",
                                         "<meta charset=utf-8>中"));
      });
  CliRun run = RunCli("fetch --json --method post --data a=1 --cookies '' --header 'X-A: 1' " +
                      server.Address("/p"));
  ASSERT_EQ(run.exitCode, 0);  // the exchange completed, whatever the status
  auto json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["statusText"], "404 Not Found");
  EXPECT_EQ(json["pageText"], "<meta charset=utf-8>中");
  EXPECT_EQ(json["cookies"], "s=1");
  EXPECT_EQ(json["receivedCookies"], "s=1");
  EXPECT_EQ(json["bodyBase64"], "PG1ldGEgY2hhcnNldD11dGYtOD7kuK0=");
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].substr(0, 7), "POST /p");
  EXPECT_NE(server.Requests()[0].find("\r\nX-A: 1\r\n"), std::string::npos);

  CliRun plain = RunCli("fetch --json " + server.Address("/p"));
  EXPECT_FALSE(nlohmann::json::parse(plain.out).contains("cookies"));
  EXPECT_EQ(RunCli("fetch http://127.0.0.1:1/").exitCode, 1);
  EXPECT_EQ(RunCli("fetch --method FETCH " + server.Address("/")).exitCode, 2);
}

TEST(CliSearch, AgainstTheDemoSite) {
  int port = testing_support::FreePort();
  testing_support::ChildProcess site({MLF_DEMO_SITE_PATH, "--port", std::to_string(port)}, "/",
                                     port);
  ASSERT_TRUE(site.ready());
  std::string where = "--site 127.0.0.1:" + std::to_string(port);
  CliRun first = RunCli("search --json " + where + " 电影");
  ASSERT_EQ(first.exitCode, 0);
  auto json = nlohmann::json::parse(first.out);
  EXPECT_EQ(json["address"],
            "http://127.0.0.1:" + std::to_string(port) + "/search?keyword=电影&p=1");
  EXPECT_EQ(json["totalPages"], demo::TotalPagesFor("电影"));
  EXPECT_EQ(json["statusText"], "200 OK");
  ASSERT_EQ(json["rows"].size(), 20u);
  EXPECT_EQ(json["rows"][0]["magnetLink"].get<std::string>().size(), 60u);

  // A page in UTF-8 with its own declaration, and a page past the last one.
  CliRun utf8 = RunCli("search --json --page 2 " + where + " utf8中文");
  auto utf8_json = nlohmann::json::parse(utf8.out);
  EXPECT_FALSE(utf8_json.contains("totalPages"));
  EXPECT_EQ(utf8_json["rows"][0]["name"].get<std::string>().substr(0, 11), "utf8中文.");
  CliRun past = RunCli("search --json --page 99 " + where + " 电影");
  EXPECT_EQ(past.exitCode, 0);
  EXPECT_TRUE(nlohmann::json::parse(past.out)["rows"].empty());

  EXPECT_EQ(RunCli("search --site 127.0.0.1:1 电影").exitCode, 1);
}

TEST(CliUsage, BadArgumentsAndUnreadableFilesExitWithTwo) {
  EXPECT_EQ(RunCli("extract /nonexistent/page.html").exitCode, 2);
  EXPECT_EQ(RunCli("extract").exitCode, 2);
  EXPECT_EQ(RunCli("match onlypattern").exitCode, 2);
  EXPECT_EQ(RunCli("").exitCode, 2);
  EXPECT_EQ(RunCli("--help").exitCode, 0);
}

}  // namespace
}  // namespace mlf
