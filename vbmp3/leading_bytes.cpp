#include "vbmp3/leading_bytes.h"

#include <unistd.h>

namespace tarvex::vbmp3 {

std::int64_t Id3v2TagSize(const std::array<unsigned char, 10>& first) {
  if (first[0] != 'I' || first[1] != 'D' || first[2] != '3') return 0;
  std::int64_t body = 0;
  for (int i = 6; i < 10; ++i) {
    if ((first[i] & 0x80U) != 0) return 0;  // not a synchsafe size: no tag
    body = (body << 7) | first[i];
  }
  const bool footer = (first[5] & 0x10U) != 0;
  return 10 + body + (footer ? 10 : 0);
}

bool StartsNearBeginning(int fd, off_t framePosition) {
  if (framePosition < 0) return false;
  std::array<unsigned char, 10> first{};
  const ssize_t got = pread(fd, first.data(), first.size(), 0);
  const std::int64_t tag = got == static_cast<ssize_t>(first.size()) ? Id3v2TagSize(first) : 0;
  return framePosition <= tag + kLeadingSlack;
}

}  // namespace tarvex::vbmp3
