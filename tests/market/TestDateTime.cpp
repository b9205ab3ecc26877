#include <gtest/gtest.h>

#include "TestSupport.h"
#include "untIDateTime.h"

using namespace candora;
using candora::testing::MessageRecorder;

TEST(DateTime, MinutesOfKnownDates) {
  struct Row {
    TDateTime when;
    int32_t minutes;
  };
  const Row rows[] = {{encodeDateTime(2000, 1, 1, 0, 1), 1},
                      {encodeDateTime(2007, 1, 1), 3682080},
                      {encodeDateTime(2008, 2, 29, 13, 45), 4293465},
                      {encodeDateTime(2011, 1, 1), 5785920}};
  for (const Row& r : rows) {
    EXPECT_EQ(dateTimeToMinutes(r.when), r.minutes);
    EXPECT_EQ(minutesToDateTime(r.minutes), r.when);
  }
  EXPECT_EQ(encodeDateTime(2007, 1, 1), 39083.0);
  EXPECT_EQ(minutesToDateTime(3682080), 39083.0);
}

TEST(DateTime, LastFiveMillisecondsCountAsTheNextMinute) {
  EXPECT_EQ(dateTimeToMinutes(encodeDateTime(2008, 2, 29, 13, 45, 59, 990)), minutesOf(2008, 2, 29, 13, 45));
  EXPECT_EQ(dateTimeToMinutes(encodeDateTime(2008, 2, 29, 13, 45, 59, 996)), minutesOf(2008, 2, 29, 13, 46));
}

TEST(DateTime, SerialsSurviveTheRoundTrip) {
  // Every minute of a leap day plus widely spread serials across the data's years.
  for (int32_t m = minutesOf(2008, 2, 29); m < minutesOf(2008, 3, 1); ++m)
    ASSERT_EQ(dateTimeToMinutes(minutesToDateTime(m)), m);
  for (int32_t m = 0; m < minutesOf(2031, 1, 1); m += 9973) ASSERT_EQ(dateTimeToMinutes(minutesToDateTime(m)), m);
}

TEST(DateTime, BackwardsIntervalWarnsAndStillCounts) {
  MessageRecorder box;
  EXPECT_EQ(myTimeBetween(encodeDateTime(2000, 1, 1, 0, 10), encodeDateTime(2000, 1, 1)), 9);
  EXPECT_EQ(box.messages, std::vector<std::string>{"myTimeBetween の起点と終点の設定が不正です。"});
}

TEST(DateTime, TextFormsAndDate) {
  const TIDateTime leap(4293465);
  EXPECT_EQ(leap.getToString(), "08/02/29 13:45");
  EXPECT_EQ(leap.getSerialString(), "4293465");
  EXPECT_EQ(leap.getDate(), encodeDateTime(2008, 2, 29));
  EXPECT_EQ(TIDateTime(0).getToString(), "00/01/01 00:00");

  TIDateTime parsed;
  parsed.setSerialString("5785920");
  EXPECT_EQ(parsed.toDateTime(), 40544.0);
  EXPECT_THROW(parsed.setSerialString("12:00"), EConvertError);
  parsed.setDateTime(encodeDateTime(2007, 1, 1, 0, 0, 30));
  EXPECT_EQ(parsed.getSerial(), 3682080);
}

TEST(DateTime, DecodeRoundsToTheMillisecond) {
  const TDateParts p = decodeDateTime(minutesToDateTime(minutesOf(2010, 12, 31, 23, 59)));
  EXPECT_EQ(p.year, 2010);
  EXPECT_EQ(p.month, 12);
  EXPECT_EQ(p.day, 31);
  EXPECT_EQ(p.hour, 23);
  EXPECT_EQ(p.minute, 59);
  EXPECT_EQ(p.second, 0);
  EXPECT_EQ(formatIsoMinutes(4293465), "2008-02-29 13:45");
}
