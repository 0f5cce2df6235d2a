// Loading at start-up: the six settings and a full message file of 32,767
// items, against the baseline of only reading the file's bytes.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/file_input.h"
#include "startup/basKORVAN.h"

namespace {

namespace fs = std::filesystem;

struct Fixture {
  fs::path dir = fs::temp_directory_path() / ("tarvex-bench-" + std::to_string(::getpid()));
  std::string message;

  Fixture() {
    fs::create_directories(dir);
    message = (dir / "message.txt").string();
    std::ofstream out(message, std::ios::binary);
    for (int i = 0; i < 32767; ++i) {
      out << (i % 3 == 0 ? "\"遠い昔, はるかかなたの銀河系で\"" : "A line of the crawl") << "\r\n";
    }
    std::ofstream(dir / "tarvex.ini", std::ios::binary)
        << "[TARVEX]\r\nFONTSIZE= 24\r\nFONTNAME=IPAPMincho\r\nFONTCOLOR=65535\r\nFILE=" << message
        << "\r\nMP3=\r\nTIME=1\r\n";
  }
  ~Fixture() { fs::remove_all(dir); }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

void BM_ReadBytesBaseline(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(tarvex::platform::ReadFileForInput(TheFixture().message));
  }
}
BENCHMARK(BM_ReadBytesBaseline)->Unit(benchmark::kMillisecond);

void BM_ReadMessageFile(benchmark::State& state) {
  std::int64_t items = 0;
  for (auto _ : state) {
    tarvex::basKORVAN::SharedState shared;
    shared.Settings.MessageFile = TheFixture().message;
    tarvex::basKORVAN::ReadMessageFile(shared);
    items += shared.LineCount;
  }
  state.counters["items_per_second"] =
      benchmark::Counter(static_cast<double>(items), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ReadMessageFile)->Unit(benchmark::kMillisecond);

void BM_LoadSixSettings(benchmark::State& state) {
  for (auto _ : state) {
    tarvex::basKORVAN::SharedState shared;
    tarvex::basKORVAN::LoadSettings(shared, TheFixture().dir.string());
    benchmark::DoNotOptimize(shared.Settings.TimerInterval);
  }
}
BENCHMARK(BM_LoadSixSettings)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
