#include "platform/win32/settings_dialog_window.h"

#include <algorithm>
#include <string>

#include "platform/win32/design_units.h"
#include "platform/win32/window_class.h"
#include "runtime/ansi_text.h"
#include "runtime/twips.h"

namespace tarvex::platform::win32 {

namespace {

using dialog::ControlDesign;
using dialog::ControlId;
using dialog::ControlKind;

constexpr const char* kWindowClass = "TarvexSettingsDialog";
// Control ids start above IDOK and IDCANCEL, which the dialog keys would send.
constexpr int kFirstControlId = 100;
// The drop-down part of a list: about thirteen entries of the dialog's font.
constexpr int kDropDownTwips = 3000;
constexpr DWORD kFrameStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kFrameExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

const ControlDesign& DesignById(ControlId id) {
  return *std::find_if(dialog::kControls.begin(), dialog::kControls.end(),
                       [id](const ControlDesign& design) { return design.id == id; });
}

bool TakesFocus(ControlId id) {
  return std::find(dialog::kFocusOrder.begin(), dialog::kFocusOrder.end(), id) !=
         dialog::kFocusOrder.end();
}

struct ControlClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
};

ControlClass ClassOf(ControlKind kind) {
  constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
  switch (kind) {
    case ControlKind::kGroupFrame:
      return {"BUTTON", kChild | BS_GROUPBOX, 0};
    case ControlKind::kLabel:
      return {"STATIC", kChild | SS_LEFT, 0};
    case ControlKind::kList:
      // No CBS_SORT: entries stay in the order they were added.
      return {"COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    case ControlKind::kTextBox:
      return {"EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::kButton:
      return {"BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0};
    case ControlKind::kSwatch:
      return {"STATIC", kChild | SS_NOTIFY, 0};
  }
  return {"STATIC", kChild, 0};
}

GdiObject<HFONT> DialogFont(int dpi) {
  const int height = PointsToPixels(dialog::kFontPoints, dpi);
  const std::string face(dialog::kFontFace);
  return GdiObject<HFONT>(CreateFontA(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                      SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                      DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

HMENU MenuId(ControlId id) {
  // A child window's "menu" is its control id.
  return reinterpret_cast<HMENU>(  // NOLINT(performance-no-int-to-ptr)
      static_cast<INT_PTR>(kFirstControlId + static_cast<int>(id)));
}

// Text boxes are wide windows, so what is typed comes back exactly, also
// characters the ANSI code page lacks; everything else is ANSI.
HWND CreateControl(HWND parent, const ControlDesign& design, const RECT& place) {
  const ControlClass kind = ClassOf(design.kind);
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  if (design.kind == ControlKind::kTextBox) {
    return CreateWindowExW(kind.exStyle, L"EDIT", L"", kind.style, place.left, place.top, width,
                           height, parent, MenuId(design.id), instance, nullptr);
  }
  const std::string text = runtime::TextToAnsiLossy(design.text);
  return CreateWindowExA(kind.exStyle, kind.name, text.c_str(), kind.style, place.left, place.top,
                         width, height, parent, MenuId(design.id), instance, nullptr);
}

}  // namespace

void SettingsDialogWindow::RegisterWindowClass() {
  static const bool registered = [] {
    win32::RegisterWindowClass(
        kWindowClass,
        win32::ObjectWindowProc<SettingsDialogWindow, &SettingsDialogWindow::OnMessage>,
        GetSysColorBrush(COLOR_BTNFACE));
    return true;
  }();
  (void)registered;
}

SettingsDialogWindow::SettingsDialogWindow(int dpi) : font_(DialogFont(dpi)) {
  RegisterWindowClass();
  RECT frame{0, 0, runtime::TwipsToPixels(dialog::kClientWidth, dpi),
             runtime::TwipsToPixels(dialog::kClientHeight, dpi)};
  AdjustWindowRectEx(&frame, kFrameStyle, FALSE, kFrameExStyle);
  const std::string title = runtime::TextToAnsiLossy(dialog::kTitle);
  window_ = CreateWindowExA(kFrameExStyle, kWindowClass, title.c_str(), kFrameStyle, 0, 0,
                            frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                            GetModuleHandleA(nullptr), this);
  CreateControls(dpi);
}

SettingsDialogWindow::~SettingsDialogWindow() {
  if (window_ == nullptr) return;
  SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
  DestroyWindow(window_);
}

// Controls that take no focus first, then the others in the focus order:
// the order of creation is the order Tab follows.
void SettingsDialogWindow::CreateControls(int dpi) {
  const ControlDesign& frame = DesignById(ControlId::Frame2);
  auto create = [&](const ControlDesign& design) {
    const bool inFrame = design.container == dialog::Container::kFrame2;
    const int left = runtime::TwipsToPixels(design.left, dpi) +
                     (inFrame ? runtime::TwipsToPixels(frame.left, dpi) : 0);
    const int top = runtime::TwipsToPixels(design.top, dpi) +
                    (inFrame ? runtime::TwipsToPixels(frame.top, dpi) : 0);
    const int dropDown = design.kind == ControlKind::kList ? kDropDownTwips : 0;
    const RECT place{left, top, left + runtime::TwipsToPixels(design.width, dpi),
                     top + runtime::TwipsToPixels(design.height + dropDown, dpi)};
    const HWND control = CreateControl(window_, design, place);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    controls_.at(static_cast<std::size_t>(design.id)) = control;
  };
  for (const ControlDesign& design : dialog::kControls) {
    if (!TakesFocus(design.id)) create(design);
  }
  for (const ControlId id : dialog::kFocusOrder) create(DesignById(id));
}

void SettingsDialogWindow::SetSwatchColor(COLORREF colour) {
  swatchBrush_.reset(CreateSolidBrush(colour));
  InvalidateRect(Control(ControlId::lblCol), nullptr, TRUE);
}

void SettingsDialogWindow::Centre() {
  RECT frame{};
  GetWindowRect(window_, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  SetWindowPos(window_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialogWindow::RunModal() {
  if (closed_) return;
  Centre();
  savedFocus_ = Control(dialog::kFocusOrder.front());
  ShowWindow(window_, SW_SHOW);
  SetForegroundWindow(window_);
  SetFocus(savedFocus_);
  MSG message{};
  while (!closed_) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // A quit request is for the outermost loop: pass it on.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    if (TakeKey(message) || IsDialogMessageW(window_, &message) != FALSE) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  ShowWindow(window_, SW_HIDE);
}

void SettingsDialogWindow::Close() {
  closed_ = true;
  ShowWindow(window_, SW_HIDE);
}

bool SettingsDialogWindow::TakeKey(const MSG& message) {
  if (message.message != WM_KEYDOWN) return false;
  if (message.wParam != VK_RETURN && message.wParam != VK_ESCAPE) return false;
  if (message.hwnd != window_ && IsChild(window_, message.hwnd) == FALSE) return false;
  const HWND focus = GetFocus();
  const ControlDesign* design = DesignOf(focus);
  if (design != nullptr && design->kind == ControlKind::kList &&
      SendMessageA(focus, CB_GETDROPPEDSTATE, 0, 0) != FALSE) {
    return false;
  }
  if (message.wParam == VK_RETURN && design != nullptr && design->kind == ControlKind::kButton) {
    Clicked(design->id);
  }
  return true;
}

const ControlDesign* SettingsDialogWindow::DesignOf(HWND control) const {
  if (control == nullptr) return nullptr;
  const auto found = std::find(controls_.begin(), controls_.end(), control);
  if (found == controls_.end()) return nullptr;
  return &DesignById(static_cast<ControlId>(found - controls_.begin()));
}

void SettingsDialogWindow::Clicked(ControlId id) {
  if (onClick) onClick(id);
}

void SettingsDialogWindow::OnCommand(WPARAM wParam) {
  const int index = LOWORD(wParam) - kFirstControlId;
  if (index < 0 || static_cast<std::size_t>(index) >= controls_.size()) return;
  const auto id = static_cast<ControlId>(index);
  const ControlKind kind = DesignById(id).kind;
  const WORD code = HIWORD(wParam);
  if ((kind == ControlKind::kButton && code == BN_CLICKED) ||
      (kind == ControlKind::kSwatch && code == STN_CLICKED)) {
    Clicked(id);
  }
}

LRESULT SettingsDialogWindow::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(wParam);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (lParam == reinterpret_cast<LPARAM>(Control(ControlId::lblCol)) && swatchBrush_) {
        return reinterpret_cast<LRESULT>(swatchBrush_.get());
      }
      break;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ACTIVATE:
      // The focus comes back to the control that had it.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus) != FALSE) savedFocus_ = focus;
      } else if (savedFocus_ != nullptr) {
        SetFocus(savedFocus_);
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tarvex::platform::win32
