#include "saver/frmKORVAN.h"

#include "music/music_start.h"
#include "music/vbmp3_binding.h"
#include "runtime/runtime_error.h"
#include "runtime/skip_on_failure.h"
#include "saver/color_text.h"
#include "settings/basSysAPI.h"

namespace tarvex::saver {

frmKORVAN::frmKORVAN(basKORVAN::SharedState& state, platform::Desktop& desktop)
    : state_(state), desktop_(desktop) {}

frmKORVAN::~frmKORVAN() = default;

platform::SaverWindowHost& frmKORVAN::Window() {
  if (host_) return *host_;
  auto host = desktop_.CreateSaverWindowHost();
  if (!host) throw runtime::RuntimeError(runtime::kOutOfMemory, "frmKORVAN");
  host_ = std::move(host);
  host_->Attach(*this);
  for (int i = 0; i < 3; ++i) picTARVEX[i] = &host_->Picture(i);
  tmrStr = &host_->Timer();
  Form_Load();
  return *host_;
}

void frmKORVAN::SetTimerInterval(std::int32_t milliseconds) {
  Window();
  tmrStr->SetInterval(milliseconds);
}

void frmKORVAN::ShowModal() {
  Window().ShowModal();
}

std::int32_t frmKORVAN::getState() {
  return music::getState();
}

void frmKORVAN::Form_Load() {
  ApplySettings();
  runtime::SkipOnFailure([&] { basSysAPI::ShowMouseCursor(desktop_, 0); });
  runtime::SkipOnFailure([&] { music::MusicStart(desktop_, state_.Settings.Mp3File); });
}

// Each setting that the page or the window refuses is skipped; the design
// value stays.
void frmKORVAN::ApplySettings() {
  const basKORVAN::SaverSettings& settings = state_.Settings;
  platform::PictureSurface& page = *picTARVEX[2];
  runtime::SkipOnFailure([&] {
    if (settings.FontSize > 0) page.SetFontSize(settings.FontSize);
  });
  runtime::SkipOnFailure([&] { page.SetFontName(settings.FontName); });
  runtime::SkipOnFailure([&] { host_->SetForeColor(ColorFromText(settings.FontColor)); });
}

}  // namespace tarvex::saver
