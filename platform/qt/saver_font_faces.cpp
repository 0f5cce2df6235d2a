#include "platform/qt/saver_font_faces.h"

#include <QFontDatabase>
#include <QStringList>
#include <array>
#include <utility>

namespace tarvex::qt {
namespace {

const std::array<std::pair<const char*, const char*>, 8> kSubstitutes = {{
    {"ＭＳ Ｐ明朝", "IPAPMincho"},
    {"MS PMincho", "IPAPMincho"},
    {"ＭＳ 明朝", "IPAMincho"},
    {"MS Mincho", "IPAMincho"},
    {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"MS PGothic", "IPAPGothic"},
    {"MS UI Gothic", "IPAPGothic"},
    {"ＭＳ ゴシック", "IPAGothic"},
}};

}  // namespace

std::optional<QString> FamilyForFace(const std::string& face) {
  for (const auto& [name, family] : kSubstitutes) {
    if (face == name) return QString::fromUtf8(family);
  }
  const QString wanted = QString::fromUtf8(face.data(), static_cast<qsizetype>(face.size()));
  if (wanted.trimmed().isEmpty()) return std::nullopt;
  for (const QString& family : QFontDatabase::families()) {
    if (family.compare(wanted, Qt::CaseInsensitive) == 0) return family;
  }
  return std::nullopt;
}

}  // namespace tarvex::qt
