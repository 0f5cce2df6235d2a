#include "platform/win32/monitor_covers.h"

#include <windowsx.h>

#include "platform/win32/monitor_list.h"
#include "platform/win32/window_class.h"

namespace tarvex::platform::win32 {
namespace {

constexpr const char* kCoverClass = "TarvexSaverCover";

void RegisterCoverClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    RegisterWindowClass(kCoverClass, procedure, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    return true;
  }();
  (void)registered;
}

void Destroy(HWND cover) {
  SetWindowLongPtrA(cover, GWLP_USERDATA, 0);
  DestroyWindow(cover);
}

}  // namespace

MonitorCovers::~MonitorCovers() {
  for (HWND cover : covers_) Destroy(cover);
}

HWND MonitorCovers::Create(const ScreenRect& area) {
  RegisterCoverClass(ObjectWindowProc<MonitorCovers, &MonitorCovers::OnMessage>);
  return CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kCoverClass, "",
                         WS_POPUP, area.left, area.top, area.width, area.height, nullptr, nullptr,
                         GetModuleHandleA(nullptr), this);
}

void MonitorCovers::Place(const std::vector<ScreenRect>& areas, const ScreenRect& saver) {
  saver_ = saver;
  for (std::size_t i = 0; i < areas.size(); ++i) {
    const ScreenRect& area = areas[i];
    if (i == covers_.size()) covers_.push_back(Create(area));
    SetWindowPos(covers_[i], HWND_TOPMOST, area.left, area.top, area.width, area.height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
  }
  while (covers_.size() > areas.size()) {
    Destroy(covers_.back());
    covers_.pop_back();
  }
}

void MonitorCovers::Hide() {
  for (HWND cover : covers_) ShowWindow(cover, SW_HIDE);
}

LRESULT MonitorCovers::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (StartsIdleSaver(message, wParam)) return 0;
  switch (message) {
    case WM_MOUSEMOVE: {
      RECT area{};
      GetWindowRect(window, &area);
      const ScreenPoint at =
          ToSaverClient({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, ToScreenRect(area), saver_);
      input_.WindowMouseMove(ButtonMask(wParam), ShiftMask(), static_cast<float>(at.x),
                             static_cast<float>(at.y));
      return 0;
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tarvex::platform::win32
