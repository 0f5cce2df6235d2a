#pragma once
// frmKORVAN: the full-screen saver window. Its member functions are the
// window's event procedures; a platform window host owns the real window and
// calls them one at a time on the UI thread.

#include <cstdint>
#include <memory>

#include "platform/saver_window_host.h"
#include "startup/shared_state.h"

namespace tarvex::saver {

class frmKORVAN final : public platform::SaverWindowEvents {
 public:
  // No window yet: the first use of the form creates and loads it.
  frmKORVAN(basKORVAN::SharedState& state, platform::Desktop& desktop);
  frmKORVAN(const frmKORVAN&) = delete;
  frmKORVAN& operator=(const frmKORVAN&) = delete;
  ~frmKORVAN();

  // tmrStr.Interval := milliseconds, loading the window first.
  void SetTimerInterval(std::int32_t milliseconds);
  // Shows the window modally and returns once it has closed.
  void ShowModal();
  // Polls the playback library; always 0.
  std::int32_t getState();

  // Event procedures.
  void Form_Load();
  void Form_Activate() override;
  void Command2_Click();
  void tmrStr_Timer() override;
  void Form_KeyDown(std::int16_t KeyCode, std::int16_t Shift) override;
  void Form_MouseMove(std::int16_t Button, std::int16_t Shift, float X, float Y) override;
  void picTARVEX_Click(std::int16_t Index) override;
  void picTARVEX_KeyDown(std::int16_t Index, std::int16_t KeyCode, std::int16_t Shift) override;
  void picTARVEX_MouseMove(std::int16_t Index, std::int16_t Button, std::int16_t Shift, float X,
                           float Y) override;
  void Form_Unload(std::int16_t& Cancel) override;

  // The controls, set when the window is loaded: picTARVEX(0) the page copy,
  // picTARVEX(1) the display, picTARVEX(2) the text page.
  platform::PictureSurface* picTARVEX[3] = {nullptr, nullptr, nullptr};
  platform::SaverTimer* tmrStr = nullptr;

  // The window's state: the crawl position and the pointer positions that
  // armed the input.
  std::int16_t ScrollPos = 0;
  std::int16_t FormMouseX = 0;
  std::int16_t FormMouseY = 0;
  std::int16_t PicMouseX = 0;
  std::int16_t PicMouseY = 0;

 private:
  platform::SaverWindowHost& Window();
  void ApplySettings();
  void PrintMessage();
  void DrawBand(std::int16_t y);
  void ArmOrUnload();
  void MoveRule(std::int16_t& recordedX, std::int16_t& recordedY, float X, float Y);

  basKORVAN::SharedState& state_;
  platform::Desktop& desktop_;
  std::unique_ptr<platform::SaverWindowHost> host_;
};

}  // namespace tarvex::saver
