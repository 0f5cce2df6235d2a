#pragma once
// The design of the settings dialog: its title, client size, font, every
// control's kind, text and place (in twips), and the keyboard focus order.
// The window layers build the real window from this table.

#include <array>
#include <cstdint>
#include <string_view>

namespace tarvex::dialog {

enum class ControlId {
  Frame2,
  Label4,
  cmbFont,
  Label2,
  lblCol,
  Label7,
  cmbSize,
  Label6,
  cmbTim,
  Label1,
  txtFile,
  cmdSansyo,
  Label8,
  txtMP3,
  cmdMP3,
  cmdOK,
  cmdEXIT,
};

enum class ControlKind { kGroupFrame, kLabel, kList, kTextBox, kButton, kSwatch };

// Where a control's coordinates count from.
enum class Container { kDialog, kFrame2 };

struct ControlDesign {
  ControlId id;
  std::string_view name;
  ControlKind kind;
  std::string_view text;
  Container container;
  int left;  // twips, from the container's top-left corner
  int top;
  int width;
  int height;
};

// The blank before the last word is the ideographic space U+3000.
inline constexpr std::string_view kTitle = "ソラリオン風メッセージスクリーンセーバー\u3000設定";

inline constexpr int kClientWidth = 5652;  // twips
inline constexpr int kClientHeight = 2496;

// The swatch's colour before any setting is applied: desktop colour 7, the
// menu text.
inline constexpr std::int32_t kSwatchInitialColor = static_cast<std::int32_t>(0x80000007U);

inline constexpr std::string_view kFontFace = "MS UI Gothic";
inline constexpr int kFontPoints = 9;

inline constexpr std::array<ControlDesign, 17> kControls = [] {
  using enum ControlId;
  using enum ControlKind;
  using enum Container;
  return std::array<ControlDesign, 17>{{
      {Frame2, "Frame2", kGroupFrame, "設定", kDialog, 120, 60, 5400, 1980},
      {Label4, "Label4", kLabel, "フォント", kFrame2, 120, 300, 1320, 240},
      {cmbFont, "cmbFont", kList, "", kFrame2, 1800, 240, 1440, 300},
      {Label2, "Label2", kLabel, "文字の色：", kFrame2, 3360, 300, 1080, 240},
      {lblCol, "lblCol", kSwatch, "", kFrame2, 4320, 270, 885, 285},
      {Label7, "Label7", kLabel, "フォントサイズ", kFrame2, 120, 705, 1440, 240},
      {cmbSize, "cmbSize", kList, "", kFrame2, 1800, 660, 810, 300},
      {Label6, "Label6", kLabel, "速度：", kFrame2, 3390, 705, 690, 240},
      {cmbTim, "cmbTim", kList, "", kFrame2, 4320, 660, 810, 300},
      {Label1, "Label1", kLabel, "テキストファイル", kFrame2, 120, 1080, 1665, 240},
      {txtFile, "txtFile", kTextBox, "", kFrame2, 1800, 1080, 2835, 255},
      {cmdSansyo, "cmdSansyo", kButton, "参照", kFrame2, 4680, 1080, 585, 285},
      {Label8, "Label8", kLabel, "音楽ファイル", kFrame2, 120, 1440, 1665, 240},
      {txtMP3, "txtMP3", kTextBox, "", kFrame2, 1800, 1440, 2835, 255},
      {cmdMP3, "cmdMP3", kButton, "参照", kFrame2, 4680, 1440, 585, 285},
      {cmdOK, "cmdOK", kButton, "保 存", kDialog, 1785, 2145, 825, 300},
      {cmdEXIT, "cmdEXIT", kButton, "取 消", kDialog, 2700, 2145, 825, 300},
  }};
}();

// Keyboard focus order; the first control has the focus when the dialog opens.
inline constexpr std::array<ControlId, 9> kFocusOrder = [] {
  using enum ControlId;
  return std::array<ControlId, 9>{cmdOK,     cmdEXIT, cmbFont, cmbSize, txtFile,
                                  cmdSansyo, cmbTim,  cmdMP3,  txtMP3};
}();

}  // namespace tarvex::dialog
