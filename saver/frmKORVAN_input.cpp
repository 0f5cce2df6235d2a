// The input rules and the close guard of frmKORVAN.

#include "runtime/numeric.h"
#include "saver/frmKORVAN.h"
#include "settings/basSysAPI.h"

namespace tarvex::saver {

using basKORVAN::kFalse;
using basKORVAN::kTrue;

// The first input event only arms; the next one asks to close the window.
void frmKORVAN::ArmOrUnload() {
  if (state_.InputArmed != kFalse) {
    Window().RequestUnload();
  } else {
    state_.InputArmed = kTrue;
  }
}

// A move that arms records where the pointer was; any later move that is not
// exactly there asks to close the window.
void frmKORVAN::MoveRule(std::int16_t& recordedX, std::int16_t& recordedY, float X, float Y) {
  if (state_.InputArmed == kFalse) {
    recordedX = runtime::ToInt16(X);
    recordedY = runtime::ToInt16(Y);
    state_.InputArmed = kTrue;
    return;
  }
  if (static_cast<float>(recordedX) != X || static_cast<float>(recordedY) != Y) {
    Window().RequestUnload();
  }
}

void frmKORVAN::Form_KeyDown(std::int16_t /*KeyCode*/, std::int16_t /*Shift*/) {
  ArmOrUnload();
}

void frmKORVAN::picTARVEX_Click(std::int16_t /*Index*/) {
  ArmOrUnload();
}

void frmKORVAN::picTARVEX_KeyDown(std::int16_t /*Index*/, std::int16_t /*KeyCode*/,
                                  std::int16_t /*Shift*/) {
  ArmOrUnload();
}

void frmKORVAN::Form_MouseMove(std::int16_t /*Button*/, std::int16_t /*Shift*/, float X, float Y) {
  MoveRule(FormMouseX, FormMouseY, X, Y);
}

void frmKORVAN::picTARVEX_MouseMove(std::int16_t /*Index*/, std::int16_t /*Button*/,
                                    std::int16_t /*Shift*/, float X, float Y) {
  MoveRule(PicMouseX, PicMouseY, X, Y);
}

// The password guard of every close. A refused password keeps the window and
// swallows the next request, so that the input that follows the prompt does
// not bring it straight back.
void frmKORVAN::Form_Unload(std::int16_t& Cancel) {
  if (state_.SkipNextUnload != kFalse) {
    state_.SkipNextUnload = kFalse;
    Cancel = kTrue;
    return;
  }
  basSysAPI::ShowMouseCursor(desktop_, 1);
  if (state_.UsePassword != 0) {
    desktop_.SetScreenSaverRunning(true);
    if (desktop_.VerifyScreenSavePwd(Window().Handle())) {
      desktop_.SetScreenSaverRunning(false);
    } else {
      basSysAPI::ShowMouseCursor(desktop_, 0);
      state_.SkipNextUnload = kTrue;
      Cancel = kTrue;
    }
  }
  basSysAPI::ShowMouseCursor(desktop_, 1);
}

}  // namespace tarvex::saver
