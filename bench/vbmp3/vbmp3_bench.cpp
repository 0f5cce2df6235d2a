// The playback library's costs, each as a ratio to a yardstick of the same run:
// decoding CPU time against the length of the sound decoded, the time from
// play to the first samples against the length of one MP3 frame, and the
// time a stop takes against the 100 ms a caller may wait.

#include <benchmark/benchmark.h>
#include <time.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>

#include "vbmp3/mpg123_decoder.h"
#include "vbmp3/vbmp3.h"

namespace {
namespace fs = std::filesystem;

constexpr double kToneSeconds = 10.0;
constexpr double kFrameSeconds = 1152.0 / 44100.0;
constexpr double kStopBudgetSeconds = 0.1;

// A 10-second 128 kbit/s stereo tone, made once per run.
const fs::path& ToneFile() {
  static const fs::path file = [] {
    const fs::path dir = fs::temp_directory_path() / ("vbmp3-bench-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string wav = (dir / "tone.wav").string();
    const std::string mp3 = (dir / "tone.mp3").string();
    const std::string make = "sox -n -r 44100 -c 2 '" + wav + "' synth 10 sine 440 vol 0.5 && " +
                             "lame --quiet -b 128 '" + wav + "' '" + mp3 + "'";
    if (std::system(make.c_str()) != 0) throw std::runtime_error("sox or lame failed");
    return fs::path(mp3);
  }();
  return file;
}

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double Since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void OpenTone() {
  VBMP3_OPEN_INFO info{};
  if (vbmp3_open(ToneFile().c_str(), &info) == 0) throw std::runtime_error("open failed");
}

void BM_DecodeTenSeconds(benchmark::State& state) {
  tarvex::vbmp3::Mpg123Decoder decoder;
  if (decoder.Open(ToneFile().string()) != VBMP3_ERR_NONE) {
    state.SkipWithError("cannot open the tone");
    return;
  }
  double cpu = 0;
  for (auto _ : state) {
    const double start = ThreadCpuSeconds();
    decoder.Rewind();
    while (decoder.Read().status == tarvex::vbmp3::ReadStatus::kData) {
    }
    cpu += ThreadCpuSeconds() - start;
  }
  const double audio = kToneSeconds * static_cast<double>(state.iterations());
  state.counters["cpu_per_audio_second_pct"] = 100.0 * cpu / audio;
}
BENCHMARK(BM_DecodeTenSeconds)->Unit(benchmark::kMillisecond);

void BM_PlayToFirstSamples(benchmark::State& state) {
  const fs::path wav = ToneFile().parent_path() / "first.wav";
  vbmp3x_setWavOutput(wav.c_str(), 0);
  OpenTone();
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    vbmp3_play();
    while (vbmp3x_getFramesWritten() == 0) {
    }
    const double latency = Since(start);
    state.SetIterationTime(latency);
    total += latency;
    vbmp3_stop();
  }
  state.counters["ratio_to_one_frame"] =
      total / static_cast<double>(state.iterations()) / kFrameSeconds;
  vbmp3x_setWavOutput(nullptr, 0);
}
BENCHMARK(BM_PlayToFirstSamples)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_StopWhilePlaying(benchmark::State& state) {
  const fs::path wav = ToneFile().parent_path() / "stop.wav";
  vbmp3x_setWavOutput(wav.c_str(), 1);
  OpenTone();
  double total = 0;
  for (auto _ : state) {
    vbmp3_play();
    while (vbmp3x_getFramesWritten() < 44100 / 10) std::this_thread::yield();
    const auto start = std::chrono::steady_clock::now();
    vbmp3_stop();
    const double took = Since(start);
    state.SetIterationTime(took);
    total += took;
  }
  state.counters["ratio_to_100ms_budget"] =
      total / static_cast<double>(state.iterations()) / kStopBudgetSeconds;
  vbmp3x_setWavOutput(nullptr, 0);
}
BENCHMARK(BM_StopWhilePlaying)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(30);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  fs::remove_all(ToneFile().parent_path(), ignored);
  return 0;
}
