// tarvex-render: the saver's own code without the saver window.
//   --info [--dir DIR]   what the saver would load from DIR, as JSON
//   --frames N[,N...] --out DIR [--screen WxH] [--dir DIR]
//                        PNG frames of the crawl after N ticks

#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

#include "platform/posix/process_services.h"
#include "startup/error_report.h"
#include "tools/tarvex-render/info_report.h"
#include "tools/tarvex-render/render_frames.h"

namespace {

int Usage() {
  std::fputs(
      "usage: tarvex-render --info [--dir DIR]\n"
      "       tarvex-render --frames N[,N...] --out DIR [--screen WxH] [--dir DIR]\n",
      stderr);
  return 2;
}

int RunInfo(const std::string& directory) {
  tarvex::basKORVAN::SharedState state;
  const auto error = tarvex::render::LoadAsSaver(state, directory);
  std::printf("%s\n", tarvex::render::InfoJson(state, error).c_str());
  if (!error) return 0;
  std::fprintf(stderr, "%s\n", tarvex::basKORVAN::ErrorReportText(*error).c_str());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  bool info = false;
  tarvex::render::FrameRequest frames;
  std::string directory = tarvex::platform::posix::ProgramDirectory();
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--info") {
      info = true;
    } else if (arg == "--dir" && i + 1 < argc) {
      directory = argv[++i];
    } else if (arg == "--screen" && i + 1 < argc) {
      if (!tarvex::render::ParseScreen(argv[++i], frames.width, frames.height)) return Usage();
    } else if (arg == "--frames" && i + 1 < argc) {
      auto ticks = tarvex::render::ParseFrames(argv[++i]);
      if (!ticks) return Usage();
      frames.frames = std::move(*ticks);
    } else if (arg == "--out" && i + 1 < argc) {
      frames.outDir = argv[++i];
    } else {
      return Usage();
    }
  }
  if (info) return RunInfo(directory);
  if (!frames.frames.empty() && !frames.outDir.empty()) {
    return tarvex::render::RenderFrames(frames, directory);
  }
  return Usage();
}
