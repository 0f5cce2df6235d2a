#pragma once
// Which event procedure a click on a dialog control raises: the window layers
// route their clicks through this one table.

#include "dialog/layout.h"
#include "platform/dialog_window_host.h"

namespace tarvex::dialog {

// Runs the control's click procedure; controls without one do nothing.
void RaiseClick(platform::DialogEvents& events, ControlId id);

}  // namespace tarvex::dialog
