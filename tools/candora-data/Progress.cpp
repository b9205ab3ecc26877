#include "Progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace candora::data {

namespace {

bool& allowed() {
  static bool value = ::isatty(STDERR_FILENO) == 1;
  return value;
}

constexpr auto kQuietTime = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
constexpr int kBarWidth = 30;

}  // namespace

void TProgress::setAllowed(bool value) { allowed() = value; }

TProgress::TProgress(std::string label, int64_t total)
    : label_(std::move(label)), total_(std::max<int64_t>(total, 1)), enabled_(allowed()),
      start_(std::chrono::steady_clock::now()), lastDraw_(start_) {}

TProgress::~TProgress() {
  if (!drawn_) return;
  if (lastDrawn_ < total_) draw(total_);
  std::fputc('\n', stderr);
}

void TProgress::draw(int64_t done) {
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < kQuietTime || (drawn_ && now - lastDraw_ < kRedrawInterval && done < total_)) return;
  lastDraw_ = now;
  drawn_ = true;
  lastDrawn_ = done;
  const double fraction = std::clamp(static_cast<double>(done) / static_cast<double>(total_), 0.0, 1.0);
  const int filled = static_cast<int>(fraction * kBarWidth);
  std::fprintf(stderr, "\r%s [%.*s%*s] %3d%%", label_.c_str(), filled, "##############################",
               kBarWidth - filled, "", static_cast<int>(fraction * 100));
  std::fflush(stderr);
}

}  // namespace candora::data
