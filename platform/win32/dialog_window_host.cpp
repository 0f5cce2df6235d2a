#include "platform/win32/dialog_window_host.h"

#include "dialog/control_routing.h"
#include "dialog/layout.h"
#include "platform/win32/design_units.h"
#include "platform/win32/gdi_colors.h"
#include "platform/win32/wide_text.h"
#include "runtime/ansi_text.h"

namespace tarvex::platform::win32 {

using dialog::ControlId;
using dialog::IdOf;

std::unique_ptr<DialogWindowHost> CreateWin32DialogWindowHost() {
  return std::make_unique<Win32DialogWindowHost>();
}

Win32DialogWindowHost::Win32DialogWindowHost()
    : window_(ScreenDpi()), swatchColor_(dialog::kSwatchInitialColor) {
  window_.onClick = [this](ControlId id) { Forward(id); };
  SetSwatchColor(dialog::kSwatchInitialColor);
}

HWND Win32DialogWindowHost::List(DialogList list) const {
  return window_.Control(IdOf(list));
}

HWND Win32DialogWindowHost::Box(DialogTextBox box) const {
  return window_.Control(IdOf(box));
}

void Win32DialogWindowHost::AddItem(DialogList list, const std::string& text) {
  const std::string ansi = runtime::TextToAnsiLossy(text);
  SendMessageA(List(list), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
}

int Win32DialogWindowHost::ListCount(DialogList list) {
  return static_cast<int>(SendMessageA(List(list), CB_GETCOUNT, 0, 0));
}

void Win32DialogWindowHost::SetListIndex(DialogList list, int index) {
  SendMessageA(List(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string Win32DialogWindowHost::ListText(DialogList list) {
  const HWND control = List(list);
  const LRESULT index = SendMessageA(control, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return {};
  const LRESULT length = SendMessageA(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::string ansi(static_cast<std::size_t>(length) + 1, '\0');
  SendMessageA(control, CB_GETLBTEXT, static_cast<WPARAM>(index),
               reinterpret_cast<LPARAM>(ansi.data()));
  return runtime::AnsiToText(ansi.c_str());
}

std::string Win32DialogWindowHost::Text(DialogTextBox box) {
  const HWND control = Box(box);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  const int copied = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return Utf8(text);
}

void Win32DialogWindowHost::SetText(DialogTextBox box, const std::string& text) {
  SetWindowTextW(Box(box), Utf16(text).c_str());
}

void Win32DialogWindowHost::SetSwatchColor(std::int32_t colour) {
  swatchColor_ = colour;
  window_.SetSwatchColor(ColorRefFromOle(static_cast<OleColor>(colour)));
}

std::optional<std::string> Win32DialogWindowHost::ShowOpenChooser(
    const std::vector<FileTypeFilter>& filters, int filterIndex, const std::string& fileName) {
  return RunOpenChooser(window_.Window(), filters, filterIndex, fileName);
}

std::optional<std::int32_t> Win32DialogWindowHost::ShowColorChooser(std::int32_t initial) {
  return RunColorChooser(window_.Window(), initial, customColors_);
}

void Win32DialogWindowHost::ShowModal(DialogEvents& events) {
  events_ = &events;
  window_.RunModal();
  events_ = nullptr;
  if (error_) std::rethrow_exception(error_);
}

// An error raised by an event procedure closes the dialog; ShowModal raises
// it again once the window's loop has ended.
void Win32DialogWindowHost::Forward(ControlId id) {
  if (events_ == nullptr || error_) return;
  try {
    dialog::RaiseClick(*events_, id);
  } catch (...) {
    error_ = std::current_exception();
    window_.Close();
  }
}

}  // namespace tarvex::platform::win32
