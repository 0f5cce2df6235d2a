#include "tools/tarvex-render/render_frames.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>

#include "platform/qt/qt_saver_offscreen_desktop.h"
#include "saver/frmKORVAN.h"
#include "startup/error_report.h"
#include "tools/tarvex-render/info_report.h"

namespace tarvex::render {
namespace {

constexpr int kMaxSide = 16384;
constexpr int kMaxFrame = 1000000;

bool ParseInt(std::string_view text, int low, int high, int& value) {
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  return error == std::errc() && stop == end && value >= low && value <= high;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "tarvex-render: %s\n", message.c_str());
  return 1;
}

// The offscreen platform needs no display; a QApplication is what the
// saver's widgets need.
QApplication& Application() {
  static int argc = 1;
  static char name[] = "tarvex-render";
  static char* argv[] = {name, nullptr};
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  static QApplication app(argc, argv);
  return app;
}

bool WriteFrame(const QImage& screen, const QString& dir, int tick) {
  return screen.save(QDir(dir).filePath(QStringLiteral("frame-%1.png").arg(tick)), "PNG");
}

}  // namespace

bool ParseScreen(std::string_view text, int& width, int& height) {
  const auto x = text.find('x');
  if (x == std::string_view::npos) return false;
  return ParseInt(text.substr(0, x), 1, kMaxSide, width) &&
         ParseInt(text.substr(x + 1), 1, kMaxSide, height);
}

std::optional<std::vector<int>> ParseFrames(std::string_view text) {
  std::vector<int> frames;
  while (true) {
    const auto comma = text.find(',');
    int frame = 0;
    if (!ParseInt(text.substr(0, comma), 0, kMaxFrame, frame)) return std::nullopt;
    frames.push_back(frame);
    if (comma == std::string_view::npos) return frames;
    text.remove_prefix(comma + 1);
  }
}

int RenderFrames(const FrameRequest& request, const std::string& programDirectory) {
  Application();
  const QString outDir = QString::fromStdString(request.outDir);
  if (!QDir().mkpath(outDir)) return Fail("cannot create " + request.outDir);

  basKORVAN::SharedState state;
  if (const auto error = LoadAsSaver(state, programDirectory)) {
    return Fail(basKORVAN::ErrorReportText(*error));
  }
  std::vector<int> frames = request.frames;
  std::sort(frames.begin(), frames.end());
  frames.erase(std::unique(frames.begin(), frames.end()), frames.end());
  try {
    qt::OffscreenSaverDesktop desktop(QSize(request.width, request.height));
    saver::frmKORVAN form(state, desktop);
    form.SetTimerInterval(state.Settings.TimerInterval);
    form.Form_Activate();
    int tick = 0;
    for (const int frame : frames) {
      for (; tick < frame; ++tick) form.tmrStr_Timer();
      if (!WriteFrame(desktop.Host()->GrabScreen(), outDir, frame)) {
        return Fail("cannot write frame " + std::to_string(frame) + " to " + request.outDir);
      }
    }
  } catch (const runtime::RuntimeError& error) {
    return Fail(basKORVAN::ErrorReportText(error));
  }
  return 0;
}

}  // namespace tarvex::render
