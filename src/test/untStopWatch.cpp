#include "untStopWatch.h"

#include <chrono>
#include <utility>

namespace candora {
namespace {

uint32_t steadyTicks() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
  return static_cast<uint32_t>(static_cast<uint64_t>(millis));
}

TickSource& tickSource() {
  static TickSource source = steadyTicks;
  return source;
}

}  // namespace

uint32_t getTickCount() { return tickSource()(); }

TickSource setTickSource(TickSource source) {
  TickSource previous = std::move(tickSource());
  tickSource() = source ? std::move(source) : TickSource(steadyTicks);
  return previous;
}

TStopWatch::TStopWatch() : startTick_(getTickCount()) {}

void TStopWatch::start() { startTick_ = getTickCount(); }

// Unsigned subtraction is modulo 2^32, which is exactly what a wrapped counter needs.
uint32_t TStopWatch::getElapsed() const { return getTickCount() - startTick_; }

}  // namespace candora
