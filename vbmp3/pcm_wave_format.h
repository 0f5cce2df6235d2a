#pragma once
// The decoder's PCM (16-bit signed, interleaved) as a Windows wave format:
// what the codec is asked to give and what the sound device is opened for.

#include <windows.h>
// The wave formats need windows.h first.
#include <mmreg.h>

#include <cstdint>

namespace tarvex::vbmp3 {

inline WAVEFORMATEX Pcm16WaveFormat(std::int32_t sampleRate, std::int32_t channels) {
  WAVEFORMATEX pcm{};
  pcm.wFormatTag = WAVE_FORMAT_PCM;
  pcm.nChannels = static_cast<WORD>(channels);
  pcm.nSamplesPerSec = static_cast<DWORD>(sampleRate);
  pcm.wBitsPerSample = 16;
  pcm.nBlockAlign = static_cast<WORD>(channels * 2);
  pcm.nAvgBytesPerSec = pcm.nSamplesPerSec * pcm.nBlockAlign;
  return pcm;
}

}  // namespace tarvex::vbmp3
