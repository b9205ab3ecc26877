#include <gtest/gtest.h>

#include "TestSupport.h"
#include "untIDateTime.h"
#include "untMarketRecords.h"
#include "untPairInfo.h"

using namespace candora;
using candora::testing::MessageRecorder;

TEST(Vocabulary, PairNamesMatchAfterTrimmingOnly) {
  MessageRecorder box;
  TPair pair(0);
  EXPECT_TRUE(pair.setStr(" USDJPY "));
  EXPECT_EQ(pair.getOrdinal(), 3);
  pair.setOrdinal(0);
  EXPECT_TRUE(pair.setStr("USDJPY\t"));
  EXPECT_EQ(pair.getOrdinal(), 3);
  EXPECT_TRUE(box.messages.empty());

  pair.setOrdinal(6);
  EXPECT_FALSE(pair.setStr("usdjpy"));
  EXPECT_EQ(pair.getOrdinal(), 6);
  EXPECT_EQ(box.messages, std::vector<std::string>{"Error: TPair.setStr"});
}

TEST(Vocabulary, PairCurrencies) {
  EXPECT_EQ(TPair(TPair::EURUSD).getBaseCurrency(), "EUR");
  EXPECT_EQ(TPair(TPair::EURUSD).getQuoteCurrency(), "USD");
  EXPECT_EQ(TPair(TPair::NZDJPY).getToString(), "NZDJPY");
  EXPECT_EQ(TPair(TPair::CHFJPY).getBaseCurrency(), "CHF");
}

TEST(Vocabulary, TimeStepsTable) {
  struct Row {
    uint8_t ordinal;
    int32_t minutes;
    const char* candle;
    const char* span;
  };
  const Row rows[] = {{0, 1, "1分足", "1分間"},       {2, 5, "5分足", "5分間"},
                      {5, 60, "1時間足", "1時間"},    {8, 720, "12時間足", "12時間"},
                      {11, 10080, "7日足", "7日間"}, {13, 43200, "30日足", "30日間"}};
  for (const Row& r : rows) {
    const TTimeStep step(r.ordinal);
    SCOPED_TRACE(r.candle);
    EXPECT_EQ(step.getMinute(), r.minutes);
    EXPECT_EQ(step.getToCandleString(), r.candle);
    EXPECT_EQ(step.getToString(), r.span);
  }
  EXPECT_EQ(TTimeUnit(1).getToString2(), "時間");
}

TEST(Vocabulary, OutOfRangeOrdinalsReportAndYieldNeutralValues) {
  MessageRecorder box;
  EXPECT_EQ(TPair(16).getToString(), "");
  EXPECT_EQ(TTimeStep(14).getMinute(), 0);
  EXPECT_EQ(TCalcPeriod(16).getToString(), "");
  EXPECT_FALSE(TCalcPeriod(16).getIsBarPeriod());
  EXPECT_EQ(TChartColor(15).getColor(), 0u);
  EXPECT_EQ(TCalcValueType(8).getPeriodGroup(), 0);
  EXPECT_EQ(timeStepSerialToNivraTimeStepSerial(1), 0);
  EXPECT_EQ(box.messages,
            (std::vector<std::string>{"Error: TPair.getToString", "Error: TTimeStep.getMinute",
                                      "Error: TCalcPeriod.getToString", "Error: TCalcPeriod.getPeriodValue",
                                      "Error: TChartColor.getColor", "Error: TCalcValueType.getPeriodGroup",
                                      "Error: timeStepSerialToNivraTimeStepSerial"}));

  box.messages.clear();
  EXPECT_EQ(TPosition(4).getToString(), "");
  EXPECT_EQ(TNivraTimeStep(6).toTimeStep().getOrdinal(), 0);
  EXPECT_TRUE(box.messages.empty());
}

TEST(Vocabulary, OrdinalStringsRoundTripAndRejectNonIntegers) {
  TPosition position;
  position.setOrdinalString("2");
  EXPECT_EQ(position.getToString(), "Stay");
  EXPECT_EQ(position.getOrdinalString(), "2");
  TTimeStep step;
  step.setOrdinalString("261");  // only the low byte is kept
  EXPECT_EQ(step.getOrdinal(), 5);
  TPair pair(3);
  EXPECT_THROW(pair.setOrdinalString("3a"), EConvertError);
  EXPECT_THROW(pair.setOrdinalString(""), EConvertError);
  EXPECT_EQ(pair.getOrdinal(), 3);
}

TEST(Vocabulary, ChartValueKindsAndPeriods) {
  MessageRecorder box;
  const int groups[] = {0, 1, 2, 2, 1, 1, 1};
  for (uint8_t k = 0; k < 7; ++k) EXPECT_EQ(TChartValueType(k).getPeriodGroup(), groups[k]) << int(k);
  EXPECT_EQ(TChartValueType(5).getLine1().getOrdinal(), 5);
  EXPECT_EQ(TChartValueType(5).getLine2().getOrdinal(), 8);
  EXPECT_TRUE(box.messages.empty());
  EXPECT_EQ(TChartValueType(3).getLine2().getOrdinal(), 0);
  EXPECT_EQ(box.messages, std::vector<std::string>{"Error: TChartValueType.getLine2"});

  for (uint8_t p = 0; p < 16; ++p) EXPECT_EQ(TCalcPeriod(p).getIsBarPeriod(), p <= 5) << int(p);
  EXPECT_EQ(TCalcPeriod(0).getToString(), "5 Bar");
  EXPECT_EQ(TCalcPeriod(15).getToString(), "720 日");
  EXPECT_EQ(TChartValueType(4).getToString(), "移動平均±1SD");
  EXPECT_EQ(TChartColor(12).getColor(), 0xA6CAF0u);
}

TEST(Vocabulary, NivraTimeStepsBothWays) {
  const int steps[] = {0, 2, 4, 5, 7, 9};
  for (uint8_t n = 0; n < 6; ++n) {
    EXPECT_EQ(TNivraTimeStep(n).toTimeStep().getOrdinal(), steps[n]);
    EXPECT_EQ(timeStepSerialToNivraTimeStepSerial(steps[n]), n);
  }
}

TEST(BarGrid, FloorsOntoTheGridAnchoredAt2007) {
  const TTimeStep hour(5), week(11);
  EXPECT_EQ(floorToTimeStep(minutesOf(2007, 1, 1, 1, 59), hour), minutesOf(2007, 1, 1, 1, 0));
  for (int32_t t = minutesOf(2007, 1, 8); t <= minutesOf(2007, 1, 14, 23, 59); t += 397)
    EXPECT_EQ(floorToTimeStep(t, week), minutesOf(2007, 1, 8));
  EXPECT_EQ(floorToTimeStep(minutesOf(2007, 1, 14, 23, 59), week), minutesOf(2007, 1, 8));
  EXPECT_EQ(floorToTimeStep(minutesOf(2007, 1, 15), week), minutesOf(2007, 1, 15));
}

TEST(BarGrid, IndexAndTimeTruncateTowardZero) {
  const TTimeStep hour(5);
  const int32_t origin = kGridOrigin;
  EXPECT_EQ(timeToBarIndex(origin + 119, hour, origin), 1);
  EXPECT_EQ(timeToBarIndex(origin - 119, hour, origin), -1);
  EXPECT_EQ(barIndexToTime(-5, hour, origin), origin - 300);
}

TEST(Sessions, GroupsAndBarsAfter) {
  struct Row {
    int session, group, barsAfter;
  };
  const Row rows[] = {{1, 0, 10}, {5, 0, 10}, {6, 1, 20}, {15, 2, 30}, {16, 3, 40}, {20, 3, 40}, {0, 0, 0}, {21, 0, 0}};
  for (const Row& r : rows) {
    EXPECT_EQ(sessionNoToGroup(r.session), r.group) << r.session;
    EXPECT_EQ(sessionNoToBarsAfter(r.session), r.barsAfter) << r.session;
  }
}

TEST(Text, RemoveTrailingComma) {
  EXPECT_EQ(removeTrailingComma("1,2,"), "1,2");
  EXPECT_EQ(removeTrailingComma("1,2"), "1,2");
  EXPECT_EQ(removeTrailingComma(",,"), ",");
  EXPECT_EQ(removeTrailingComma(""), "");
}
