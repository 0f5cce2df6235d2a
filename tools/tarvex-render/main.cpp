// tarvex-render: the saver's own code without the saver window.
//   --info [--dir DIR]   what the saver would load from DIR, as JSON

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/posix/process_services.h"
#include "startup/error_report.h"
#include "tools/tarvex-render/info_report.h"

namespace {

int Usage() {
  std::fputs("usage: tarvex-render --info [--dir DIR]\n", stderr);
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
  std::string directory = tarvex::platform::posix::ProgramDirectory();
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--info") {
      info = true;
    } else if (arg == "--dir" && i + 1 < argc) {
      directory = argv[++i];
    } else {
      return Usage();
    }
  }
  return info ? RunInfo(directory) : Usage();
}
