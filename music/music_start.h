#pragma once
// The music start, the last step of the saver window's load.

#include <string>

namespace tarvex::platform {
class Desktop;
}

namespace tarvex::music {

// Starts the music file `mp3File` (as stored in the settings) when it names
// an existing normal file; reports an open failure in a message box. Every
// step runs under skip-on-failure, so this never throws.
void MusicStart(platform::Desktop& desktop, const std::string& mp3File);

}  // namespace tarvex::music
