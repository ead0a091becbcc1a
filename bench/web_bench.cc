// 200 sequential requests for a 300 KB page from a local HTTPS server, as the
// checker makes them (a new request object each time), with the shared
// connection cache and without it; the curl command fetching the same 200
// addresses over one connection is the floor.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "platform/http/http_request.h"
#include "tests/support/test_server.h"

#if WEB_BENCH_WITH_WEB_REQUEST
#include "web/web_request.h"
#endif

namespace {

constexpr int kRequests = 200;
constexpr std::size_t kPageBytes = 300 * 1024;

struct Site {
  std::unique_ptr<test::TestCa> ca;
  std::unique_ptr<test::TestServer> server;
  std::vector<std::string> addresses;
  std::string curl_config;
  std::string error;
};

Site& TheSite() {
  static Site* site = [] {
    auto* s = new Site();
    s->ca = test::TestCa::Create(&s->error);
    if (!s->ca) return s;
    s->server = std::make_unique<test::TestServer>(s->ca.get());
    s->server->SetIdleTimeout(std::chrono::seconds(30));
    auto page = std::make_shared<std::string>(kPageBytes, 'p');
    s->server->Route("/s", [page](const test::Request&) {
      return test::Response{200, {{"Content-Type", "text/html"}}, *page};
    });
    for (int i = 0; i < kRequests; ++i) {
      s->addresses.push_back(
          s->server->Url("/s?wd=segment" + std::to_string(i)));
    }
    s->curl_config = s->ca->dir() + "/curl.conf";
    std::ofstream config(s->curl_config);
    for (const std::string& address : s->addresses) {
      config << "url = \"" << address << "\"\noutput = \"/dev/null\"\n";
    }
    return s;
  }();
  return *site;
}

std::size_t FetchWithObject(const std::string& address, bool reuse) {
  Site& site = TheSite();
  platform::HttpRequestSettings settings;
  settings.extra_ca_file = site.ca->ca_file();
  settings.reuse_connections = reuse;
#if WEB_BENCH_WITH_WEB_REQUEST
  web::WebRequestOptions options;
  options.address = core::AnsiText(address);
  // The throw-away CA is only reachable through an object that trusts it.
  options.request_object = platform::CreateHttpRequest(settings);
  return web::WebRequest(options).size();
#else
  auto request = platform::CreateHttpRequest(settings);
  request->SetTimeouts(15000, 15000, 15000, 15000);
  if (!request->Open("GET", address, false) || !request->Send("")) return 0;
  return request->ResponseBody().size();
#endif
}

void RunRequests(benchmark::State& state, bool reuse) {
  Site& site = TheSite();
  if (!site.server) {
    state.SkipWithError(site.error.c_str());
    return;
  }
  for (auto _ : state) {
    for (const std::string& address : site.addresses) {
      if (FetchWithObject(address, reuse) != kPageBytes) {
        state.SkipWithError("a fetch failed");
        return;
      }
    }
  }
  state.SetBytesProcessed(state.iterations() * kRequests *
                          static_cast<std::int64_t>(kPageBytes));
}

void BM_200RequestsReusingConnections(benchmark::State& state) {
  RunRequests(state, true);
}

void BM_200RequestsNewConnectionEach(benchmark::State& state) {
  RunRequests(state, false);
}

void BM_CurlCommandFloor(benchmark::State& state) {
  Site& site = TheSite();
  if (!site.server) {
    state.SkipWithError(site.error.c_str());
    return;
  }
  std::string command = "curl -sS --fail --http1.1 --cacert '" +
                        site.ca->ca_file() + "' -K '" + site.curl_config + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("the curl command failed");
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * kRequests *
                          static_cast<std::int64_t>(kPageBytes));
}

BENCHMARK(BM_CurlCommandFloor)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_200RequestsReusingConnections)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_200RequestsNewConnectionEach)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
