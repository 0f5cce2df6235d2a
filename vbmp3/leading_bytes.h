#pragma once
// What may come before a file's first audio frame: an ID3v2 tag, and then a
// little more (a RIFF header, an encoder's info frame, some padding). Anything
// further in means the frame was found in junk.

#include <sys/types.h>

#include <array>
#include <cstdint>

namespace tarvex::vbmp3 {

// Bytes allowed before the first audio frame beyond the ID3v2 tag.
inline constexpr std::int64_t kLeadingSlack = 8192;

// The size of the ID3v2 tag (header, body and footer) that `first` (a file's
// first ten bytes) starts, 0 when it starts none.
std::int64_t Id3v2TagSize(const std::array<unsigned char, 10>& first);

// Whether an audio frame at byte `framePosition` of the file open as `fd`
// lies within the slack after the file's ID3v2 tag.
bool StartsNearBeginning(int fd, off_t framePosition);

}  // namespace tarvex::vbmp3
