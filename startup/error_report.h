#pragma once
// The report that ends the process after a run-time error: a message box
// with the number, the Japanese description and the file concerned, and
// the same text on standard error.

#include <string>

#include "runtime/runtime_error.h"

namespace tarvex::platform {
class Desktop;
}

namespace tarvex::basKORVAN {

// The report's text, e.g. "実行時エラー 53: ファイルが見つかりません。\n/path/readme.txt".
std::string ErrorReportText(const runtime::RuntimeError& error);

// Writes the report to standard error and shows it in a message box (the
// desktop shows nothing when there is no display).
void ReportError(platform::Desktop& desktop, const runtime::RuntimeError& error);

}  // namespace tarvex::basKORVAN
