#include <gtest/gtest.h>

#include "untMyMath.h"

using namespace candora;

TEST(MissingValues, FloatToleranceAroundTheMarker) {
  struct Row {
    float value;
    bool valid;
  };
  const Row rows[] = {{-999999.0f, false}, {-999950.0f, false}, {-1000090.0f, false}, {-999000.0f, true},
                      {-1000200.0f, true}, {0.0f, true},        {101.0f, true}};
  for (const Row& r : rows) EXPECT_EQ(isValidValue(r.value), r.valid) << r.value;
  EXPECT_FALSE(isValidValue(int32_t{-999999}));
  EXPECT_TRUE(isValidValue(int32_t{-999998}));
}

TEST(MissingValues, ArithmeticPropagatesTheMarker) {
  EXPECT_EQ(addValues(1.5f, -999999.0f), -999999.0f);
  EXPECT_EQ(addValues(-999950.0f, 1.0f), -999999.0f);
  EXPECT_EQ(subtractValues(2.0f, 0.5f), 1.5f);
  EXPECT_EQ(subtractValues(2.0f, -999999.0f), -999999.0f);
}

TEST(Numbers, ZeroTestAndRounding) {
  EXPECT_FALSE(isNonZero(0.00005f));
  EXPECT_FALSE(isNonZero(-0.0001f));
  EXPECT_TRUE(isNonZero(0.0002f));
  EXPECT_TRUE(isNonZero(-0.0002f));
  EXPECT_EQ(roundHalfEven(62.5), 62);
  EXPECT_EQ(roundHalfEven(187.5), 188);
  EXPECT_EQ(roundHalfEven(-2.5), -2);
  EXPECT_EQ(roundHalfEven(2.51), 3);
}

class RandomTest : public ::testing::Test {
protected:
  void TearDown() override { setRandomSource({}); }
};

TEST_F(RandomTest, RangeIsInclusiveAtBothEnds) {
  setRandomSource([] { return 0.0; });
  EXPECT_EQ(randomInRange(3, 9), 3);
  setRandomSource([] { return 0.9999999999; });
  EXPECT_EQ(randomInRange(3, 9), 9);
  EXPECT_EQ(randomInRange(5, 5), 5);
}

TEST_F(RandomTest, DefaultSourceIsUniform) {
  seedRandom(42);
  int counts[2] = {0, 0};
  for (int i = 0; i < 20000; ++i) {
    const int32_t v = randomInRange(0, 1);
    ASSERT_TRUE(v == 0 || v == 1);
    ++counts[v];
  }
  EXPECT_NEAR(counts[0], 10000, 400);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(randomInRange(5, 5), 5);
}
