#pragma once
// A progress bar on standard error for work that takes more than a second, drawn only when
// standard error is a terminal: scripts, builds and tests see nothing.

#include <chrono>
#include <cstdint>
#include <string>

namespace candora::data {

class TProgress {
public:
  TProgress(std::string label, int64_t total);
  ~TProgress();
  TProgress(const TProgress&) = delete;
  TProgress& operator=(const TProgress&) = delete;

  // Cheap enough to call for every item: the clock is read only every few thousand calls.
  void update(int64_t done) {
    if (!enabled_ || (++calls_ & 0xfff) != 0) return;
    draw(done);
  }
  void step(int64_t done) {  // for coarse work: looks at the clock on every call
    if (enabled_) draw(done);
  }

  // Off unless standard error is a terminal; a tool may switch it off entirely.
  static void setAllowed(bool allowed);

private:
  void draw(int64_t done);

  std::string label_;
  int64_t total_;
  bool enabled_;
  bool drawn_ = false;
  int64_t lastDrawn_ = -1;
  uint32_t calls_ = 0;
  std::chrono::steady_clock::time_point start_, lastDraw_;
};

}  // namespace candora::data
