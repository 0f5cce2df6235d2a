#include "dialog/control_click.h"

namespace tarvex::dialog {

void RaiseClick(platform::DialogEvents& events, ControlId id) {
  switch (id) {
    case ControlId::cmdOK:
      events.cmdOK_Click();
      break;
    case ControlId::cmdEXIT:
      events.cmdEXIT_Click();
      break;
    case ControlId::cmdSansyo:
      events.cmdSansyo_Click();
      break;
    case ControlId::cmdMP3:
      events.cmdMP3_Click();
      break;
    case ControlId::lblCol:
      events.lblCol_Click();
      break;
    default:
      break;
  }
}

}  // namespace tarvex::dialog
