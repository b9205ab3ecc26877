#pragma once
// Builds WAV files byte by byte, so each test shows exactly which header it feeds the reader.

#include <cstdint>
#include <string>

namespace candora::testing {

inline void putU16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

inline void putU32(std::string& out, uint32_t v) {
  putU16(out, v & 0xFFFF);
  putU16(out, v >> 16);
}

inline std::string chunk(const std::string& id, const std::string& body) {
  std::string out = id;
  putU32(out, static_cast<uint32_t>(body.size()));
  out += body;
  if (body.size() % 2) out += '\0';
  return out;
}

inline std::string fmtBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  std::string out;
  const uint16_t blockAlign = static_cast<uint16_t>(channels * bits / 8);
  putU16(out, tag);
  putU16(out, channels);
  putU32(out, rate);
  putU32(out, rate * blockAlign);
  putU16(out, blockAlign);
  putU16(out, bits);
  return out;
}

inline std::string riff(const std::string& chunks) {
  std::string out = "RIFF";
  putU32(out, static_cast<uint32_t>(4 + chunks.size()));
  return out + "WAVE" + chunks;
}

// A plain 16-bit mono file of `frames` frames whose samples count up from `first`.
inline std::string pcm16Wav(std::size_t frames, int16_t first = 0, uint32_t rate = 44100) {
  std::string samples;
  for (std::size_t i = 0; i < frames; ++i) putU16(samples, static_cast<uint16_t>(first + static_cast<int16_t>(i)));
  return riff(chunk("fmt ", fmtBody(1, 1, rate, 16)) + chunk("data", samples));
}

}  // namespace candora::testing
