#include "untRecordFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "untNivraUtil.h"

namespace candora {

TRecordFile::TRecordFile(const std::string& fileName) : fileName_(fileName) {
  fd_ = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw EInOutError("Cannot open \"" + fileName + "\": " + std::strerror(errno));
}

TRecordFile::~TRecordFile() {
  if (fd_ >= 0) ::close(fd_);
}

void TRecordFile::readAt(int64_t offset, void* buffer, std::size_t size) const {
  auto* out = static_cast<unsigned char*>(buffer);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd_, out + done, size - done, static_cast<off_t>(offset + static_cast<int64_t>(done)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EInOutError("Cannot read \"" + fileName_ + "\": " + std::strerror(errno));
    if (n == 0)
      throw EInOutError("Read beyond end of file \"" + fileName_ + "\" at byte " + std::to_string(offset) +
                        ": the file is shorter than its header promises");
    done += static_cast<std::size_t>(n);
  }
}

}  // namespace candora
