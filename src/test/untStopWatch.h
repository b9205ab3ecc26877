#pragma once
// How long a question stayed on screen. The tick count is a 32-bit millisecond counter that wraps
// about every 49.7 days; elapsed times are taken modulo 2^32, so one wrap between start and read
// costs nothing.

#include <cstdint>
#include <functional>

namespace candora {

// Milliseconds from a steady clock, truncated to 32 bits. Never goes backwards except by wrapping.
uint32_t getTickCount();

// Replaces the clock behind getTickCount (tests drive time by hand); returns the previous one. An
// empty source restores the steady clock.
using TickSource = std::function<uint32_t()>;
TickSource setTickSource(TickSource source);

class TStopWatch {
public:
  // Starts at once, so reading a watch that was never started gives the time since it was made
  // rather than a meaningless count.
  TStopWatch();

  void start();
  uint32_t getElapsed() const;

private:
  uint32_t startTick_;
};

}  // namespace candora
