#pragma once
// Font faces for the saver's text page. Linux has none of the Japanese
// desktop's faces, so they are mapped to the IPA fonts; any other face must be
// installed. fontconfig itself never refuses a name, so this is where a face
// gets refused.

#include <QString>
#include <optional>
#include <string>

namespace tarvex::qt {

// The installed family that draws `face`: its substitute from the table, or
// the face itself when it is installed (letter case aside); nothing when it
// is neither.
std::optional<QString> FamilyForFace(const std::string& face);

}  // namespace tarvex::qt
