#pragma once
// The settings dialog's window on Qt.

#include <memory>

#include "platform/dialog_window_host.h"

namespace tarvex::qt {

class QtDesktop;

// A new dialog window, not yet shown. Needs the application object.
std::unique_ptr<platform::DialogWindowHost> CreateQtDialogWindowHost(QtDesktop& desktop);

}  // namespace tarvex::qt
