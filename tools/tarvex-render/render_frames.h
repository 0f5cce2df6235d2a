#pragma once
// Frames of the crawl, drawn offscreen by the saver's own form and surfaces:
// the page composed as on the first activation, then N ticks; frame N is the
// whole screen (margin included) after the N-th tick, frame 0 the screen
// right after composition.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvex::render {

struct FrameRequest {
  int width = 1024;
  int height = 768;
  std::vector<int> frames;  // tick counts, any order
  std::string outDir;
};

// "WxH" with both sides from 1 to 16384.
bool ParseScreen(std::string_view text, int& width, int& height);
// "N[,N...]" with each N from 0 to 1000000; nothing for anything else.
std::optional<std::vector<int>> ParseFrames(std::string_view text);

// Loads as the saver does from `programDirectory` and writes
// outDir/frame-N.png for each requested N. Returns the exit status: 0, or 1
// after reporting an error on standard error.
int RenderFrames(const FrameRequest& request, const std::string& programDirectory);

}  // namespace tarvex::render
