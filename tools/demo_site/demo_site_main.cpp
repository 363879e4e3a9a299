// milianfang-demo-site [--port N]: a small search site in the layout the program reads,
// on 127.0.0.1, for trying the program without the network.
#include <httplib.h>

#include <CLI/CLI.hpp>
#include <cstdio>

#include "demo_pages.h"

int main(int argc, char** argv) {
  CLI::App app{"觅链坊 demo search site", "milianfang-demo-site"};
  int port = 0;
  app.add_option("--port", port, "Port to listen on (default: any free port)");
  CLI11_PARSE(app, argc, argv);

  httplib::Server server;
  server.Get("/search", [](const httplib::Request& request, httplib::Response& response) {
    std::string keyword = request.get_param_value("keyword");
    int page = 0;
    try {
      page = std::stoi(request.get_param_value("p"));
    } catch (const std::exception&) {
      page = 0;
    }
    mlf::demo::DemoPage result = mlf::demo::ResultPage(keyword, page);
    response.set_content(result.body, result.contentType);
  });
  server.Get("/", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("milianfang demo site: GET /search?keyword=...&p=N\n", "text/plain");
  });

  if (port == 0) {
    port = server.bind_to_any_port("127.0.0.1");
  } else if (!server.bind_to_port("127.0.0.1", port)) {
    port = -1;
  }
  if (port <= 0) {
    std::fprintf(stderr, "milianfang-demo-site: cannot listen on 127.0.0.1\n");
    return 1;
  }
  std::printf("http://127.0.0.1:%d/\n", port);
  std::fflush(stdout);
  return server.listen_after_bind() ? 0 : 1;
}
