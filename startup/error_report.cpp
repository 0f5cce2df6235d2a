#include "startup/error_report.h"

#include <cstdio>

#include "platform/desktop.h"
#include "startup/app_title.h"

namespace tarvex::basKORVAN {

std::string ErrorReportText(const runtime::RuntimeError& error) {
  std::string text = "実行時エラー " + std::to_string(error.number()) + ": " + error.description();
  if (!error.subject().empty()) text += "\n" + error.subject();
  return text;
}

void ReportError(platform::Desktop& desktop, const runtime::RuntimeError& error) {
  const std::string text = ErrorReportText(error);
  std::fprintf(stderr, "%s: %s\n", kAppTitle, text.c_str());
  std::fflush(stderr);
  desktop.MessageBox(text, kAppTitle);
}

}  // namespace tarvex::basKORVAN
