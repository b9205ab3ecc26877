#include <gtest/gtest.h>

#include "TestSupport.h"
#include "untHistoricalData.h"
#include "untHistoricalDataWriter.h"
#include "untMyMath.h"
#include "untPriceMask.h"
#include "untRecordFile.h"

#include <filesystem>
#include <fstream>

using namespace candora;
using candora::testing::TempDir;

namespace {

const TTimeStep kHour(5);
const TPair kUsdJpy(TPair::USDJPY);

// Hourly bars from 2008-03-03 00:00, with bar k priced around 100000 + 10k.
std::vector<THistoricalRecord> hourlyBars(int count, int32_t first = minutesOf(2008, 3, 3)) {
  std::vector<THistoricalRecord> bars;
  for (int k = 0; k < count; ++k) {
    const int32_t base = 100000 + 10 * k;
    bars.push_back({first + 60 * k, base - 5, base + 7, base, base + 3});
  }
  return bars;
}

class PriceFileTest : public ::testing::Test {
protected:
  void SetUp() override {
    setApplicationPath(dir.path().string());
    std::filesystem::create_directories(dir.path() / "ohlc");
  }
  void TearDown() override { setApplicationPath(""); }

  std::string writeHourly(const std::vector<THistoricalRecord>& bars) {
    const std::string file = getHistoricalDataFileName(kUsdJpy, kHour);
    writeHistoricalDataFile(file, kUsdJpy, kHour, bars);
    return file;
  }

  TempDir dir;
};

}  // namespace

TEST_F(PriceFileTest, FileNameCarriesPairAndSpanText) {
  EXPECT_EQ(getHistoricalDataFileName(kUsdJpy, kHour), dir.file("ohlc/USDJPY_1時間.hst"));
  EXPECT_EQ(getHistoricalDataFileName(TPair(TPair::EURUSD), TTimeStep(4)), dir.file("ohlc/EURUSD_30分間.hst"));
}

TEST_F(PriceFileTest, LoadsAWindowFromTheBarContainingTheTime) {
  writeHourly(hourlyBars(100));
  THistoricalData data;
  data.load(kUsdJpy, kHour, minutesOf(2008, 3, 3, 10, 37), 30);
  ASSERT_EQ(data.getCount(), 30);
  EXPECT_EQ(data.pair.getOrdinal(), TPair::USDJPY);
  EXPECT_EQ(data.timeStep.getOrdinal(), 5);
  for (int i = 0; i < 30; ++i) {
    const THistoricalRecord& r = data.getRecord(i);
    ASSERT_EQ(r.time, minutesOf(2008, 3, 3, 10) + 60 * i);
    const int32_t base = 100000 + 10 * (10 + i);
    EXPECT_EQ(r.open, base);
    EXPECT_EQ(r.high, base + 7);
    EXPECT_EQ(r.low, base - 5);
    EXPECT_EQ(r.close, base + 3);
  }
  EXPECT_EQ(data.getRecord(29).time, minutesOf(2008, 3, 4, 15));
}

TEST_F(PriceFileTest, WindowsReachingPastTheFileAreFilledWithTheMarker) {
  writeHourly(hourlyBars(10));
  const int32_t first = minutesOf(2008, 3, 3);
  THistoricalData data;
  data.loadFile(getHistoricalDataFileName(kUsdJpy, kHour), first - 5 * 60, first + 3 * 60);
  ASSERT_EQ(data.getCount(), 8);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(data.getRecord(i).time, first - (5 - i) * 60);
    EXPECT_EQ(data.getRecord(i).close, MissingValue);
    EXPECT_EQ(data.getRecord(i).low, MissingValue);
  }
  EXPECT_EQ(data.getRecord(5).open, 100000);

  data.loadFile(getHistoricalDataFileName(kUsdJpy, kHour), first + 8 * 60, first + 12 * 60);
  ASSERT_EQ(data.getCount(), 4);
  EXPECT_EQ(data.getRecord(1).close, 100000 + 90 + 3);
  EXPECT_EQ(data.getRecord(2).close, MissingValue);
}

TEST_F(PriceFileTest, BarsOutsideTheRangeAreNeverRead) {
  // Cut the file after its header: any read of a bar record would now fail, so windows outside
  // the header's range prove that they touch no bar record.
  const std::string file = writeHourly(hourlyBars(10));
  std::filesystem::resize_file(file, 16 * 20);
  const int32_t first = minutesOf(2008, 3, 3);
  THistoricalData data;
  data.loadFile(file, first + 10 * 60, first + 50 * 60);
  EXPECT_EQ(data.getCount(), 40);
  for (const auto& r : data.records()) EXPECT_EQ(r.high, MissingValue);
  data.loadFile(file, first - 30 * 60, first);
  EXPECT_EQ(data.getCount(), 30);

  data.load(kUsdJpy, kHour, first, 0);
  EXPECT_EQ(data.getCount(), 0);
  EXPECT_EQ(data.timeStep.getOrdinal(), 5);
}

TEST_F(PriceFileTest, EmptySlotsStayMissingAndPricesAreUnmaskedPerField) {
  auto bars = hourlyBars(6);
  bars.erase(bars.begin() + 2);  // a gap in the source becomes an empty slot
  const std::string file = writeHourly(bars);

  // The stored bytes are masked: neither the plain price nor the same offset for every field.
  TRecordFile raw(file);
  unsigned char record[16];
  raw.readAt(16 * 21, record, sizeof record);
  const int32_t t1 = minutesOf(2008, 3, 3, 1);
  EXPECT_EQ(readInt32LE(record), 100010 + priceTimeOffset(t1) + priceFieldOffset(TPriceField::Open));
  EXPECT_EQ(readInt32LE(record + 12), 100013 + priceTimeOffset(t1) + priceFieldOffset(TPriceField::Close));
  raw.readAt(16 * 22, record, sizeof record);
  for (int f = 0; f < 4; ++f) EXPECT_EQ(readInt32LE(record + 4 * f), MissingValue);

  THistoricalData data;
  data.load(kUsdJpy, kHour, minutesOf(2008, 3, 3), 6);
  EXPECT_EQ(data.getRecord(1).open, 100010);
  EXPECT_EQ(data.getRecord(2).open, MissingValue);
  EXPECT_EQ(data.getRecord(2).close, MissingValue);
  EXPECT_EQ(data.getRecord(3).close, 100033);
}

TEST_F(PriceFileTest, MaskOffsetsDifferByTimeAndField) {
  for (TPriceField f : {TPriceField::Open, TPriceField::High, TPriceField::Low, TPriceField::Close})
    for (int32_t t = 0; t < 17; ++t) {
      EXPECT_EQ(unmaskPrice(maskPrice(1234, f, t), f, t), 1234);
      EXPECT_EQ(maskPrice(MissingValue, f, t), MissingValue);
      EXPECT_EQ(unmaskPrice(MissingValue, f, t), MissingValue);
    }
  EXPECT_NE(priceTimeOffset(0), priceTimeOffset(1));
  EXPECT_NE(priceFieldOffset(TPriceField::Open), priceFieldOffset(TPriceField::Close));
  EXPECT_EQ(priceTimeOffset(-1), priceTimeOffset(16));
}

TEST_F(PriceFileTest, HeaderGovernsTheGrid) {
  // A file of 2-hour bars under a 1-hour name: times follow the file.
  const std::string file = getHistoricalDataFileName(kUsdJpy, kHour);
  std::vector<THistoricalRecord> bars = {{minutesOf(2008, 3, 3), 1, 2, 1, 2}, {minutesOf(2008, 3, 3, 2), 1, 2, 1, 2}};
  writeHistoricalDataFile(file, kUsdJpy, TTimeStep(6), bars);
  THistoricalData data;
  data.load(kUsdJpy, kHour, minutesOf(2008, 3, 3), 4);
  EXPECT_EQ(data.timeStep.getOrdinal(), 6);
  ASSERT_EQ(data.getCount(), 2);
  EXPECT_EQ(data.getRecord(1).time, minutesOf(2008, 3, 3, 2));
}

TEST_F(PriceFileTest, MissingOrShortFilesRaiseErrorsNamingTheFile) {
  THistoricalData data;
  try {
    data.load(kUsdJpy, kHour, minutesOf(2008, 3, 3), 5);
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("USDJPY_1時間.hst"), std::string::npos) << e.what();
  }
  EXPECT_EQ(data.getCount(), 0);

  const std::string file = writeHourly(hourlyBars(10));
  std::filesystem::resize_file(file, 16 * (20 + 4));  // header promises 10 bars, 4 remain
  try {
    data.load(kUsdJpy, kHour, minutesOf(2008, 3, 3), 8);
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("beyond end of file"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
  }
  EXPECT_EQ(data.getCount(), 4);

  std::filesystem::resize_file(file, 100);  // not even a whole header
  EXPECT_THROW(data.load(kUsdJpy, kHour, minutesOf(2008, 3, 3), 1), EInOutError);
}

TEST_F(PriceFileTest, MinMaxSkipsMissingBars) {
  auto bars = hourlyBars(4);
  bars.erase(bars.begin() + 1);
  writeHourly(bars);
  THistoricalData data;
  data.load(kUsdJpy, kHour, minutesOf(2008, 3, 3) - 120, 8);
  int32_t low = 0, high = 0;
  data.getMinMax(low, high, 0, data.getCount() - 1);
  EXPECT_EQ(low, 100000 - 5);
  EXPECT_EQ(high, 100030 + 7);
  data.getMinMax(low, high, 0, 1);
  EXPECT_EQ(low, MissingValue);
  EXPECT_EQ(high, MissingValue);
  data.getMinMax(low, high, 2, 2);
  EXPECT_EQ(low, 99995);
  EXPECT_EQ(high, 100007);
  data.getMinMax(low, high, 5, 4);
  EXPECT_EQ(high, MissingValue);
}

TEST_F(PriceFileTest, WriterRejectsBarsOffTheGridAndLeavesOldFile) {
  const std::string file = writeHourly(hourlyBars(3));
  auto bad = hourlyBars(3);
  bad[2].time += 30;
  EXPECT_THROW(writeHistoricalDataFile(file, kUsdJpy, kHour, bad), EConvertError);
  std::swap(bad[0], bad[1]);
  EXPECT_THROW(writeHistoricalDataFile(file, kUsdJpy, kHour, bad), EConvertError);
  EXPECT_EQ(std::filesystem::file_size(file), 16u * 23);
}
