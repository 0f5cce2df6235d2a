#pragma once
// How the window layers route the view's controls and clicks to the design
// table and the event procedures, shared by both so they never disagree.

#include "dialog/layout.h"
#include "platform/dialog_window_host.h"

namespace tarvex::dialog {

// The design-table control behind a list or a text box of the view.
ControlId IdOf(platform::DialogList list);
ControlId IdOf(platform::DialogTextBox box);

// Runs the control's click procedure; controls without one do nothing.
void RaiseClick(platform::DialogEvents& events, ControlId id);

}  // namespace tarvex::dialog
