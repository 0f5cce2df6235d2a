#pragma once

namespace tarvex {

// The application's title: the caption of its message boxes and the name
// its error reports start with.
inline constexpr const char* kAppTitle = "tarvex";

}  // namespace tarvex
