#include "untWaveSound.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>

#include "untNivraUtil.h"

namespace candora {
namespace {

constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;
constexpr uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMaxChannels = 8;
constexpr uint32_t kMaxSampleRate = 768000;

uint16_t readU16(std::string_view bytes, std::size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(bytes[at]) |
                               static_cast<unsigned char>(bytes[at + 1]) << 8);
}

uint32_t readU32(std::string_view bytes, std::size_t at) {
  return static_cast<uint32_t>(readU16(bytes, at)) | static_cast<uint32_t>(readU16(bytes, at + 2)) << 16;
}

struct FormatChunk {
  uint16_t tag;
  uint16_t channels;
  uint32_t sampleRate;
  uint16_t blockAlign;
  uint16_t bitsPerSample;
};

class WaveError {
public:
  explicit WaveError(std::string problem) : problem(std::move(problem)) {}
  std::string problem;
};

FormatChunk readFormatChunk(std::string_view chunk) {
  if (chunk.size() < 16) throw WaveError("its format header is too short");
  FormatChunk f{readU16(chunk, 0), readU16(chunk, 2), readU32(chunk, 4), readU16(chunk, 12), readU16(chunk, 14)};
  // The extensible header keeps the real format tag in the first two bytes of its sub-format GUID.
  if (f.tag == kFormatExtensible) {
    if (chunk.size() < 40) throw WaveError("its extensible format header is too short");
    f.tag = readU16(chunk, 24);
  }
  return f;
}

TSampleFormat toSampleFormat(const FormatChunk& f) {
  if (f.tag == kFormatPcm) {
    switch (f.bitsPerSample) {
      case 8: return TSampleFormat::UInt8;
      case 16: return TSampleFormat::Int16;
      case 32: return TSampleFormat::Int32;
      default: break;
    }
    throw WaveError(std::to_string(f.bitsPerSample) + "-bit samples are not supported (8, 16 or 32-bit are)");
  }
  if (f.tag == kFormatFloat && f.bitsPerSample == 32) return TSampleFormat::Float32;
  throw WaveError("it is compressed or uses an unsupported sample encoding (format tag " + std::to_string(f.tag) +
                  ", " + std::to_string(f.bitsPerSample) + " bits)");
}

TWaveFormat toWaveFormat(const FormatChunk& f) {
  if (f.channels < 1 || f.channels > kMaxChannels)
    throw WaveError("it declares " + std::to_string(f.channels) + " channels");
  if (f.sampleRate < 1 || f.sampleRate > kMaxSampleRate)
    throw WaveError("it declares a sample rate of " + std::to_string(f.sampleRate) + " Hz");
  TWaveFormat format{static_cast<int>(f.sampleRate), f.channels, toSampleFormat(f)};
  if (f.blockAlign != format.getBytesPerFrame())
    throw WaveError("its frame size " + std::to_string(f.blockAlign) + " does not match its channels and sample size");
  return format;
}

}  // namespace

int TWaveFormat::getBytesPerSample() const {
  switch (sampleFormat) {
    case TSampleFormat::UInt8: return 1;
    case TSampleFormat::Int16: return 2;
    case TSampleFormat::Int32:
    case TSampleFormat::Float32: return 4;
  }
  return 2;
}

double TWaveSound::getDurationSeconds() const {
  if (isEmpty()) return 0.0;
  return static_cast<double>(sampleBytes_ / format_.getBytesPerFrame()) / format_.sampleRate;
}

TWaveSound TWaveSound::fromBytes(std::string bytes, const std::string& fileName) {
  TWaveSound sound;
  sound.fileName_ = fileName;
  try {
    const std::string_view all(bytes);
    if (all.size() < 12 || all.substr(0, 4) != "RIFF" || all.substr(8, 4) != "WAVE")
      throw WaveError("it is not a WAV file");

    // Writers disagree on the RIFF size and some leave a truncated last chunk, so chunks are walked
    // against the bytes actually present.
    std::optional<TWaveFormat> format;
    std::size_t at = 12;
    bool haveData = false;
    while (!haveData && at + 8 <= all.size()) {
      const std::string_view id = all.substr(at, 4);
      const std::size_t declared = readU32(all, at + 4);
      const std::size_t body = at + 8;
      const std::size_t size = std::min(declared, all.size() - body);
      if (id == "fmt ") {
        if (size < declared) throw WaveError("its format header is cut off");
        format = toWaveFormat(readFormatChunk(all.substr(body, size)));
      } else if (id == "data") {
        if (!format) throw WaveError("its samples come before their format header");
        sound.sampleOffset_ = body;
        sound.sampleBytes_ = size - size % static_cast<std::size_t>(format->getBytesPerFrame());
        haveData = true;
      }
      at = body + declared + (declared & 1);  // chunks are padded to an even length
    }
    if (!format) throw WaveError("it has no format header");
    if (!haveData) throw WaveError("it has no sample data");
    sound.format_ = *format;
  } catch (const WaveError& e) {
    throw EConvertError("\"" + fileName + "\" cannot be played: " + e.problem);
  }
  sound.bytes_ = std::move(bytes);
  return sound;
}

TWaveSound TWaveSound::fromFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EInOutError("Cannot open \"" + fileName + "\": " + std::strerror(errno));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EInOutError("Cannot read \"" + fileName + "\": " + std::strerror(errno));
  return fromBytes(std::move(bytes), fileName);
}

}  // namespace candora
