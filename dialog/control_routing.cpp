#include "dialog/control_routing.h"

namespace tarvex::dialog {

ControlId IdOf(platform::DialogList list) {
  switch (list) {
    case platform::DialogList::cmbFont:
      return ControlId::cmbFont;
    case platform::DialogList::cmbSize:
      return ControlId::cmbSize;
    case platform::DialogList::cmbTim:
      return ControlId::cmbTim;
  }
  return ControlId::cmbFont;
}

ControlId IdOf(platform::DialogTextBox box) {
  return box == platform::DialogTextBox::txtFile ? ControlId::txtFile : ControlId::txtMP3;
}

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
