#pragma once
// The settings dialog as a plain Win32 window: the controls of the dialog's
// design table at their places (twips at the screen's resolution), in "MS UI
// Gothic" 9 pt, the focus order, and the dialog's own key rules: Enter acts
// only on a focused button and Escape does nothing, as the dialog has neither
// a default nor a cancel button.

#include <array>
#include <functional>

#include "dialog/layout.h"
#include "platform/win32/gdi_handles.h"
#include "platform/win32/windows_api.h"

namespace tarvex::platform::win32 {

class SettingsDialogWindow {
 public:
  // Builds the hidden window and every control, sized for `dpi`.
  explicit SettingsDialogWindow(int dpi);
  ~SettingsDialogWindow();
  SettingsDialogWindow(const SettingsDialogWindow&) = delete;
  SettingsDialogWindow& operator=(const SettingsDialogWindow&) = delete;

  HWND Window() const { return window_; }
  HWND Control(dialog::ControlId id) const { return controls_.at(static_cast<std::size_t>(id)); }

  // The swatch's background colour.
  void SetSwatchColor(COLORREF colour);

  // Shows the window at the centre of the screen with the focus on the first
  // control of the focus order, and serves its messages until it closes.
  void RunModal();
  // Ends RunModal; the window hides. Closing the window's frame does the same.
  void Close();
  bool Closed() const { return closed_; }

  // Button and swatch clicks.
  std::function<void(dialog::ControlId)> onClick;

  // What the message loop does with a key before the controls see it: Enter
  // on a focused button clicks it; Enter and Escape go nowhere else, unless a
  // list is dropped down (it closes on them). True when the key was taken.
  bool TakeKey(const MSG& message);

 private:
  static void RegisterWindowClass();
  LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void CreateControls(int dpi);
  void OnCommand(WPARAM wParam);
  void Centre();
  void Clicked(dialog::ControlId id);
  const dialog::ControlDesign* DesignOf(HWND control) const;

  HWND window_ = nullptr;
  std::array<HWND, dialog::kControls.size()> controls_{};
  GdiObject<HFONT> font_;
  GdiObject<HBRUSH> swatchBrush_;
  HWND savedFocus_ = nullptr;
  bool closed_ = false;
};

}  // namespace tarvex::platform::win32
