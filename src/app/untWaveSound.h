#pragma once
// One WAV file held whole in memory, with where its samples start and how to play them. Reading
// checks the file once, so a player never meets a header it cannot understand.

#include <cstddef>
#include <string>
#include <string_view>

namespace candora {

enum class TSampleFormat { UInt8, Int16, Int32, Float32 };

struct TWaveFormat {
  int sampleRate = 0;
  int channelCount = 0;
  TSampleFormat sampleFormat = TSampleFormat::Int16;

  int getBytesPerSample() const;
  int getBytesPerFrame() const { return getBytesPerSample() * channelCount; }
};

class TWaveSound {
public:
  // No sound at all: players play nothing for it.
  TWaveSound() = default;

  // Takes the bytes of a whole WAV file. Throws EConvertError naming `fileName` when they are not
  // linear PCM (8, 16 or 32-bit integer, or 32-bit float) a player can use.
  static TWaveSound fromBytes(std::string bytes, const std::string& fileName);
  // Reads the file whole; EInOutError when it cannot be read, EConvertError as above.
  static TWaveSound fromFile(const std::string& fileName);

  bool isEmpty() const { return sampleBytes_ == 0; }
  const std::string& getFileName() const { return fileName_; }
  const TWaveFormat& getFormat() const { return format_; }
  // The whole file as read.
  const std::string& getBytes() const { return bytes_; }
  // The sample frames inside it, whole frames only.
  std::string_view getSamples() const { return std::string_view(bytes_).substr(sampleOffset_, sampleBytes_); }
  double getDurationSeconds() const;

private:
  std::string bytes_;
  std::string fileName_;
  TWaveFormat format_;
  std::size_t sampleOffset_ = 0;
  std::size_t sampleBytes_ = 0;
};

}  // namespace candora
