#pragma once
// The window options that `bars` and `values` share, and fast output of their CSV rows.

#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "CommandLine.h"

namespace candora::data {

struct TListing {
  int32_t from = std::numeric_limits<int32_t>::min();
  int64_t count = std::numeric_limits<int64_t>::max();  // rows to print
  bool all = false;                                     // print empty slots too

  // Reads --from YYYY-MM-DDTHH:MM, --count N and --all; throws EUsageError for bad values.
  static TListing fromArguments(const TArguments& a);
};

// Collects output and writes it in large pieces: millions of rows would crawl through iostreams.
class TRowWriter {
public:
  ~TRowWriter() { flush(); }
  void add(const std::string& row) {
    buffer_ += row;
    buffer_ += '\n';
    if (buffer_.size() > (1u << 20)) flush();
  }
  void flush() {
    std::fwrite(buffer_.data(), 1, buffer_.size(), stdout);
    std::fflush(stdout);
    buffer_.clear();
  }

private:
  std::string buffer_;
};

}  // namespace candora::data
