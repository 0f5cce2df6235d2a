#include "platform/qt/qt_saver_offscreen_desktop.h"

#include <QCoreApplication>
#include <iostream>

#include "platform/dialog_window_host.h"
#include "platform/qt/screen_fonts.h"

namespace tarvex::qt {

OffscreenSaverDesktop::OffscreenSaverDesktop(QSize screen, double dpi)
    : screen_(screen), dpi_(dpi) {}

std::string OffscreenSaverDesktop::ProgramDirectory() {
  return QCoreApplication::applicationDirPath().toStdString();
}

void OffscreenSaverDesktop::MessageBox(const std::string& text, const std::string& caption) {
  std::cerr << caption << ": " << text << '\n';
}

std::vector<std::string> OffscreenSaverDesktop::ScreenFontNames() {
  return QtScreenFontNames();
}

std::unique_ptr<platform::SaverWindowHost> OffscreenSaverDesktop::CreateSaverWindowHost() {
  auto host = std::make_unique<QtSaverWindowHost>(QRect(QPoint(0, 0), screen_), dpi_, nullptr);
  host_ = host.get();
  return host;
}

std::unique_ptr<platform::DialogWindowHost> OffscreenSaverDesktop::CreateDialogWindowHost() {
  return nullptr;
}

}  // namespace tarvex::qt
