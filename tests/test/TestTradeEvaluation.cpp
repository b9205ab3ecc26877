// Judging one trade and summing up one test.

#include <gtest/gtest.h>

#include "RecordsFixture.h"
#include "untTotalResult.h"

using namespace candora;
using namespace candora::testing;

namespace {

using TradeTest = RecordsTest;

TEST_F(TradeTest, PointsFollowThePositionAndOnlyTradesPayTheSpread) {
  struct Case {
    uint8_t position;
    int32_t move, gross, net;
  };
  // USDJPY's spread is 8 rate units.
  const Case cases[] = {{kLong, 500, 500, 492},   {kLong, -300, -300, -308}, {kShort, -400, 400, 392},
                        {kShort, 100, -100, -108}, {kStay, 700, 0, 0},        {kUndefined, 700, 0, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "position " << int(c.position) << " move " << c.move);
    const TSessionRecord s = session(3, {c.position, c.move});
    EXPECT_EQ(s.getGrossPoints(), c.gross);
    EXPECT_EQ(s.getNetPoints(), c.net);
    EXPECT_FLOAT_EQ(s.getGrossProfit(*table), c.gross * 0.001f);
    EXPECT_FLOAT_EQ(s.getNetProfit(*table), c.net * 0.001f);
    EXPECT_EQ(s.getIsAnswered(), c.position != kUndefined);
  }
}

TEST_F(TradeTest, SessionKnowsItsBarsAfterAndRateTexts) {
  TSessionRecord s = session(1, {kLong, 2345});
  for (const auto& [no, bars] : {std::pair{1, 10}, {5, 10}, {6, 20}, {15, 30}, {16, 40}, {20, 40}}) {
    s.sessionNo = no;
    EXPECT_EQ(s.getBarsAfter(), bars) << "session " << no;
  }
  EXPECT_EQ(s.getEntryRateString(), "97.655");
  EXPECT_EQ(s.getExitRateString(), "100.000");
}

TEST_F(TradeTest, OtherPairsConvertToYenAndDisplayHalvesGoToEven) {
  // EURUSD: 50 rate units × 0.00001 × 125 yen = 0.0625 yen per euro, 62.5 yen per 1,000.
  const TSessionRecord small = session(1, {kLong, 50}, TPair::EURUSD);
  EXPECT_EQ(small.getGrossProfit(*table), 0.0625f);
  EXPECT_EQ(moneyToDisplay(small.getGrossProfit(*table)), 62);
  EXPECT_EQ(moneyToDisplay(small.getNetProfit(*table)), 50);  // spread 10

  const TSessionRecord larger = session(1, {kShort, -150}, TPair::EURUSD);
  EXPECT_EQ(larger.getGrossProfit(*table), 0.1875f);
  EXPECT_EQ(moneyToDisplay(larger.getGrossProfit(*table)), 188);
}

TEST(DisplayForms, RoundHalvesToEvenFromTheSingleValue) {
  // 1.2345 as a single lies just above 1.2345, so it is no half and rounds up.
  for (const auto& [value, shown] : {std::pair{0.0625f, 62}, {0.1875f, 188}, {-0.0625f, -62}, {0.3125f, 312},
                                     {-0.4375f, -438}, {0.0f, 0}, {1.2345f, 1235}})
    EXPECT_EQ(moneyToDisplay(value), shown) << value;
  for (const auto& [value, shown] :
       {std::pair{0.125f, 12}, {0.375f, 38}, {9.99f, 999}, {1.0f, 100}, {12.5f, 1250}, {0.705882f, 71}})
    EXPECT_EQ(ratioToDisplay(value), shown) << value;
  EXPECT_EQ(moneyToString(0.0625f, true), "62円");
  EXPECT_EQ(moneyToString(-1.5f), "-1500");
}

TEST_F(TradeTest, FreshTestHasNothingToCountAndUndividedFactors) {
  auto t = makeTest({});
  t->calculate(*table);
  EXPECT_EQ(t->getAnsweredCount(), 0);
  EXPECT_FALSE(t->getIsComplete());
  for (int32_t count : {t->grossWinCount, t->grossLossCount, t->grossEvenCount, t->netWinCount, t->netLossCount,
                        t->netEvenCount})
    EXPECT_EQ(count, 0);
  for (float value : {t->grossTotal, t->grossAbsTotal, t->grossWinSum, t->grossLossSum, t->grossWinRate,
                      t->grossAverage, t->netTotal, t->netWinSum, t->netLossSum, t->netWinRate, t->netAverage,
                      t->evaluation})
    EXPECT_EQ(value, 0.0f);
  for (float value : t->barsAfterEvaluation) EXPECT_EQ(value, 0.0f);
  EXPECT_EQ(t->grossProfitFactor, kUndividedFactor);
  EXPECT_EQ(t->netProfitFactor, kUndividedFactor);
  EXPECT_TRUE(t->isGrossEven && t->isNetEven);
  EXPECT_FALSE(t->isGrossPlus || t->isGrossMinus || t->isNetPlus || t->isNetMinus);
}

TEST_F(TradeTest, AnsweredCountFollowsTheLastAnsweredSession) {
  auto t = makeTest(std::vector<Answer>(7, {kStay, 100}));
  EXPECT_EQ(t->getAnsweredCount(), 7);
  EXPECT_FALSE(t->getIsComplete());
  for (int k = 8; k <= kSessionCount; ++k) t->getSession(k).position = TPosition(kShort);
  EXPECT_EQ(t->getAnsweredCount(), 20);
  EXPECT_TRUE(t->getIsComplete());
  EXPECT_EQ(t->getSession(20).sessionNo, 20);
  EXPECT_THROW(t->getSession(0), EListError);
  EXPECT_THROW(t->getSession(21), EListError);
}

TEST_F(TradeTest, StayThroughoutIsEvenEverywhere) {
  auto t = makeTest(all({kStay, 700}));
  t->calculate(*table);
  EXPECT_TRUE(t->getIsComplete());
  EXPECT_EQ(t->grossEvenCount, 20);
  EXPECT_EQ(t->netEvenCount, 20);
  EXPECT_EQ(t->grossTotal, 0.0f);
  EXPECT_EQ(t->netTotal, 0.0f);
  EXPECT_EQ(t->evaluation, 0.0f);
  EXPECT_EQ(t->grossWinRate, 0.0f);
  EXPECT_EQ(t->netWinRate, 0.0f);
  EXPECT_EQ(t->grossProfitFactor, kUndividedFactor);
  EXPECT_EQ(t->netProfitFactor, kUndividedFactor);
}

TEST_F(TradeTest, OnlyWinsAndOnlyLosses) {
  auto wins = makeTest(all({kShort, -300}));
  wins->calculate(*table);
  EXPECT_EQ(wins->evaluation, 1.0f);
  EXPECT_EQ(ratioToDisplay(wins->evaluation), 100);
  EXPECT_EQ(wins->grossProfitFactor, kUndividedFactor);
  EXPECT_EQ(ratioToDisplay(wins->grossProfitFactor), 999);
  EXPECT_EQ(wins->grossWinRate, 1.0f);
  EXPECT_TRUE(wins->isGrossPlus && wins->isNetPlus);

  auto losses = makeTest(all({kLong, -300}));
  losses->calculate(*table);
  EXPECT_EQ(losses->evaluation, 0.0f);
  EXPECT_EQ(losses->grossProfitFactor, 0.0f);
  EXPECT_EQ(losses->grossLossCount, 20);
  EXPECT_FLOAT_EQ(losses->grossAverage, -0.3f);
  EXPECT_TRUE(losses->isGrossMinus && losses->isNetMinus);
}

TEST_F(TradeTest, CorrectAnswerSmallerThanTheSpreadIsAGrossWinAndANetLoss) {
  auto t = makeTest({{kLong, 5}});
  t->calculate(*table);
  const TSessionRecord& s = t->getSession(1);
  EXPECT_TRUE(s.getIsGrossWin(*table));
  EXPECT_TRUE(s.getIsNetLoss(*table));
  EXPECT_FALSE(s.getIsGrossLoss(*table) || s.getIsNetWin(*table));
  EXPECT_EQ(t->grossWinCount, 1);
  EXPECT_EQ(t->netLossCount, 1);
  EXPECT_EQ(t->evaluation, 1.0f);
  EXPECT_EQ(t->netProfitFactor, 0.0f);
  EXPECT_TRUE(t->isGrossPlus);
  EXPECT_TRUE(t->isNetMinus);
}

TEST_F(TradeTest, ProfitWithinTheZeroToleranceIsEvenYetCounted) {
  // EURUSD, 5 rate units on the day the yen factor is 1: a profit of 0.00005.
  auto t = makeTest({});
  t->getSession(1) = session(1, {kLong, 5}, TPair::EURUSD, dayOne);
  t->calculate(*table);
  EXPECT_FLOAT_EQ(t->getSession(1).getGrossProfit(*table), 0.00005f);
  EXPECT_TRUE(t->getSession(1).getIsGrossEven(*table));
  EXPECT_EQ(t->grossEvenCount, 1);
  EXPECT_EQ(t->grossWinCount + t->grossLossCount, 0);
  EXPECT_FLOAT_EQ(t->grossTotal, 0.00005f);
  EXPECT_FLOAT_EQ(t->grossAbsTotal, 0.00005f);
  EXPECT_TRUE(t->isGrossEven);
  EXPECT_EQ(t->evaluation, 0.0f);  // an absolute total this small counts as nothing traded
}

TEST_F(TradeTest, MixedTestSumsRatesFactorsAndGroupEvaluations) {
  // Sessions 1–5 win 1.0 each, 6–10 lose 0.5 each, 11–15 win 0.2 each, 16–20 stay.
  std::vector<Answer> answers;
  for (int k = 0; k < 5; ++k) answers.push_back({kLong, 1000});
  for (int k = 0; k < 5; ++k) answers.push_back({kShort, 500});
  for (int k = 0; k < 5; ++k) answers.push_back({kLong, 200});
  for (int k = 0; k < 5; ++k) answers.push_back({kStay, 300});
  auto t = makeTest(answers);
  t->calculate(*table);

  EXPECT_EQ(t->grossWinCount, 10);
  EXPECT_EQ(t->grossLossCount, 5);
  EXPECT_EQ(t->grossEvenCount, 5);
  EXPECT_FLOAT_EQ(t->grossTotal, 3.5f);
  EXPECT_FLOAT_EQ(t->grossAbsTotal, 8.5f);
  EXPECT_FLOAT_EQ(t->grossWinSum, 6.0f);
  EXPECT_FLOAT_EQ(t->grossLossSum, -2.5f);
  EXPECT_FLOAT_EQ(t->grossProfitFactor, 2.4f);
  EXPECT_FLOAT_EQ(t->grossWinRate, 0.5f);
  EXPECT_FLOAT_EQ(t->grossAverage, 0.175f);
  EXPECT_FLOAT_EQ(t->evaluation, 12.0f / 17.0f);
  EXPECT_EQ(ratioToDisplay(t->evaluation), 71);
  // The stay-only group is 0 while the test as a whole keeps its evaluation.
  EXPECT_FLOAT_EQ(t->barsAfterEvaluation[0], 1.0f);
  EXPECT_FLOAT_EQ(t->barsAfterEvaluation[1], 0.0f);
  EXPECT_FLOAT_EQ(t->barsAfterEvaluation[2], 1.0f);
  EXPECT_EQ(t->barsAfterEvaluation[3], 0.0f);

  // Net: 0.992, −0.508 and 0.192 per trade; stays pay nothing.
  EXPECT_EQ(t->netWinCount, 10);
  EXPECT_EQ(t->netLossCount, 5);
  EXPECT_EQ(t->netEvenCount, 5);
  EXPECT_FLOAT_EQ(t->netTotal, 3.38f);
  EXPECT_FLOAT_EQ(t->netWinSum, 5.92f);
  EXPECT_FLOAT_EQ(t->netLossSum, -2.54f);
  EXPECT_FLOAT_EQ(t->netProfitFactor, 5.92f / 2.54f);
  EXPECT_FLOAT_EQ(t->netAverage, 0.169f);
  EXPECT_TRUE(t->isGrossPlus && t->isNetPlus);
}

}  // namespace
