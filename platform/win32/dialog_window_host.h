#pragma once
// The settings dialog's window host on Win32: the dialog window's lists, text
// boxes and swatch, its two choosers, and the modal show.

#include <exception>
#include <memory>

#include "platform/dialog_window_host.h"
#include "platform/win32/dialog_choosers.h"
#include "platform/win32/settings_dialog_window.h"

namespace tarvex::platform::win32 {

// A new dialog window at the screen's resolution, not yet shown.
std::unique_ptr<DialogWindowHost> CreateWin32DialogWindowHost();

class Win32DialogWindowHost final : public DialogWindowHost {
 public:
  Win32DialogWindowHost();

  void AddItem(DialogList list, const std::string& text) override;
  int ListCount(DialogList list) override;
  void SetListIndex(DialogList list, int index) override;
  std::string ListText(DialogList list) override;

  void SetText(DialogTextBox box, const std::string& text) override;
  std::string Text(DialogTextBox box) override;

  void SetSwatchColor(std::int32_t colour) override;
  std::int32_t SwatchColor() override { return swatchColor_; }

  std::optional<std::string> ShowOpenChooser(const std::vector<FileTypeFilter>& filters,
                                             int filterIndex, const std::string& fileName) override;
  std::optional<std::int32_t> ShowColorChooser(std::int32_t initial) override;

  void ShowModal(DialogEvents& events) override;
  void Close() override { window_.Close(); }

  SettingsDialogWindow& Window() { return window_; }

 private:
  HWND List(DialogList list) const;
  HWND Box(DialogTextBox box) const;
  void Forward(dialog::ControlId id);

  SettingsDialogWindow window_;
  DialogEvents* events_ = nullptr;
  std::int32_t swatchColor_;
  CustomColors customColors_{};
  std::exception_ptr error_;
};

}  // namespace tarvex::platform::win32
