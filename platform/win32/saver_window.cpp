#include "platform/win32/saver_window.h"

#include <windowsx.h>

#include <algorithm>

#include "platform/win32/window_class.h"

namespace tarvex::platform::win32 {

namespace {

constexpr const char* kFrameClass = "TarvexSaverFrame";
constexpr const char* kDisplayClass = "TarvexSaverDisplay";
constexpr const char* kCaption = "Form1";
// Posted once the frame is shown: the first activation, should the system
// not send one.
constexpr UINT kActivateOnce = WM_APP + 1;

float X(LPARAM lParam) {
  return static_cast<float>(GET_X_LPARAM(lParam));
}

float Y(LPARAM lParam) {
  return static_cast<float>(GET_Y_LPARAM(lParam));
}

std::int16_t KeyCode(WPARAM wParam) {
  constexpr WPARAM kVirtualKeyBits = 0xFF;
  return static_cast<std::int16_t>(wParam & kVirtualKeyBits);
}

bool IsKeyDown(UINT message) {
  return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN;
}

bool IsButtonUp(UINT message) {
  return message == WM_LBUTTONUP || message == WM_RBUTTONUP || message == WM_MBUTTONUP;
}

}  // namespace

std::int16_t ButtonMask(WPARAM mouseKeys) {
  std::int16_t mask = 0;
  if ((mouseKeys & MK_LBUTTON) != 0) mask |= 1;
  if ((mouseKeys & MK_RBUTTON) != 0) mask |= 2;
  if ((mouseKeys & MK_MBUTTON) != 0) mask |= 4;
  return mask;
}

std::int16_t ShiftMask() {
  std::int16_t mask = 0;
  if (GetKeyState(VK_SHIFT) < 0) mask |= 1;
  if (GetKeyState(VK_CONTROL) < 0) mask |= 2;
  if (GetKeyState(VK_MENU) < 0) mask |= 4;
  return mask;
}

void SaverWindow::RegisterClasses() {
  static const bool registered = [] {
    const auto black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    RegisterWindowClass(kFrameClass, ObjectWindowProc<SaverWindow, &SaverWindow::OnFrameMessage>,
                        black);
    RegisterWindowClass(kDisplayClass,
                        ObjectWindowProc<SaverWindow, &SaverWindow::OnDisplayMessage>, black);
    return true;
  }();
  (void)registered;
}

SaverWindow::SaverWindow(const RECT& screen, SaverWindowInput& input)
    : input_(input), screen_(screen) {
  RegisterClasses();
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  frame_ = CreateWindowExA(WS_EX_TOPMOST, kFrameClass, kCaption, WS_POPUP | WS_CLIPCHILDREN,
                           screen.left, screen.top, screen.right - screen.left,
                           screen.bottom - screen.top, nullptr, nullptr, instance, this);
  display_ = CreateWindowExA(0, kDisplayClass, "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame_,
                             nullptr, instance, this);
}

SaverWindow::~SaverWindow() {
  // Nothing reaches the form while the windows go.
  if (display_ != nullptr) SetWindowLongPtrA(display_, GWLP_USERDATA, 0);
  if (frame_ != nullptr) {
    SetWindowLongPtrA(frame_, GWLP_USERDATA, 0);
    DestroyWindow(frame_);
  }
}

void SaverWindow::Show() {
  ShowWindow(frame_, SW_SHOWMAXIMIZED);
  SetForegroundWindow(frame_);
  FocusDisplay();
  UpdateWindow(frame_);
  PostMessageA(frame_, kActivateOnce, 0, 0);
}

void SaverWindow::Hide() {
  ShowWindow(frame_, SW_HIDE);
}

void SaverWindow::MoveTo(const RECT& screen) {
  screen_ = screen;
  SetWindowPos(frame_, HWND_TOPMOST, screen.left, screen.top, screen.right - screen.left,
               screen.bottom - screen.top, SWP_NOACTIVATE);
}

void SaverWindow::FocusDisplay() {
  if (display_ != nullptr) SetFocus(display_);
}

void SaverWindow::ActivateOnce() {
  if (active_) return;
  active_ = true;
  input_.Activated();
}

LRESULT SaverWindow::OnFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (StartsIdleSaver(message, wParam)) return 0;
  if (IsKeyDown(message)) {
    input_.WindowKeyDown(KeyCode(wParam), ShiftMask());
    return 0;
  }
  switch (message) {
    case WM_MOUSEMOVE:
      input_.WindowMouseMove(ButtonMask(wParam), ShiftMask(), X(lParam), Y(lParam));
      return 0;
    case WM_SETFOCUS:
      FocusDisplay();
      return 0;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        active_ = false;
      } else {
        FocusDisplay();
        ActivateOnce();
      }
      return 0;
    case kActivateOnce:
      ActivateOnce();
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) input_.TimerTick();
      return 0;
    case WM_CLOSE:
      if (input_.MayClose()) input_.Closed();
      return 0;
    case WM_DISPLAYCHANGE:
    case WM_DPICHANGED:
      // The frame covers its monitor exactly: the host places it anew rather
      // than taking the suggested, scaled rectangle.
      input_.DisplayChanged();
      return 0;
    case WM_GETMINMAXINFO: {
      // Maximized means the whole monitor, not the work area beside a task bar.
      auto* limits = AsPointer<MINMAXINFO>(lParam);
      const LONG width = screen_.right - screen_.left;
      const LONG height = screen_.bottom - screen_.top;
      limits->ptMaxPosition = {screen_.left, screen_.top};
      limits->ptMaxSize = {width, height};
      limits->ptMaxTrackSize = {std::max(limits->ptMaxTrackSize.x, width),
                                std::max(limits->ptMaxTrackSize.y, height)};
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT SaverWindow::OnDisplayMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsKeyDown(message)) {
    input_.DisplayKeyDown(KeyCode(wParam), ShiftMask());
    return 0;
  }
  if (IsButtonDown(message)) {
    pressed_ = true;
    SetCapture(window);
    return 0;
  }
  if (IsButtonUp(message)) {
    OnButtonUp(lParam);
    return 0;
  }
  switch (message) {
    case WM_MOUSEMOVE:
      input_.DisplayMouseMove(ButtonMask(wParam), ShiftMask(), X(lParam), Y(lParam));
      return 0;
    case WM_CAPTURECHANGED:
      pressed_ = false;
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the image covers the whole window
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      const HDC dc = BeginPaint(window, &paint);
      input_.PaintDisplay(dc);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void SaverWindow::OnButtonUp(LPARAM lParam) {
  RECT client{};
  GetClientRect(display_, &client);
  const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  const bool click = pressed_ && PtInRect(&client, at) != FALSE;
  pressed_ = false;
  if (GetCapture() == display_) ReleaseCapture();
  if (click) input_.DisplayClick();
}

}  // namespace tarvex::platform::win32
