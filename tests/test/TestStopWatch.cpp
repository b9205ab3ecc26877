#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

#include "untStopWatch.h"

using namespace candora;

namespace {

// Drives the tick counter by hand for one test and puts the real clock back afterwards.
class StopWatchTest : public ::testing::Test {
protected:
  void SetUp() override {
    setTickSource([this] { return now; });
  }
  void TearDown() override { setTickSource({}); }

  uint32_t now = 0;
};

}  // namespace

TEST_F(StopWatchTest, ElapsedIsModularAcrossTheWrap) {
  struct Row {
    uint32_t start, read, elapsed;
  };
  const Row rows[] = {
      {1000, 4500, 3500},                   // plain
      {0xFFFFFF00u, 0x00000100u, 0x200},    // wrap between start and read
      {0xFFFFFFFFu, 0x00000000u, 1},        // the very step of the wrap
      {7, 7, 0},                            // answered within the same millisecond
      {0, 0xFFFFFFFFu, 0xFFFFFFFFu},        // the longest span one wrap allows
  };
  for (const Row& r : rows) {
    TStopWatch watch;
    now = r.start;
    watch.start();
    now = r.read;
    EXPECT_EQ(watch.getElapsed(), r.elapsed) << "start " << r.start << " read " << r.read;
  }
}

TEST_F(StopWatchTest, StartAgainRestartsAndReadingDoesNotReset) {
  now = 100;
  TStopWatch watch;  // counts from its making until first started
  now = 250;
  EXPECT_EQ(watch.getElapsed(), 150u);
  watch.start();
  now = 300;
  EXPECT_EQ(watch.getElapsed(), 50u);
  now = 420;
  EXPECT_EQ(watch.getElapsed(), 170u);
}

TEST(TickCount, SteadyMillisecondsTruncatedTo32Bits) {
  setTickSource({});
  using namespace std::chrono;
  const auto sinceEpoch = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  const auto before = static_cast<uint32_t>(sinceEpoch);
  const uint32_t tick = getTickCount();
  EXPECT_LE(static_cast<uint32_t>(tick - before), 50u);

  TStopWatch watch;
  std::this_thread::sleep_for(milliseconds(30));
  const uint32_t elapsed = watch.getElapsed();
  EXPECT_GE(elapsed, 30u);
  EXPECT_LT(elapsed, 30000u);
}

TEST(TickCount, ReplacingTheSourceHandsBackThePreviousOne) {
  setTickSource([] { return 42u; });
  EXPECT_EQ(getTickCount(), 42u);
  const TickSource previous = setTickSource({});
  ASSERT_TRUE(previous);
  EXPECT_EQ(previous(), 42u);
  EXPECT_NE(getTickCount(), 42u);  // the steady clock again; it shows 42 one millisecond in 2^32
}
