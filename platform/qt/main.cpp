// The Linux program: Main on the Qt desktop, or in a screen-saver daemon's
// window when the command line names one.

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "platform/qt/hosted_desktop.h"
#include "platform/qt/qt_desktop.h"
#include "startup/app_title.h"
#include "startup/basKORVAN.h"
#include "startup/hosted_options.h"

int main(int argc, char** argv) {
  std::optional<tarvex::basKORVAN::HostedOptions> hosted;
  try {
    hosted = tarvex::basKORVAN::ParseHostedOptions(std::vector<std::string>(argv + 1, argv + argc),
                                                   std::getenv("XSCREENSAVER_WINDOW"));
  } catch (const tarvex::basKORVAN::HostedOptionError& error) {
    std::fprintf(stderr, "%s: %s\n", tarvex::kAppTitle, error.what());
    return 1;
  }
  if (hosted) return tarvex::qt::RunHosted(argc, argv, *hosted);
  tarvex::qt::QtDesktop desktop(argc, argv);
  return tarvex::basKORVAN::Main(desktop);
}
