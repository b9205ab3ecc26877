#pragma once
// A read-only data file read by positioned reads of fixed-size records: one system call per record,
// no buffering, no seek state. Price and indicator files are read this way, a window at a time.

#include <cstddef>
#include <cstdint>
#include <string>

namespace candora {

class TRecordFile {
public:
  // Opens for reading; throws EInOutError naming the file when it cannot be opened.
  explicit TRecordFile(const std::string& fileName);
  ~TRecordFile();
  TRecordFile(const TRecordFile&) = delete;
  TRecordFile& operator=(const TRecordFile&) = delete;

  // Reads exactly `size` bytes at `offset`; throws EInOutError ("read beyond end of file") when
  // the file ends before them.
  void readAt(int64_t offset, void* buffer, std::size_t size) const;

  const std::string& getFileName() const { return fileName_; }

private:
  std::string fileName_;
  int fd_ = -1;
};

// Little-endian 32-bit fields of a record buffer.
inline int32_t readInt32LE(const unsigned char* p) {
  return static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                              static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
}

inline void writeInt32LE(unsigned char* p, int32_t value) {
  const auto u = static_cast<uint32_t>(value);
  p[0] = static_cast<unsigned char>(u);
  p[1] = static_cast<unsigned char>(u >> 8);
  p[2] = static_cast<unsigned char>(u >> 16);
  p[3] = static_cast<unsigned char>(u >> 24);
}

}  // namespace candora
