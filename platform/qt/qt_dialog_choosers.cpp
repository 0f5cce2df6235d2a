#include "platform/qt/qt_dialog_choosers.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QString>
#include <QStringList>

#include "platform/qt/saver_system_colors.h"

namespace tarvex::qt {

namespace {

std::int32_t ColorValueOf(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return rgb.red() + 256 * rgb.green() + 65536 * rgb.blue();
}

}  // namespace

QString NameFilterOf(const platform::FileTypeFilter& filter) {
  QString patterns = QString::fromStdString(filter.pattern).replace(';', ' ').simplified();
  if (patterns.isEmpty()) patterns = QStringLiteral("*");
  return QString::fromStdString(filter.label) + QStringLiteral(" (") + patterns +
         QStringLiteral(")");
}

std::optional<std::string> RunOpenChooser(QWidget* owner,
                                          const std::vector<platform::FileTypeFilter>& filters,
                                          int filter_index, const std::string& file_name) {
  QFileDialog chooser(owner);
  chooser.setOption(QFileDialog::DontUseNativeDialog);
  chooser.setOption(QFileDialog::HideNameFilterDetails);
  chooser.setAcceptMode(QFileDialog::AcceptOpen);
  chooser.setFileMode(QFileDialog::ExistingFile);
  QStringList names;
  for (const auto& filter : filters) names << NameFilterOf(filter);
  if (!names.isEmpty()) chooser.setNameFilters(names);
  if (filter_index >= 1 && filter_index <= names.size()) {
    chooser.selectNameFilter(names[filter_index - 1]);
  }
  if (!file_name.empty()) chooser.selectFile(QString::fromStdString(file_name));
  if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return QDir::toNativeSeparators(chooser.selectedFiles().constFirst()).toStdString();
}

std::optional<std::int32_t> RunColorChooser(QWidget* owner, std::int32_t initial) {
  QColorDialog chooser(ColorFromOle(static_cast<platform::OleColor>(initial)), owner);
  chooser.setOption(QColorDialog::DontUseNativeDialog);
  if (chooser.exec() != QDialog::Accepted) return std::nullopt;
  return ColorValueOf(chooser.currentColor());
}

}  // namespace tarvex::qt
