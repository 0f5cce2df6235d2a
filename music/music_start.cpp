// The music start: the last step of the saver window's load. Each step runs
// under skip-on-failure, so a missing library or file never stops the saver.

#include "music/music_start.h"

#include <string_view>

#include "music/vbmp3_binding.h"
#include "platform/desktop.h"
#include "runtime/skip_on_failure.h"
#include "startup/app_title.h"

namespace tarvex::music {
namespace {

std::string TrimSpaces(const std::string& text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void MusicStart(platform::Desktop& desktop, const std::string& mp3File) {
  using runtime::SkipOnFailure;
  SkipOnFailure([] { vbmp3_init(); });
  SkipOnFailure([] { getState(); });
  SkipOnFailure([] {
    std::int32_t left = 0;
    std::int32_t right = 0;
    vbmp3_getVolume(left, right);
  });
  // A name the file system rejects counts as no file: the music start ends.
  bool exists = false;
  SkipOnFailure([&] { exists = desktop.NormalFileExists(mp3File); });
  if (!exists) return;

  SkipOnFailure([] { vbmp3_stop(); });
  std::int16_t opened = 0;
  SkipOnFailure([&] {
    Mp3OpenInfo info{};
    opened = vbmp3_open(TrimSpaces(mp3File), info);
  });
  if (opened == 0) {
    SkipOnFailure([&] {
      const std::string text = "ErrNo : " + std::to_string(vbmp3_getLastErrorNo()) + " Open Error";
      desktop.MessageBox(text, kAppTitle);
    });
    return;
  }
  SkipOnFailure([] { getState(); });
  SkipOnFailure([] { vbmp3_play(); });
}

}  // namespace tarvex::music
