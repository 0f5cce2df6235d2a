#pragma once
// The fonts available for the screen, from EnumFontFamiliesExA.

#include <string>
#include <string_view>
#include <vector>

namespace tarvex::platform::win32 {

// The face names of every font family for the screen, all character sets,
// in the order the system gives them, each name once.
std::vector<std::string> ScreenFontNames();

// True when the screen has a font family of this face (the system compares
// face names without regard to letter case). `face` is program text; a face
// the code page cannot hold, an empty one or one longer than a face name can
// be is not there.
bool ScreenHasFontFace(std::string_view face);

// `names` with every repeated name removed, the first of each kept in place.
std::vector<std::string> WithoutRepeats(std::vector<std::string> names);

}  // namespace tarvex::platform::win32
