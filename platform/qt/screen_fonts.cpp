#include "platform/qt/screen_fonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>

namespace tarvex::qt {

std::vector<std::string> QtScreenFontNames() {
  std::vector<std::string> names;
  for (const QString& family : QFontDatabase::families()) {
    if (!QFontDatabase::isPrivateFamily(family)) names.push_back(family.toStdString());
  }
  return names;
}

}  // namespace tarvex::qt
