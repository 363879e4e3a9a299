// milianfang-cli fetch [options] URL: one web request with exactly the given options.
#include <iostream>
#include <optional>

#include "cli/base64.h"
#include "cli/commands.h"
#include "cli/row_output.h"
#include "text/code_page.h"
#include "web/web_request.h"

namespace mlf {

namespace {

struct FetchArgs {
  std::string method = "GET", data, url, user, password, proxy, proxyUser, proxyPassword;
  std::optional<std::string> cookies;
  std::vector<std::string> headers;
  bool noRedirect = false, json = false;
  int timeout = 0;
};

// GET, POST, HEAD, PUT by name (any case), or the method number itself.
bool ParseMethod(const std::string& name, int& method) {
  static const char* const kNames[] = {"GET", "POST", "HEAD", "PUT"};
  std::string upper = name;
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (int i = 0; i < 4; ++i) {
    if (upper == kNames[i]) return method = i, true;
  }
  try {
    std::size_t used = 0;
    method = std::stoi(name, &used);
    return used == name.size();
  } catch (const std::exception&) {
    return false;
  }
}

int RunFetch(const FetchArgs& args) {
  RequestOptions options;
  if (!ParseMethod(args.method, options.method)) {
    std::cerr << "milianfang-cli: unknown method " << args.method << '\n';
    return kExitUsage;
  }
  options.url = TextFromUtf8(args.url);
  options.postData = TextFromUtf8(args.data);
  if (args.cookies) options.cookies = TextFromUtf8(*args.cookies);
  std::string joined;
  for (std::size_t i = 0; i < args.headers.size(); ++i) {
    joined += (i ? "\r\n" : "") + args.headers[i];
  }
  options.extraHeaders = TextFromUtf8(joined);
  options.disableRedirects = args.noRedirect;
  options.userName = TextFromUtf8(args.user);
  options.password = TextFromUtf8(args.password);
  options.proxy = TextFromUtf8(args.proxy);
  options.proxyUserName = TextFromUtf8(args.proxyUser);
  options.proxyPassword = TextFromUtf8(args.proxyPassword);
  options.timeoutSeconds = args.timeout;

  ResponseOutputs out;
  Text page = WebRequest(options, out);
  bool failed = ReportFetchFailure(out);
  if (args.json) {
    nlohmann::ordered_json json = {{"statusText", TextToUtf8(out.statusText)},
                                   {"rawHeaders", TextToUtf8(out.rawHeaders)},
                                   {"receivedCookies", TextToUtf8(out.receivedCookies)},
                                   {"location", TextToUtf8(out.location)}};
    if (options.cookies) json["cookies"] = TextToUtf8(*options.cookies);
    json["pageText"] = TextToUtf8(page);
    json["bodyBase64"] = Base64(out.body);
    PrintJson(std::cout, json);
  } else {
    std::cout << TextToUtf8(page);
    if (!page.empty() && page.bytes().back() != '\n') std::cout << '\n';
  }
  return failed ? kExitFailed : kExitOk;
}

}  // namespace

void AddFetchCommand(CLI::App& app, int& exitCode) {
  auto args = std::make_shared<FetchArgs>();
  CLI::App* cmd = app.add_subcommand("fetch", "One web request; prints the page text");
  cmd->add_option("--method", args->method, "GET, POST, HEAD, PUT or a method number");
  cmd->add_option("--data", args->data, "Request body");
  cmd->add_option("--cookies", args->cookies, "Cookie text to send (\"\" supplies an empty one)");
  cmd->add_option("--header", args->headers, "Extra header line (repeatable)");
  cmd->add_flag("--no-redirect", args->noRedirect, "Return a redirect instead of following it");
  cmd->add_option("--user", args->user, "Server user name (Basic)");
  cmd->add_option("--password", args->password, "Server password");
  cmd->add_option("--proxy", args->proxy, "Proxy host:port");
  cmd->add_option("--proxy-user", args->proxyUser, "Proxy user name (Basic)");
  cmd->add_option("--proxy-password", args->proxyPassword, "Proxy password");
  cmd->add_option("--timeout", args->timeout, "Seconds per phase (default 30)");
  cmd->add_flag("--json", args->json, "Print every output as JSON");
  cmd->add_option("URL", args->url, "http or https address")->required();
  cmd->callback([args, &exitCode] { exitCode = RunFetch(*args); });
}

}  // namespace mlf
