#pragma once
// The face names of the fonts available for the screen.

#include <string>
#include <vector>

namespace tarvex::qt {

// The families the Qt font database offers, in its order (sorted by name,
// each family once). These are the very names the Qt text layer resolves, so
// every entry is a face the crawl can be drawn in. Needs the application
// object.
std::vector<std::string> QtScreenFontNames();

}  // namespace tarvex::qt
