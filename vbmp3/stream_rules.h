#pragma once
// What both decoders require of a file before they call it MPEG audio, so
// that a file opens, or is refused, alike on Linux and on Windows.

#include <cstddef>
#include <cstdint>

namespace tarvex::vbmp3 {

// Bytes allowed before the first audio frame beyond the ID3v2 tag (a RIFF
// header, an encoder's info frame, some padding): a frame further in was
// found in junk.
inline constexpr std::int64_t kLeadingSlack = 8192;

// A file opens when this many frames follow one another (or all of a shorter
// file): one lucky header in random bytes is not a file.
inline constexpr int kProbeFrames = 8;

// Junk skipped between frames before the stream counts as broken.
inline constexpr std::size_t kResyncLimit = 2048;

}  // namespace tarvex::vbmp3
