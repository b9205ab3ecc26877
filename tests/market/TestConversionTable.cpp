#include <gtest/gtest.h>

#include "TestSupport.h"
#include "untConversionTable.h"
#include "untIDateTime.h"
#include "untMyMath.h"

using namespace candora;
using candora::testing::TempDir;

namespace {

// Columns: minutes, USDJPY, EURJPY, GBPJPY, CHFJPY, AUDJPY, NZDJPY.
std::string row(int32_t day, int usd, int eur, int gbp = 200000, int chf = 90000, int aud = 80000, int nzd = -999999) {
  return std::to_string(day) + "," + std::to_string(usd) + "," + std::to_string(eur) + "," + std::to_string(gbp) +
         "," + std::to_string(chf) + "," + std::to_string(aud) + "," + std::to_string(nzd) + "\r\n";
}

class ConversionTest : public ::testing::Test {
protected:
  void SetUp() override {
    const std::string pairs =
        "0,EURUSD,0.00000,0.00001,5,10\n1,GBPUSD,0.00000,0.00001,5,15\n2,USDCHF,0.00000,0.00001,5,15\n"
        "3,USDJPY,0.000,0.001,3,8\n4,EURGBP,0.00000,0.00001,5,12\n5,EURCHF,0.00000,0.00001,5,20\n"
        "6,EURJPY,0.000,0.001,3,12\n7,GBPCHF,0.00000,0.00001,5,30\n8,GBPJPY,0.000,0.001,3,20\n"
        "9,CHFJPY,0.000,0.001,3,25\n10,USDCAD,0.00000,0.00001,5,18\n11,EURCAD,0.00000,0.00001,5,25\n"
        "12,AUDUSD,0.00000,0.00001,5,12\n13,AUDJPY,0.000,0.001,3,15\n14,NZDUSD,0.00000,0.00001,5,20\n"
        "15,NZDJPY,0.000,0.001,3,25\n";
    pairList = std::make_unique<TPairList>(dir.write("pairinfo.txt", pairs));
    setPairList(pairList.get());
  }
  void TearDown() override { setPairList(nullptr); }

  TConversionTable threeDays() {
    const std::string text = row(day0, 110000, 160000) + row(day0 + 1440, 111000, -999999) +
                             row(day0 + 2880, 112000, 162000);
    return TConversionTable(dir.write("conversionrate.txt", text));
  }

  const int32_t day0 = minutesOf(2008, 3, 3);
  TempDir dir;
  std::unique_ptr<TPairList> pairList;
};

}  // namespace

TEST_F(ConversionTest, YenPairsNeedNoTable) {
  const TConversionTable empty(dir.file("absent.txt"));
  EXPECT_EQ(empty.getCount(), 0);
  for (uint8_t p : {TPair::USDJPY, TPair::EURJPY, TPair::NZDJPY})
    EXPECT_EQ(empty.getYenRate(TPair(p), day0, 100000), 1.0);
  EXPECT_EQ(threeDays().getYenRate(TPair(TPair::GBPJPY), day0 + 1440, 150000), 1.0);
}

TEST_F(ConversionTest, OtherPairsConvertThroughTheirBaseCurrency) {
  const TConversionTable table = threeDays();
  // A price difference is in the quote currency: EURUSD moves in dollars, worth EURJPY / EURUSD
  // yen each, which is the dollar's yen rate.
  EXPECT_DOUBLE_EQ(table.getBaseYenRate(TPair(TPair::EURUSD), day0), 160.0);
  EXPECT_DOUBLE_EQ(table.getYenRate(TPair(TPair::EURUSD), day0, 145455), 160.0 / 1.45455);
  EXPECT_DOUBLE_EQ(table.getYenRate(TPair(TPair::EURUSD), day0, 160000), 100.0);
  EXPECT_DOUBLE_EQ(table.getYenRate(TPair(TPair::USDCHF), day0 + 2880 + 5, 140000), 80.0);
  EXPECT_DOUBLE_EQ(table.getYenRate(TPair(TPair::AUDUSD), day0, 72727), 80.0 / 0.72727);
  EXPECT_DOUBLE_EQ(table.getYenRate(TPair(TPair::EURGBP), day0, 80000), 200.0);
  // CAD has no yen column of its own and still converts through the pair's own price.
  EXPECT_DOUBLE_EQ(table.getYenRate(TPair(TPair::USDCAD), day0, 125000), 88.0);
  EXPECT_EQ(table.getYenRate(TPair(TPair::EURUSD), day0, MissingValue), 0.0);
}

TEST_F(ConversionTest, DaysOutsideOrMissingUseTheColumnsValidEnds) {
  const TConversionTable table = threeDays();
  const TPair eurjpy(TPair::EURJPY), usdjpy(TPair::USDJPY);
  struct Row {
    int32_t time;
    TPair pair;
    int32_t rate;
  };
  const Row rows[] = {{day0 - 1, usdjpy, 110000},           // the day before the table: first valid
                      {day0 + 1439, usdjpy, 110000},        // 23:59 stays on its own day
                      {day0 + 1440, usdjpy, 111000},        //
                      {day0 + 1440 + 600, eurjpy, 162000},  // a missing day: last valid, not yesterday's
                      {day0 + 10 * 1440, usdjpy, 112000},   // after the table: last valid
                      {day0 - 5 * 1440, eurjpy, 160000}};
  for (const Row& r : rows) EXPECT_EQ(table.getRate(r.pair, r.time), r.rate) << formatIsoMinutes(r.time);
  // A column without any valid rate yields 0 everywhere.
  EXPECT_EQ(table.getRate(TPair(TPair::NZDJPY), day0), 0);
  EXPECT_EQ(table.getYenRate(TPair(TPair::NZDUSD), day0, 60000), 0.0);
  EXPECT_EQ(table.getFirstValidRates()[conversionSlotOf(eurjpy)], 160000);
  EXPECT_EQ(table.getLastValidRates()[conversionSlotOf(eurjpy)], 162000);
}

TEST_F(ConversionTest, BadLinesNameTheFileAndLine) {
  struct Row {
    std::string text;
    const char* message;
  };
  const Row rows[] = {{row(day0, 1, 2) + "5000,1,2,3\n", "line 2: 4 fields, 7 expected"},
                      {row(day0, 1, 2) + "\n", "line 2: 0 fields, 7 expected"},
                      {"5000,1,2,3,4,5,six\n", "line 1 field 7: 'six' is not a valid integer"}};
  for (const Row& r : rows) {
    const std::string file = dir.write("conversionrate.txt", r.text);
    try {
      TConversionTable table(file);
      ADD_FAILURE() << r.text;
    } catch (const std::exception& e) {
      EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
      EXPECT_NE(std::string(e.what()).find(r.message), std::string::npos) << e.what();
    }
  }
}

TEST_F(ConversionTest, ExtraFieldsAreIgnored) {
  const TConversionTable table(dir.write("conversionrate.txt", std::to_string(day0) + ",1,2,3,4,5,6,7,8\n"));
  EXPECT_EQ(table.getRate(TPair(TPair::NZDJPY), day0), 6);
  EXPECT_EQ(table.getRate(TPair(TPair::USDJPY), day0), 1);
}
