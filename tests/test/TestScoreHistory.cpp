// Statistics of the score history over its complete tests.

#include <gtest/gtest.h>

#include "RecordsFixture.h"
#include "untTotalResult.h"

using namespace candora;
using namespace candora::testing;

namespace {

class HistoryTest : public RecordsTest {
protected:
  // Wins 1.0 ×5, loses 0.5 ×5, wins 0.2 ×5, stays ×5: gross 3.5 of 8.5 traded, net 3.38.
  std::unique_ptr<TTestResult> mixedTest(uint8_t pair = TPair::USDJPY, uint8_t step = 5) const {
    std::vector<Answer> answers;
    for (const Answer a : {Answer{kLong, 1000}, Answer{kShort, 500}, Answer{kLong, 200}, Answer{kStay, 300}})
      answers.insert(answers.end(), 5, a);
    return makeTest(answers, pair, step);
  }
  // Wins 0.3 twenty times: gross 6.0, net 5.84.
  std::unique_ptr<TTestResult> winningTest(uint8_t pair = TPair::USDJPY, uint8_t step = 5) const {
    return makeTest(all({kShort, -300}), pair, step);
  }
  // Seven big wins, then unanswered.
  std::unique_ptr<TTestResult> unfinishedTest() const {
    return makeTest(std::vector<Answer>(7, {kLong, 9000}));
  }

  TNivraResult emptyHistory() { return TNivraResult(*table, dir.file("user/score.txt"), TSaveAtClose::No); }
};

void expectNoStatistics(const TNivraResult& h) {
  for (int32_t count : {h.testCount, h.answeredCount, h.grossWinCount, h.grossLossCount, h.grossEvenCount,
                        h.netWinCount, h.netLossCount, h.netEvenCount})
    EXPECT_EQ(count, 0);
  for (float value : {h.grossTotal, h.grossWinSum, h.grossLossSum, h.grossWinRate, h.grossAverageWin,
                      h.grossAverageLoss, h.netTotal, h.netWinSum, h.netLossSum, h.netWinRate, h.netAverageWin,
                      h.netAverageLoss, h.evaluation})
    EXPECT_EQ(value, 0.0f);
  for (float value : h.barsAfterEvaluation) EXPECT_EQ(value, 0.0f);
  for (float factor : {h.grossProfitFactor, h.netProfitFactor, h.grossPayoffRatio, h.netPayoffRatio})
    EXPECT_EQ(factor, kUndividedFactor);
  for (const TScoreRow& row : h.pairRows) EXPECT_EQ(row.total.testCount, 0);
}

TEST_F(HistoryTest, EmptyHistoryHasNoStatisticsAndNoCurrentTest) {
  TNivraResult h = emptyHistory();
  EXPECT_EQ(h.getResults().getCount(), 0);
  EXPECT_EQ(h.getCurrentTestResult(), nullptr);
  EXPECT_FALSE(h.getHasUnfinishedTest());
  expectNoStatistics(h);
}

TEST_F(HistoryTest, UnfinishedTestIsCurrentButOutOfEveryStatistic) {
  TNivraResult h = emptyHistory();
  TTestResult& added = h.addTestResult(unfinishedTest());
  EXPECT_EQ(h.getCurrentTestResult(), &added);
  EXPECT_TRUE(h.getHasUnfinishedTest());
  EXPECT_FLOAT_EQ(added.grossTotal, 63.0f);  // adding evaluates the test itself
  expectNoStatistics(h);
}

TEST_F(HistoryTest, AnsweringTheTwentiethSessionBringsTheTestIn) {
  TNivraResult h = emptyHistory();
  h.addTestResult(makeTest({}));
  TTestResult& t = *h.getCurrentTestResult();
  for (int k = 1; k <= kSessionCount; ++k) {
    EXPECT_EQ(h.testCount, 0) << "before session " << k;
    t.getSession(k).position = TPosition(kShort);
    t.getSession(k).answerMillis = 500;
    t.calculate(*table);
    h.calculate();
  }
  EXPECT_FALSE(h.getHasUnfinishedTest());
  EXPECT_EQ(h.testCount, 1);
  EXPECT_EQ(h.answeredCount, 20);
  EXPECT_EQ(h.grossLossCount, 20);  // makeTest moves unanswered sessions up by 250
}

TEST_F(HistoryTest, TotalsPoolTheCompleteTests) {
  TNivraResult h = emptyHistory();
  h.addTestResult(mixedTest());
  h.addTestResult(unfinishedTest());
  h.addTestResult(winningTest());
  h.addTestResult(unfinishedTest());

  EXPECT_EQ(h.testCount, 2);
  EXPECT_EQ(h.answeredCount, 40);
  EXPECT_EQ(h.grossWinCount, 30);
  EXPECT_EQ(h.grossLossCount, 5);
  EXPECT_EQ(h.grossEvenCount, 5);
  EXPECT_FLOAT_EQ(h.grossTotal, 9.5f);
  EXPECT_FLOAT_EQ(h.grossWinSum, 12.0f);
  EXPECT_FLOAT_EQ(h.grossLossSum, -2.5f);
  EXPECT_FLOAT_EQ(h.grossWinRate, 0.75f);
  EXPECT_FLOAT_EQ(h.grossAverageWin, 0.4f);
  EXPECT_FLOAT_EQ(h.grossAverageLoss, -0.5f);
  EXPECT_FLOAT_EQ(h.grossProfitFactor, 4.8f);
  EXPECT_FLOAT_EQ(h.grossPayoffRatio, 0.8f);
  // Pooled: 12 won of 14.5 traded, not the mean of the tests' 12/17 and 1.
  EXPECT_FLOAT_EQ(h.evaluation, 12.0f / 14.5f);
  // Per group, the mean of the tests' group evaluations.
  EXPECT_FLOAT_EQ(h.barsAfterEvaluation[0], 1.0f);
  EXPECT_FLOAT_EQ(h.barsAfterEvaluation[1], 0.5f);
  EXPECT_FLOAT_EQ(h.barsAfterEvaluation[2], 1.0f);
  EXPECT_FLOAT_EQ(h.barsAfterEvaluation[3], 0.5f);

  EXPECT_EQ(h.netWinCount, 30);
  EXPECT_EQ(h.netLossCount, 5);
  EXPECT_EQ(h.netEvenCount, 5);
  EXPECT_FLOAT_EQ(h.netTotal, 9.22f);
  EXPECT_FLOAT_EQ(h.netWinSum, 11.76f);
  EXPECT_FLOAT_EQ(h.netLossSum, -2.54f);
  EXPECT_FLOAT_EQ(h.netAverageWin, 0.392f);
  EXPECT_FLOAT_EQ(h.netAverageLoss, -0.508f);
  EXPECT_FLOAT_EQ(h.netProfitFactor, 11.76f / 2.54f);
  EXPECT_FLOAT_EQ(h.netPayoffRatio, 0.392f / 0.508f);
  EXPECT_FLOAT_EQ(h.netWinRate, 0.75f);
}

TEST_F(HistoryTest, NoLosingSessionGivesUndividedFactorsGrossAndNet) {
  TNivraResult h = emptyHistory();
  h.addTestResult(winningTest());
  h.addTestResult(winningTest(TPair::EURJPY));
  EXPECT_EQ(h.grossLossSum, 0.0f);
  EXPECT_EQ(h.grossAverageLoss, 0.0f);
  for (float factor : {h.grossProfitFactor, h.netProfitFactor, h.grossPayoffRatio, h.netPayoffRatio})
    EXPECT_EQ(factor, kUndividedFactor);
  EXPECT_EQ(ratioToDisplay(h.grossProfitFactor), 999);
  EXPECT_FLOAT_EQ(h.evaluation, 1.0f);
}

TEST_F(HistoryTest, StayOnlyTestIsEvenAndAddsNoTradedMovement) {
  TNivraResult h = emptyHistory();
  h.addTestResult(makeTest(all({kStay, 800})));
  h.addTestResult(winningTest());
  EXPECT_EQ(h.testCount, 2);
  EXPECT_EQ(h.grossEvenCount, 20);
  EXPECT_EQ(h.netEvenCount, 20);
  EXPECT_FLOAT_EQ(h.evaluation, 1.0f);  // the stays add nothing to the traded total
  const TScoreCell& cell = h.pairRows[TPair::USDJPY].timeScaleCells[3];
  EXPECT_EQ(cell.testCount, 2);
  EXPECT_FLOAT_EQ(cell.getAverageEvaluation(), 0.5f);  // 0 and 1
}

TEST_F(HistoryTest, CellsRowTotalsAndAllPairsRow) {
  TNivraResult h = emptyHistory();
  h.addTestResult(mixedTest());                               // USDJPY 1 hour: 3.5, 12/17
  h.addTestResult(winningTest());                             // USDJPY 1 hour: 6.0, 1
  h.addTestResult(makeTest(all({kLong, -300}), TPair::USDJPY, 9));  // USDJPY 1 day: −6.0, 0
  h.addTestResult(winningTest(TPair::EURJPY, 5));             // EURJPY 1 hour: 6.0, 1
  h.addTestResult(unfinishedTest());                          // USDJPY 1 hour, left out

  const TScoreCell& hour = h.pairRows[TPair::USDJPY].timeScaleCells[3];
  EXPECT_EQ(hour.testCount, 2);
  EXPECT_FLOAT_EQ(hour.sumGrossTotal, 9.5f);
  EXPECT_FLOAT_EQ(hour.sumEvaluation, 12.0f / 17.0f + 1.0f);
  EXPECT_FLOAT_EQ(hour.maxGrossTotal, 6.0f);
  EXPECT_FLOAT_EQ(hour.maxEvaluation, 1.0f);
  EXPECT_FLOAT_EQ(hour.getAverageEvaluation(), (12.0f / 17.0f + 1.0f) / 2.0f);

  const TScoreCell& day = h.pairRows[TPair::USDJPY].timeScaleCells[5];
  EXPECT_EQ(day.testCount, 1);
  EXPECT_FLOAT_EQ(day.sumGrossTotal, -6.0f);
  EXPECT_EQ(day.maxGrossTotal, 0.0f);  // a cell of losing tests keeps its maximum at 0
  EXPECT_EQ(day.maxEvaluation, 0.0f);

  const TScoreCell& usdTotal = h.pairRows[TPair::USDJPY].total;
  EXPECT_EQ(usdTotal.testCount, 3);
  EXPECT_FLOAT_EQ(usdTotal.sumGrossTotal, 3.5f);
  EXPECT_FLOAT_EQ(usdTotal.maxGrossTotal, 6.0f);
  EXPECT_FLOAT_EQ(usdTotal.maxEvaluation, 1.0f);
  EXPECT_EQ(h.pairRows[TPair::EURJPY].total.testCount, 1);
  EXPECT_EQ(h.pairRows[TPair::EURUSD].total.testCount, 0);
  EXPECT_EQ(h.pairRows[TPair::EURUSD].total.getAverageEvaluation(), 0.0f);

  const TScoreCell& allHour = h.allPairsRow.timeScaleCells[3];
  EXPECT_EQ(allHour.testCount, 3);
  EXPECT_FLOAT_EQ(allHour.sumGrossTotal, 15.5f);
  EXPECT_FLOAT_EQ(allHour.maxGrossTotal, 6.0f);
  EXPECT_EQ(h.allPairsRow.timeScaleCells[5].testCount, 1);
  EXPECT_EQ(h.allPairsRow.timeScaleCells[0].testCount, 0);
  EXPECT_EQ(h.allPairsRow.total.testCount, 0);  // never filled
  EXPECT_EQ(h.allPairsRow.total.sumGrossTotal, 0.0f);
}

TEST_F(HistoryTest, TimeStepWithoutScoreColumnIsReportedAndCountedInTheFirst) {
  MessageRecorder messages;
  TNivraResult h = emptyHistory();
  h.addTestResult(winningTest(TPair::USDJPY, 1));
  EXPECT_EQ(h.pairRows[TPair::USDJPY].timeScaleCells[0].testCount, 1);
  ASSERT_FALSE(messages.messages.empty());
  EXPECT_EQ(messages.messages.back(), "Error: timeStepSerialToNivraTimeStepSerial");
}

TEST_F(HistoryTest, AddingNothingIsRefused) {
  TNivraResult h = emptyHistory();
  EXPECT_THROW(h.addTestResult(nullptr), EListError);
  EXPECT_EQ(h.getResults().getCount(), 0);
}

}  // namespace
