#include "platform/qt/saver_system_colors.h"

#include <QGuiApplication>
#include <QPalette>
#include <array>

namespace tarvex::qt {
namespace {

struct SystemRole {
  QPalette::ColorGroup group;
  QPalette::ColorRole role;
};

constexpr QPalette::ColorGroup A = QPalette::Active;
constexpr QPalette::ColorGroup I = QPalette::Inactive;
constexpr QPalette::ColorGroup D = QPalette::Disabled;
// QPalette::NoRole marks numbers without a system colour.
constexpr std::array<SystemRole, 31> kSystemRoles = {{
    {A, QPalette::Button},
    {A, QPalette::Dark},
    {A, QPalette::Highlight},
    {I, QPalette::Highlight},
    {A, QPalette::Window},
    {A, QPalette::Base},
    {A, QPalette::Shadow},
    {A, QPalette::WindowText},
    {A, QPalette::Text},
    {A, QPalette::HighlightedText},
    {A, QPalette::Window},
    {I, QPalette::Window},
    {A, QPalette::Mid},
    {A, QPalette::Highlight},
    {A, QPalette::HighlightedText},
    {A, QPalette::Button},
    {A, QPalette::Dark},
    {D, QPalette::Text},
    {A, QPalette::ButtonText},
    {I, QPalette::HighlightedText},
    {A, QPalette::Light},
    {A, QPalette::Shadow},
    {A, QPalette::Midlight},
    {A, QPalette::ToolTipText},
    {A, QPalette::ToolTipBase},
    {A, QPalette::NoRole},
    {A, QPalette::Link},
    {A, QPalette::Highlight},
    {I, QPalette::Highlight},
    {A, QPalette::Highlight},
    {A, QPalette::Window},
}};

QColor SystemColor(std::uint32_t index) {
  if (index >= kSystemRoles.size()) return Qt::black;
  const SystemRole entry = kSystemRoles[index];
  if (entry.role == QPalette::NoRole) return Qt::black;
  const QPalette palette =
      QGuiApplication::instance() != nullptr ? QGuiApplication::palette() : QPalette();
  return palette.color(entry.group, entry.role);
}

}  // namespace

QColor ColorFromOle(platform::OleColor color) {
  if ((color & platform::kSystemColorFlag) != 0) {
    return SystemColor(color & ~platform::kSystemColorFlag);
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace tarvex::qt
