#include "startup/settings_overrides.h"

namespace tarvex::basKORVAN {
namespace {

template <class T>
void Override(T& value, const std::optional<T>& given) {
  if (given) value = *given;
}

}  // namespace

void ApplyOverrides(SaverSettings& settings, const SettingsOverrides& overrides) {
  Override(settings.MessageFile, overrides.MessageFile);
  Override(settings.Mp3File, overrides.Mp3File);
  Override(settings.TimerInterval, overrides.TimerInterval);
  Override(settings.FontName, overrides.FontName);
  Override(settings.FontSize, overrides.FontSize);
  Override(settings.FontColor, overrides.FontColor);
}

}  // namespace tarvex::basKORVAN
