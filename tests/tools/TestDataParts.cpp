// The small pure pieces of the data builder: its random generator, the market calendar, the text
// parsers, bar aggregation and the recognition of data file names.

#include <gtest/gtest.h>

#include <cmath>

#include "BarAggregator.h"
#include "CommandLine.h"
#include "CsvBars.h"
#include "DataRandom.h"
#include "Importer.h"
#include "MarketCalendar.h"
#include "PriceFiles.h"
#include "TextFields.h"
#include "untIDateTime.h"

using namespace candora;
using namespace candora::data;

TEST(DataRandom, FollowsTheReferenceXoshiroSequence) {
  // Reference outputs of xoshiro256** seeded through splitmix64: a seed must give the same sample
  // data everywhere, so the sequence itself is the contract.
  TRandom zero(0);
  EXPECT_EQ(zero.next(), 0x99ec5f36cb75f2b4ULL);
  EXPECT_EQ(zero.next(), 0xbf6e1f784956452aULL);
  TRandom one(1);
  EXPECT_EQ(one.next(), 0xb3f2af6d0fc710c5ULL);
  EXPECT_EQ(one.next(), 0x853b559647364ceaULL);
  EXPECT_EQ(one.next(), 0x92f89756082a4514ULL);
}

TEST(DataRandom, NormalDeviatesHaveUnitVarianceAndStreamsDiffer) {
  TRandom random(42);
  double sum = 0, squares = 0, fourth = 0;
  constexpr int n = 200000;
  for (int i = 0; i < n; ++i) {
    const double z = random.nextNormal();
    sum += z;
    squares += z * z;
    fourth += z * z * z * z;
  }
  EXPECT_NEAR(sum / n, 0.0, 0.01);
  EXPECT_NEAR(squares / n, 1.0, 0.015);
  EXPECT_NEAR(fourth / n, 3.0, 0.1);  // normal tails, not uniform ones

  TRandom a = TRandom::forStream(7, 1, 100), b = TRandom::forStream(7, 1, 100);
  TRandom c = TRandom::forStream(7, 1, 101), d = TRandom::forStream(7, 2, 100);
  const uint64_t first = a.next();
  EXPECT_EQ(first, b.next());
  EXPECT_NE(first, c.next());
  EXPECT_NE(first, d.next());
}

TEST(MarketCalendar, WeekendClosureRunsFromFriday22ToSunday22Utc) {
  // 2008-03-07 is a Friday.
  struct Case {
    int day, hour, minute;
    bool open;
  };
  const Case cases[] = {{7, 21, 59, true}, {7, 22, 0, false}, {8, 12, 0, false}, {9, 21, 59, false},
                        {9, 22, 0, true},  {10, 0, 0, true},  {6, 23, 0, true}};
  for (const Case& c : cases)
    EXPECT_EQ(isMarketOpen(minutesOf(2008, 3, c.day, c.hour, c.minute)), c.open)
        << "2008-03-" << c.day << " " << c.hour << ":" << c.minute;
  EXPECT_EQ(weekdayOf(minutesOf(2008, 3, 7)), 5);
  EXPECT_EQ(weekdayOf(minutesOf(1999, 12, 31)), 5);  // before the serials' origin too
}

TEST(MarketCalendar, NoonFixingFollowsUsDaylightSaving) {
  // Both sides of each switch, under the rules before and after 2007.
  struct Case {
    int year, month, day;
    int utcHour;
  };
  const Case cases[] = {
      {2006, 3, 31, 17}, {2006, 4, 3, 16},  {2006, 10, 27, 16}, {2006, 10, 30, 17},
      {2007, 3, 9, 17},  {2007, 3, 12, 16}, {2007, 11, 2, 16},  {2007, 11, 5, 17},
      {2011, 3, 11, 17}, {2011, 3, 14, 16}, {2011, 11, 4, 16},  {2011, 11, 7, 17},
  };
  for (const Case& c : cases)
    EXPECT_EQ(fixingMinute(c.year, c.month, c.day), minutesOf(c.year, c.month, c.day, c.utcHour))
        << c.year << "-" << c.month << "-" << c.day;
}

TEST(MarketCalendar, ActivityIsHighestInTheLondonNewYorkOverlapAndNilOverWeekends) {
  const int32_t monday = minutesOf(2008, 3, 10);
  const double overlap = weightBetween(monday + 13 * 60, monday + 16 * 60);
  const double lateNewYork = weightBetween(monday + 20 * 60, monday + 23 * 60);
  const double asianLunch = weightBetween(monday + 3 * 60, monday + 4 * 60) * 3;
  EXPECT_GT(overlap, 3 * lateNewYork);
  EXPECT_GT(overlap, 3 * asianLunch);
  EXPECT_NEAR(weightBetween(monday, monday + 1440), weightPerDay(), 1e-6);
  const double weekend = weightBetween(minutesOf(2008, 3, 7, 22), minutesOf(2008, 3, 9, 22));
  EXPECT_LT(weekend, weightPerDay() / 20);
  // The closed form agrees with adding up minute by minute, across weeks and before 2000.
  for (const int32_t from : {minutesOf(1999, 12, 29, 5, 17), minutesOf(2008, 3, 6, 13, 1)}) {
    double sum = 0;
    for (int32_t t = from; t < from + 9 * 1440 + 77; ++t) sum += minuteWeight(t);
    EXPECT_NEAR(weightBetween(from, from + 9 * 1440 + 77), sum, 1e-6 * sum);
  }
}

TEST(CsvBars, TheThreeCommonLayoutsGiveTheSameBar) {
  const char* lines[] = {
      "2008.03.05,10:00,106.123,106.200,106.050,106.180,1234",
      "20080305 100000;106.123;106.200;106.050;106.180;1234",
      "2008-03-05 10:00:00,106.123,106.200,106.050,106.180",
      "2008-03-05 10:00,106.123,106.200,106.050,106.180,17\r",
      "  2008-03-05T10:00 , 106.123 , 106.200 , 106.050 , 106.180 ",
  };
  for (const char* line : lines) {
    TParsedBar bar;
    std::string problem;
    ASSERT_EQ(parseBarLine(line, bar, problem), TLineParse::Bar) << line << ": " << problem;
    EXPECT_EQ(bar.time, minutesOf(2008, 3, 5, 10, 0)) << line;
    EXPECT_DOUBLE_EQ(bar.open, 106.123);
    EXPECT_DOUBLE_EQ(bar.high, 106.2);
    EXPECT_DOUBLE_EQ(bar.low, 106.05);
    EXPECT_DOUBLE_EQ(bar.close, 106.18);
  }
}

TEST(CsvBars, MalformedLinesSayWhatIsWrong) {
  struct Case {
    const char* line;
    const char* problemPart;
  };
  const Case cases[] = {
      {"2008.02.30,10:00,1,1,1,1", "not a date"},
      {"2008.03.05,25:00,1,1,1,1", "not a time"},
      {"2008.03.05,10:00:30,1,1,1,1", "whole minute"},
      {"2008.03.05,10:00,1,1,1", "open, high, low and close"},
      {"2008.03.05,10:00,1,1e3,1,1", "not a price"},
      {"2008.03.05,10:00,1,nan,1,1", "not a price"},
      {"2040.03.05,10:00,1,1,1,1", "outside"},
      {"garbage", "not a date"},
  };
  for (const Case& c : cases) {
    TParsedBar bar;
    std::string problem;
    EXPECT_EQ(parseBarLine(c.line, bar, problem), TLineParse::Malformed) << c.line;
    EXPECT_NE(problem.find(c.problemPart), std::string::npos) << c.line << ": " << problem;
  }
  TParsedBar bar;
  std::string problem;
  EXPECT_EQ(parseBarLine(" \r", bar, problem), TLineParse::Blank);
}

TEST(BarAggregator, TakesFirstOpenExtremesAndLastCloseOnTheAnchoredGrid) {
  // Four 30-minute bars from 2008-03-05 09:30 into 1-hour bars: 09:00 gets one, 10:00 two, 11:00 one.
  const int32_t t = minutesOf(2008, 3, 5, 9, 30);
  const std::vector<THistoricalRecord> bars = {
      {t, 95, 120, 100, 110}, {t + 30, 90, 130, 110, 105}, {t + 60, 80, 140, 105, 85}, {t + 90, 70, 90, 85, 75}};
  const std::vector<THistoricalRecord> hours = aggregateBars(bars, TTimeStep(5));
  ASSERT_EQ(hours.size(), 3u);
  EXPECT_EQ(hours[1].time, minutesOf(2008, 3, 5, 10));
  EXPECT_EQ(hours[1].open, 110);
  EXPECT_EQ(hours[1].high, 140);
  EXPECT_EQ(hours[1].low, 80);
  EXPECT_EQ(hours[1].close, 85);
  // 7-day bars start on Mondays, as 2007-01-01 was one; 2008-03-05 is a Wednesday.
  const std::vector<THistoricalRecord> weeks = aggregateBars(bars, TTimeStep(11));
  ASSERT_EQ(weeks.size(), 1u);
  EXPECT_EQ(weeks[0].time, minutesOf(2008, 3, 3));
  EXPECT_EQ(weeks[0].low, 70);
  EXPECT_EQ(weeks[0].high, 140);
}

TEST(Importer, InputResolutionIsTheFinestStepTheTimesAllow) {
  const auto barsAt = [](std::initializer_list<int32_t> times) {
    std::vector<THistoricalRecord> bars;
    for (const int32_t t : times) bars.push_back({t, 1, 1, 1, 1});
    return bars;
  };
  const int32_t day = minutesOf(2008, 3, 5);
  EXPECT_EQ(inputResolution(barsAt({day + 60, day + 120, day + 300})), 60);
  EXPECT_EQ(inputResolution(barsAt({day, day + 1440, day + 5 * 1440})), 1440);
  EXPECT_EQ(inputResolution(barsAt({day + 60, day + 61})), 1);
  EXPECT_EQ(inputResolution(barsAt({day + 30, day + 90})), 30);  // hourly bars at half past
}

TEST(DataFileNames, AreRecognisedOnlyWhenEveryPartIsValid) {
  const auto price = parsePriceFileName("USDJPY_1時間.hst");
  ASSERT_TRUE(price);
  EXPECT_EQ(price->pair.getOrdinal(), TPair::USDJPY);
  EXPECT_EQ(price->step.getOrdinal(), 5);
  for (const char* bad : {"USDJPY_1時間足.hst", "usdjpy_1時間.hst", "USDJPY_1時間.hst.tmp-abc", "XXXYYY_1日間.hst"})
    EXPECT_FALSE(parsePriceFileName(bad)) << bad;

  const auto value = parseValueFileName("3_5_4_2.vll");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->valueType.getOrdinal(), 4);
  EXPECT_EQ(value->period.getOrdinal(), 2);
  EXPECT_TRUE(parseValueFileName("3_5_0.vll"));
  EXPECT_TRUE(parseValueFileName("15_13_6_15.vll"));
  for (const char* bad : {"3_5_0_1.vll", "3_5_4.vll", "3_5_4_6.vll", "16_5_0.vll", "3_14_0.vll", "03_5_0.vll", "3_5_0.vl"})
    EXPECT_FALSE(parseValueFileName(bad)) << bad;
}

TEST(CommandLine, OptionsSwitchesAndNames) {
  const TArguments a({"file.hst", "--from", "2008-03-05", "--count=3", "--all"}, {"from", "count"}, {"all"});
  EXPECT_EQ(a.positional(), std::vector<std::string>{"file.hst"});
  EXPECT_EQ(a.value("from"), "2008-03-05");
  EXPECT_EQ(a.value("count"), "3");
  EXPECT_TRUE(a.has("all"));
  EXPECT_THROW(TArguments({"--nope"}, {"from"}, {}), EUsageError);
  EXPECT_THROW(TArguments({"--from"}, {"from"}, {}), EUsageError);
  EXPECT_THROW(TArguments({"--from", "a", "--from", "b"}, {"from"}, {}), EUsageError);
  EXPECT_THROW(a.required("missing"), EUsageError);

  EXPECT_EQ(parseStepName("1時間足").getOrdinal(), 5);
  EXPECT_EQ(parseStepName("1時間").getOrdinal(), 5);
  EXPECT_EQ(parseStepName("13").getOrdinal(), 13);
  EXPECT_THROW(parseStepName("14"), EUsageError);
  EXPECT_EQ(parseStepList("9,5,1時間").size(), 2u);
  EXPECT_EQ(parseStepList("all").size(), 14u);
  EXPECT_EQ(parsePairName("usdjpy").getOrdinal(), TPair::USDJPY);
  EXPECT_THROW(parsePairName("USDXYZ"), EUsageError);
  EXPECT_EQ(parsePairList("all").size(), 16u);

  int32_t minutes = 0;
  EXPECT_TRUE(parseDateTimeArgument("2008-03-05T10:30", minutes));
  EXPECT_EQ(minutes, minutesOf(2008, 3, 5, 10, 30));
  EXPECT_FALSE(parseDateTimeArgument("2008-03-05T10", minutes));
  EXPECT_FALSE(parseDateTimeArgument("2099-01-01", minutes));
}
