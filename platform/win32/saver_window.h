#pragma once
// The saver's two windows: the borderless, topmost black frame over the
// primary monitor, and the display surface's child window inside it. They turn the
// system's messages into the form's terms and hand them to SaverWindowInput:
// - pointer moves over the margin: WindowMouseMove, in frame pixels;
// - pointer moves over the display: DisplayMouseMove, in its pixels;
// - a click (any button pressed and released on the display): DisplayClick;
// - keys: DisplayKeyDown while the display has the focus, which it takes
//   whenever the frame gets it; WindowKeyDown only when it has not. There is
//   no key preview: the frame does not see keys before the display, so a key
//   press arms like any first input and the next one ends the saver;
// - activation: Activated whenever the frame becomes active anew;
// - WM_CLOSE, however it was caused: MayClose, then Closed if it may;
// - a change of the monitors or of the frame's DPI: DisplayChanged.
// Clicks on the margin have no handler, as on the form.

#include "platform/win32/windows_api.h"

#include <cstdint>

namespace tarvex::platform::win32 {

class SaverWindowInput {
 public:
  virtual void WindowMouseMove(std::int16_t button, std::int16_t shift, float x, float y) = 0;
  virtual void DisplayMouseMove(std::int16_t button, std::int16_t shift, float x, float y) = 0;
  virtual void DisplayClick() = 0;
  virtual void WindowKeyDown(std::int16_t key, std::int16_t shift) = 0;
  virtual void DisplayKeyDown(std::int16_t key, std::int16_t shift) = 0;
  virtual void Activated() = 0;
  virtual void TimerTick() = 0;
  virtual bool MayClose() = 0;
  virtual void Closed() = 0;
  virtual void DisplayChanged() = 0;
  // Draws the display surface's image into the display window.
  virtual void PaintDisplay(HDC dc) = 0;

 protected:
  ~SaverWindowInput() = default;
};

class SaverWindow {
 public:
  // The timer id of tmrStr's WM_TIMER messages.
  static constexpr UINT_PTR kTimerId = 1;

  // Hidden windows over `screen`; messages go to `input`.
  SaverWindow(const RECT& screen, SaverWindowInput& input);
  ~SaverWindow();
  SaverWindow(const SaverWindow&) = delete;
  SaverWindow& operator=(const SaverWindow&) = delete;

  HWND Frame() const { return frame_; }
  HWND Display() const { return display_; }

  // Shows the frame maximized, brings it forward and gives the display the
  // keyboard; Activated follows soon even where no activation comes (a
  // desktop without a window manager may never activate the window).
  void Show();
  void Hide();
  // Moves the frame over `screen`, the keyboard left where it is.
  void MoveTo(const RECT& screen);

 private:
  static void RegisterClasses();
  LRESULT OnFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnDisplayMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void FocusDisplay();
  void ActivateOnce();
  void OnButtonUp(LPARAM lParam);

  SaverWindowInput& input_;
  RECT screen_;
  HWND frame_ = nullptr;
  HWND display_ = nullptr;
  bool active_ = false;
  bool pressed_ = false;
};

// The form's button and shift arguments: button 1 left, 2 right, 4 middle
// (from a mouse message's wParam); shift 1 Shift, 2 Ctrl, 4 Alt (from the
// keyboard's state now).
std::int16_t ButtonMask(WPARAM mouseKeys);
std::int16_t ShiftMask();

}  // namespace tarvex::platform::win32
