// The Linux program: Main on the Qt desktop.

#include "platform/qt/qt_desktop.h"
#include "startup/basKORVAN.h"

int main(int argc, char** argv) {
  tarvex::qt::QtDesktop desktop(argc, argv);
  return tarvex::basKORVAN::Main(desktop);
}
