#include <gtest/gtest.h>

#include <bit>
#include <filesystem>
#include <fstream>
#include <limits>

#include "TestSupport.h"
#include "untIDateTime.h"
#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untRecordFile.h"
#include "untValueList.h"
#include "untValueListWriter.h"

using namespace candora;
using candora::testing::TempDir;

namespace {

const TPair kUsdJpy(TPair::USDJPY);
const TTimeStep kHour(5);
const TCalcPeriod kTwentyBars(2);
const int32_t kFirst = minutesOf(2008, 3, 3);

TValueListHeader headerOf(uint8_t type, int32_t first, std::size_t count) {
  TValueListHeader h;
  h.pair = kUsdJpy;
  h.timeStep = kHour;
  h.valueType = TCalcValueType(type);
  h.period = kTwentyBars;
  h.firstTime = first;
  h.lastTime = first + static_cast<int32_t>(count - 1) * 60;
  return h;
}

class ValueListTest : public ::testing::Test {
protected:
  void SetUp() override {
    setApplicationPath(dir.path().string());
    std::filesystem::create_directories(dir.path() / "valueList");
  }
  void TearDown() override { setApplicationPath(""); }

  // Writes the hourly file of one value type of USDJPY "20 Bar" starting at kFirst.
  std::string write(uint8_t type, const std::vector<float>& values, int32_t first = kFirst) {
    const std::string file = getValueListFileName(kUsdJpy, kHour, TCalcValueType(type), kTwentyBars);
    writeValueListFile(file, headerOf(type, first, values.size()), values);
    return file;
  }

  std::vector<float> lineValues(uint8_t line, int32_t time, int32_t count) {
    TValueList list;
    list.loadLine(kUsdJpy, kHour, TLineType(line), kTwentyBars, time, count);
    std::vector<float> values;
    for (const TValueRecord& r : list.records()) values.push_back(r.value);
    return values;
  }

  TempDir dir;
};

}  // namespace

TEST_F(ValueListTest, FileNamesCarryThePeriodOnlyForKindsThatTakeOne) {
  const std::string folder = dir.file("valueList/");
  struct Case {
    uint8_t pair, step, type, period;
    const char* name;
  };
  const Case cases[] = {
      {3, 5, 0, 2, "3_5_0.vll"},   {3, 5, 0, 15, "3_5_0.vll"},  {3, 5, 4, 2, "3_5_4_2.vll"},
      {3, 5, 3, 0, "3_5_3_0.vll"}, {0, 13, 5, 15, "0_13_5_15.vll"}, {15, 0, 6, 9, "15_0_6_9.vll"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(getValueListFileName(TPair(c.pair), TTimeStep(c.step), TCalcValueType(c.type), TCalcPeriod(c.period)),
              folder + c.name);
}

TEST_F(ValueListTest, WriterLayoutIsWhatTheReaderExpects) {
  const std::string file = write(4, {1.5f, MissingFloat, -2.25f});
  std::ifstream in(file, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(bytes.size(), static_cast<std::size_t>(4 * (20 + 3)));
  const auto floatAt = [&bytes](int n) {
    return std::bit_cast<float>(static_cast<uint32_t>(readInt32LE(reinterpret_cast<const unsigned char*>(bytes.data()) + 4 * n)));
  };
  EXPECT_EQ(floatAt(0), 3.0f);
  EXPECT_EQ(floatAt(1), 5.0f);
  EXPECT_EQ(floatAt(2), 4.0f);
  EXPECT_EQ(floatAt(3), 2.0f);
  EXPECT_EQ(floatAt(4), static_cast<float>(kFirst));
  EXPECT_EQ(floatAt(5), static_cast<float>(kFirst + 120));
  for (int n = 6; n < 20; ++n) EXPECT_EQ(floatAt(n), 0.0f);
  EXPECT_EQ(floatAt(20), 1.5f);
  EXPECT_EQ(floatAt(21), MissingFloat);
  EXPECT_EQ(floatAt(22), -2.25f);

  const TValueListHeader h = readValueListHeader(file);
  EXPECT_EQ(h.pair.getOrdinal(), 3);
  EXPECT_EQ(h.timeStep.getOrdinal(), 5);
  EXPECT_EQ(h.valueType.getOrdinal(), 4);
  EXPECT_EQ(h.period.getOrdinal(), 2);
  EXPECT_EQ(h.firstTime, kFirst);
  EXPECT_EQ(h.lastTime, kFirst + 120);
}

TEST_F(ValueListTest, WindowsReachingPastTheFileAreFilledWithTheMarker) {
  const std::string file = write(0, {100.0f, 101.0f, 102.0f});
  TValueList list;
  list.loadFile(file, kFirst - 2 * 60, kFirst + 5 * 60);
  ASSERT_EQ(list.getCount(), 7);
  EXPECT_EQ(list.timeStep.getOrdinal(), 5);
  const float expected[] = {MissingFloat, MissingFloat, 100.0f, 101.0f, 102.0f, MissingFloat, MissingFloat};
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(list.getRecord(i).time, kFirst + (i - 2) * 60);
    EXPECT_EQ(list.getRecord(i).value, expected[i]) << i;
  }
  EXPECT_THROW(list.getRecord(7), EListError);
  EXPECT_THROW(list.getRecord(-1), EListError);
}

TEST_F(ValueListTest, LinesAreComposedFromCloseAverageExtremesAndDeviation) {
  // One bar: close 101, close − MA 1, SD 0.5, close − max −2, close − min 3.
  write(0, {101.0f});
  write(4, {1.0f});
  write(3, {0.5f});
  write(5, {-2.0f});
  write(6, {3.0f});
  const float expected[TLineType::kCount] = {101.0f, 100.0f, 98.0f, 103.0f, 100.5f, 101.0f, 101.5f, 99.5f, 99.0f, 98.5f};
  for (uint8_t line = 0; line < TLineType::kCount; ++line) {
    const std::vector<float> values = lineValues(line, kFirst + 17, 1);
    ASSERT_EQ(values.size(), 1u);
    EXPECT_FLOAT_EQ(values[0], expected[line]) << "line type " << int(line);
  }
}

TEST_F(ValueListTest, EachLineReadsOnlyTheFilesItNeeds) {
  write(0, {101.0f, 102.0f});
  // Only the close exists: the close line loads, the others fail on their first further file and
  // leave the plain close values behind.
  EXPECT_EQ(lineValues(0, kFirst, 2), (std::vector<float>{101.0f, 102.0f}));
  for (uint8_t line = 1; line < TLineType::kCount; ++line) {
    TValueList list;
    EXPECT_THROW(list.loadLine(kUsdJpy, kHour, TLineType(line), kTwentyBars, kFirst, 2), EInOutError);
    ASSERT_EQ(list.getCount(), 2);
    EXPECT_EQ(list.getRecord(1).value, 102.0f);
  }
  // With the average but without the deviation, lines 1 to 3 need nothing more; the bands do.
  write(4, {1.0f, 2.0f});
  write(5, {-1.0f, -1.0f});
  write(6, {1.0f, 1.0f});
  for (uint8_t line = 1; line <= 3; ++line) EXPECT_NO_THROW(lineValues(line, kFirst, 2));
  for (uint8_t line = 4; line < TLineType::kCount; ++line) {
    TValueList list;
    EXPECT_THROW(list.loadLine(kUsdJpy, kHour, TLineType(line), kTwentyBars, kFirst, 2), EInOutError);
  }
}

TEST_F(ValueListTest, AnyMissingPartBlanksTheComposedValue) {
  // Bar 0: deviation missing beside a present average. Bar 1: average missing. Bar 2: all present.
  write(0, {101.0f, 102.0f, 103.0f});
  write(4, {1.0f, MissingFloat, 1.0f});
  write(3, {MissingFloat, 0.5f, 0.5f});
  for (uint8_t line = 4; line < TLineType::kCount; ++line) {
    const std::vector<float> values = lineValues(line, kFirst, 3);
    EXPECT_EQ(values[0], MissingFloat) << "line type " << int(line);
    EXPECT_EQ(values[1], MissingFloat) << "line type " << int(line);
    EXPECT_TRUE(isValidValue(values[2])) << "line type " << int(line);
  }
  // A window that starts before the file: the leading slots are missing in every composed line.
  for (uint8_t line : {uint8_t(1), uint8_t(5), uint8_t(9)}) {
    const std::vector<float> values = lineValues(line, kFirst - 2 * 60, 5);
    EXPECT_EQ(values[0], MissingFloat);
    EXPECT_EQ(values[1], MissingFloat);
    EXPECT_TRUE(isValidValue(values[4]));
  }
}

TEST_F(ValueListTest, AnEmptyWindowYieldsAnEmptyList) {
  for (uint8_t type : {0, 3, 4}) write(type, {101.0f});
  EXPECT_TRUE(lineValues(6, kFirst, 0).empty());
}

TEST_F(ValueListTest, MinMaxSkipsMissingValuesAndValuesNearTheMarker) {
  write(0, {MissingFloat, -999950.0f, 5.0f, -3.0f, 7.5f, MissingFloat});
  TValueList list;
  list.loadFile(getValueListFileName(kUsdJpy, kHour, TCalcValueType(0), kTwentyBars), kFirst, kFirst + 6 * 60);
  float low = 0, high = 0;
  list.getMinMax(low, high, 0, 5);
  EXPECT_EQ(low, -3.0f);
  EXPECT_EQ(high, 7.5f);
  list.getMinMax(low, high, 2, 2);
  EXPECT_EQ(low, 5.0f);
  EXPECT_EQ(high, 5.0f);
  list.getMinMax(low, high, 0, 1);
  EXPECT_EQ(low, MissingFloat);
  EXPECT_EQ(high, MissingFloat);
  list.getMinMax(low, high, 3, 2);
  EXPECT_EQ(low, MissingFloat);
  EXPECT_EQ(high, MissingFloat);
}

TEST_F(ValueListTest, DamagedFilesAreReportedWithTheirName) {
  const std::string file = write(0, {101.0f, 102.0f, 103.0f});
  // Shorter than its header promises: the first absent value fails, earlier ones were read.
  std::filesystem::resize_file(file, 4 * (20 + 2));
  TValueList list;
  EXPECT_THROW(list.loadFile(file, kFirst, kFirst + 3 * 60), EInOutError);
  EXPECT_EQ(list.getCount(), 2);

  const auto patch = [&file](int n, float value) {
    std::fstream f(file, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(4 * n);
    unsigned char raw[4];
    writeInt32LE(raw, static_cast<int32_t>(std::bit_cast<uint32_t>(value)));
    f.write(reinterpret_cast<const char*>(raw), 4);
  };
  // A damaged value reads as missing rather than as a number.
  patch(21, std::numeric_limits<float>::quiet_NaN());
  list.loadFile(file, kFirst, kFirst + 2 * 60);
  EXPECT_EQ(list.getRecord(0).value, 101.0f);
  EXPECT_EQ(list.getRecord(1).value, MissingFloat);

  // A header the grid cannot follow is refused, naming the file.
  for (const auto& [field, value] : {std::pair{1, 14.0f}, {4, std::numeric_limits<float>::infinity()}}) {
    write(0, {101.0f});
    patch(field, value);
    try {
      list.loadFile(file, kFirst, kFirst + 60);
      ADD_FAILURE() << "header field " << field << " accepted";
    } catch (const EConvertError& e) {
      EXPECT_NE(std::string(e.what()).find(file), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(list.loadFile(dir.file("valueList/none.vll"), kFirst, kFirst + 60), EInOutError);
}

TEST_F(ValueListTest, WriterRefusesWhatTheReaderCouldNotReadBack) {
  const std::string file = dir.file("valueList/x.vll");
  EXPECT_THROW(writeValueListFile(file, headerOf(0, kFirst, 3), {1.0f, 2.0f}), EConvertError);
  TValueListHeader offGrid = headerOf(0, kFirst, 2);
  offGrid.lastTime += 1;
  EXPECT_THROW(writeValueListFile(file, offGrid, {1.0f, 2.0f}), EConvertError);
  // 2032: the serial no longer survives a float.
  EXPECT_THROW(writeValueListFile(file, headerOf(0, minutesOf(2032, 1, 5), 1), {1.0f}), EConvertError);
  EXPECT_FALSE(std::filesystem::exists(file));
}
