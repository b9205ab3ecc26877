#include "untAtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "untNivraUtil.h"

namespace candora {

namespace {

[[noreturn]] void fail(const std::string& fileName, const std::string& what, int error) {
  throw EInOutError("Cannot write \"" + fileName + "\": " + what + ": " + std::strerror(error));
}

void syncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

void writeFileAtomically(const std::string& fileName, const std::string& content) {
  const std::filesystem::path target(fileName);
  std::string temp = fileName + ".tmp-XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) fail(fileName, "cannot create a temporary file in its folder", errno);

  const char* p = content.data();
  std::size_t left = content.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      ::unlink(temp.c_str());
      fail(fileName, "writing failed", error);
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  // mkstemp makes the file private; give it the old file's permissions, or the usual ones.
  struct stat old {};
  const mode_t mode = ::stat(fileName.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
  if (::fsync(fd) != 0 || ::fchmod(fd, mode) != 0) {
    const int error = errno;
    ::close(fd);
    ::unlink(temp.c_str());
    fail(fileName, "flushing to disk failed", error);
  }
  if (::close(fd) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    fail(fileName, "closing failed", error);
  }
  if (std::rename(temp.c_str(), fileName.c_str()) != 0) {
    const int error = errno;
    ::unlink(temp.c_str());
    fail(fileName, "replacing the old file failed", error);
  }
  syncFolder(target.parent_path());
}

}  // namespace candora
