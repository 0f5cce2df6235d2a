#pragma once
// The saver's password prompt: modal, masked, Japanese, owned by the saver
// window. The crawl goes on behind it, as its nested loop serves the
// window's timer.

#include <functional>
#include <string>

class QWidget;

namespace tarvex::qt {

// Longest password accepted, in bytes: longer input is cut off by the field.
inline constexpr int kMaxPasswordLength = 256;

// Asks for the password once. True when `verify` accepts it; false when it
// is wrong or the prompt is cancelled. A wrong password is answered only
// after a pause that doubles with each wrong one in a row, to slow down
// guessing; the crawl goes on meanwhile.
bool PromptForPassword(QWidget* owner, const std::function<bool(const std::string&)>& verify);

}  // namespace tarvex::qt
