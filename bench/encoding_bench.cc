// Utf8ToAnsi on 50 MB of Chinese UTF-8 against the iconv command converting
// the same file in the same run. The iconv figure includes starting the
// process, a millisecond or so against the tenths of a second of the work.
//
// On a machine that others share the clock counts their work too, so each
// benchmark also reports cpu_MiB/s: the bytes over the CPU time spent by the
// converting thread, or by the iconv command and its shell.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "core/text/encodings.h"
#include "platform/codepage/code_page.h"

namespace {

constexpr size_t kTextBytes = 50u << 20;

// Common characters (the first level of GB 2312) with Chinese punctuation
// and a line break now and then, as in an article.
std::string MakeChineseUtf8() {
  std::mt19937 random(936);
  std::uniform_int_distribution<int> lead(0xB0, 0xD7);
  std::uniform_int_distribution<int> trail(0xA1, 0xFE);
  std::uniform_int_distribution<int> pause(0, 29);
  std::string ansi;
  ansi.reserve(kTextBytes * 2 / 3 + 64);
  for (int n = 1; ansi.size() * 3 / 2 < kTextBytes; ++n) {
    int l = lead(random);
    int t = trail(random);
    if (l == 0xD7 && t > 0xF9) t = 0xF9;  // the level ends at 0xD7F9
    ansi.push_back(static_cast<char>(l));
    ansi.push_back(static_cast<char>(t));
    if (pause(random) == 0) ansi += "\xA3\xAC";  // full-width comma
    if (n % 400 == 0) ansi += "\xA1\xA3\r\n";    // full stop, line break
  }
  return platform::ConvertCodePage(936, 65001, ansi);
}

struct Fixture {
  Fixture() : utf8(MakeChineseUtf8()) {
    path =
        std::filesystem::temp_directory_path() /
        ("encoding_bench_" + std::to_string(std::random_device{}()) + ".txt");
    std::ofstream(path, std::ios::binary) << utf8.bytes();
    output = path;
    output += ".936";
  }
  ~Fixture() {
    std::error_code ignored;
    std::filesystem::remove(path, ignored);
    std::filesystem::remove(output, ignored);
  }
  core::AnsiText utf8;
  std::filesystem::path path;
  std::filesystem::path output;
};

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + t.tv_usec * 1e-6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void ReportBytes(benchmark::State& state, int64_t bytes, double cpu_seconds) {
  const int64_t total = static_cast<int64_t>(state.iterations()) * bytes;
  state.SetBytesProcessed(total);
  if (cpu_seconds > 0) {
    state.counters["cpu_MiB/s"] =
        static_cast<double>(total) / cpu_seconds / (1024.0 * 1024.0);
  }
}

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_Utf8ToAnsi(benchmark::State& state) {
  const core::AnsiText& text = Shared().utf8;
  const double cpu_start = ThreadCpuSeconds();
  for (auto _ : state) {
    core::AnsiText ansi = core::Utf8ToAnsi(text);
    benchmark::DoNotOptimize(ansi);
  }
  ReportBytes(state, text.size(), ThreadCpuSeconds() - cpu_start);
}
BENCHMARK(BM_Utf8ToAnsi)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

// The definition taken literally: UTF-16 buffer first, then code page 936.
void BM_Utf8ToAnsiThroughWide(benchmark::State& state) {
  const core::AnsiText& text = Shared().utf8;
  const double cpu_start = ThreadCpuSeconds();
  for (auto _ : state) {
    core::AnsiText ansi =
        core::EncodeFromWide(core::DecodeToWide(text), core::kCodePage936);
    benchmark::DoNotOptimize(ansi);
  }
  ReportBytes(state, text.size(), ThreadCpuSeconds() - cpu_start);
}
BENCHMARK(BM_Utf8ToAnsiThroughWide)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(2.0);

void BM_IconvCommand(benchmark::State& state) {
  const Fixture& fixture = Shared();
  const std::string command = "iconv -f utf-8 -t cp936 '" +
                              fixture.path.string() + "' > '" +
                              fixture.output.string() + "'";
  const double cpu_start = ChildrenCpuSeconds();
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(command.c_str());
    const auto stop = std::chrono::steady_clock::now();
    if (status != 0) {
      state.SkipWithError("the iconv command failed");
      return;
    }
    state.SetIterationTime(std::chrono::duration<double>(stop - start).count());
  }
  ReportBytes(state, fixture.utf8.size(), ChildrenCpuSeconds() - cpu_start);
  // Both converters know every character of the input, so their bytes agree.
  std::ifstream in(fixture.output, std::ios::binary);
  std::stringstream iconv_bytes;
  iconv_bytes << in.rdbuf();
  state.counters["same_bytes"] =
      iconv_bytes.str() == core::Utf8ToAnsi(fixture.utf8).bytes() ? 1 : 0;
}
BENCHMARK(BM_IconvCommand)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
