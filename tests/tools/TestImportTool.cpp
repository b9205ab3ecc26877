// candora-data import, bars, values, conversion and check, run as a user runs them, on CSV files
// small enough to work out every expected number by hand.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "ToolRunner.h"
#include "untIDateTime.h"
#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untValueList.h"

using namespace candora;
using candora::testing::linesOf;
using candora::testing::runTool;
using candora::testing::TempDir;
using candora::testing::ToolRun;

namespace {

std::string price(int32_t units) {
  char text[32];
  std::snprintf(text, sizeof text, "%d.%03d", units / 1000, units % 1000);
  return text;
}

// Six-hour bars, four a day, whose day closes at `close`: the day's open is close − 15, its high
// close + 25 (06:00 bar) and its low close − 30 (12:00 bar).
struct DayBars {
  int month, day;
  int32_t close;
};
constexpr int32_t kSixHourBars[4][5] = {
    // hour, open, high, low, close relative to the day's close
    {0, -15, -5, -20, -10},
    {6, -10, 25, -12, 5},
    {12, 5, 10, -30, -2},
    {18, -2, 3, -8, 0},
};

// Wednesday 2008-03-05 to Wednesday 03-12, no bars on the weekend of 03-08 and 03-09.
const DayBars kDays[] = {{3, 5, 100000}, {3, 6, 100010}, {3, 7, 100020}, {3, 10, 100040}, {3, 11, 100030}, {3, 12, 100060}};

std::string sixHourCsv() {
  std::string csv;
  for (const DayBars& d : kDays)
    for (const auto& b : kSixHourBars) {
      char line[128];
      std::snprintf(line, sizeof line, "2008.%02d.%02d,%02d:00,%s,%s,%s,%s,100\n", d.month, d.day, b[0],
                    price(d.close + b[1]).c_str(), price(d.close + b[2]).c_str(), price(d.close + b[3]).c_str(),
                    price(d.close + b[4]).c_str());
      csv += line;
    }
  return csv;
}

class ImportToolTest : public ::testing::Test {
protected:
  void TearDown() override { setApplicationPath(""); }

  // Imports `csv` as USDJPY into dir/data and returns the run.
  ToolRun import(const std::string& csv, const std::string& steps, const std::string& pair = "USDJPY") {
    const std::string input = dir.write(pair + ".csv", csv);
    return runTool({"import", "--pair", pair, "--input", input, "--out", data(), "--steps", steps, "--pairinfo",
                    CANDORA_PAIRINFO});
  }
  std::string data() const { return dir.file("data"); }

  std::vector<float> values(uint8_t type, uint8_t period, int32_t from, int count) {
    setApplicationPath(data());
    TValueList list;
    list.loadFile(getValueListFileName(TPair(TPair::USDJPY), TTimeStep(9), TCalcValueType(type), TCalcPeriod(period)),
                  from, from + count * 1440);
    std::vector<float> result;
    for (const TValueRecord& r : list.records()) result.push_back(r.value);
    return result;
  }

  TempDir dir;
};

constexpr float M = MissingFloat;

}  // namespace

TEST_F(ImportToolTest, AggregatesSixHourBarsAndComputesIndicatorsWorkedOutByHand) {
  const ToolRun run = import(sixHourCsv(), "7,8,9");
  ASSERT_EQ(run.status, 0) << run.err;

  // Daily bars: open of the 00:00 bar, high of the 06:00 bar, low of the 12:00 bar, close of 18:00.
  const ToolRun daily = runTool({"bars", data() + "/ohlc/USDJPY_1日間.hst", "--all"});
  ASSERT_EQ(daily.status, 0) << daily.err;
  std::vector<std::string> expected = {"time,open,high,low,close"};
  for (const DayBars& d : kDays) {
    if (d.day == 10) {
      expected.push_back("2008-03-08 00:00,,,,");
      expected.push_back("2008-03-09 00:00,,,,");
    }
    char line[128];
    std::snprintf(line, sizeof line, "2008-03-%02d 00:00,%s,%s,%s,%s", d.day, price(d.close - 15).c_str(),
                  price(d.close + 25).c_str(), price(d.close - 30).c_str(), price(d.close).c_str());
    expected.push_back(line);
  }
  EXPECT_EQ(linesOf(daily.out), expected);

  // 12-hour bars of the first day: 00:00 + 06:00, then 12:00 + 18:00.
  const ToolRun halfDays = runTool({"bars", data() + "/ohlc/USDJPY_12時間.hst", "--count", "2"});
  EXPECT_EQ(linesOf(halfDays.out), (std::vector<std::string>{"time,open,high,low,close",
                                                             "2008-03-05 00:00,99.985,100.025,99.980,100.005",
                                                             "2008-03-05 12:00,100.005,100.010,99.970,100.000"}));

  // Slots Wed 03-05, Thu, Fri, Sat, Sun, Mon 03-10, Tue, Wed 03-12.
  const int32_t wed = minutesOf(2008, 3, 5);
  EXPECT_EQ(values(0, 0, wed, 8), (std::vector<float>{100000, 100010, 100020, M, M, 100040, 100030, 100060}));
  // "5 Bar" counts bars, not slots: full on the fifth bar (Tue), the weekend skipped.
  // Tue: closes 100000 100010 100020 100040 100030, mean 100020, squares 400+100+0+400+100 → SD √200.
  // Wed: closes 100010 100020 100040 100030 100060, mean 100032, squares 484+144+64+4+784 → SD √296.
  const std::vector<float> minusMa = values(4, 0, wed, 8);
  const std::vector<float> sd = values(3, 0, wed, 8);
  for (int i : {0, 1, 2, 3, 4, 5}) {
    EXPECT_EQ(minusMa[static_cast<std::size_t>(i)], M) << i;
    EXPECT_EQ(sd[static_cast<std::size_t>(i)], M) << i;
  }
  EXPECT_FLOAT_EQ(minusMa[6], 10.0f);
  EXPECT_FLOAT_EQ(sd[6], std::sqrt(200.0f));
  EXPECT_FLOAT_EQ(minusMa[7], 28.0f);
  EXPECT_FLOAT_EQ(sd[7], std::sqrt(296.0f));
  // Close − highest high and − lowest low over 5 bars: Tue 100030 − 100065, 100030 − 99970;
  // Wed 100060 − 100085, 100060 − 99980.
  EXPECT_EQ(values(5, 0, wed, 8), (std::vector<float>{M, M, M, M, M, M, -35, -25}));
  EXPECT_EQ(values(6, 0, wed, 8), (std::vector<float>{M, M, M, M, M, M, 60, 80}));
  // "2 日": the bars that start within the last 2880 minutes. Wed 03-05 is not full (its window
  // reaches 03-04); Mon sees only itself across the empty Sunday; Tue sees Mon and Tue.
  EXPECT_EQ(values(5, 7, wed, 8), (std::vector<float>{M, -25, -25, M, M, -25, -35, -25}));
  EXPECT_EQ(values(6, 7, wed, 8), (std::vector<float>{M, 40, 40, M, M, 30, 30, 60}));
  // "3 日": Fri holds Wed..Fri (low 99970); Mon's window holds only Sat, Sun and Mon.
  EXPECT_EQ(values(6, 8, wed, 8), (std::vector<float>{M, M, 50, M, M, 30, 30, 60}));
}

TEST_F(ImportToolTest, BarsPrintsTheSameOhlcAsTheCsvAtItsOwnStep) {
  const std::string csv = sixHourCsv();
  ASSERT_EQ(import(csv, "6時間").status, 0);
  const ToolRun bars = runTool({"bars", data() + "/ohlc/USDJPY_6時間.hst"});
  ASSERT_EQ(bars.status, 0) << bars.err;
  std::vector<std::string> fromCsv = {"time,open,high,low,close"};
  for (const std::string& line : linesOf(csv)) {
    // 2008.03.05,06:00,O,H,L,C,100 → 2008-03-05 06:00,O,H,L,C
    std::string row = line.substr(0, line.rfind(','));
    row[4] = row[7] = '-';
    row[10] = ' ';
    fromCsv.push_back(row);
  }
  EXPECT_EQ(linesOf(bars.out), fromCsv);

  const ToolRun window =
      runTool({"bars", data() + "/ohlc/USDJPY_6時間.hst", "--from", "2008-03-07T12:00", "--count", "3"});
  EXPECT_EQ(linesOf(window.out),
            (std::vector<std::string>{fromCsv[0], fromCsv[11], fromCsv[12], fromCsv[13]}));
  const ToolRun raw = runTool({"bars", data() + "/ohlc/USDJPY_6時間.hst", "--raw", "--count", "1"});
  EXPECT_EQ(linesOf(raw.out).at(1), "2008-03-05 00:00,99985,99995,99980,99990");
}

TEST_F(ImportToolTest, BadLinesAreReportedWithLineNumbersSkippedAndCounted) {
  const std::string csv =
      "Date,Time,Open,High,Low,Close,Volume\n"                 // 1 header
      "2008.03.05,10:00,100.000,100.050,99.950,100.010,5\n"    // 2
      "2008.03.05,11:00,100.010,oops,99.950,100.020,5\n"       // 3 malformed
      "\n"                                                     // 4 blank
      "2008.03.05,13:00,100.020,100.060,99.990,100.030,5\n"    // 5
      "2008.03.05,12:00,100.020,100.040,100.000,100.020,5\n"   // 6 out of order
      "2008.03.05,13:00,101.000,101.000,101.000,101.000,5\n"   // 7 repeats line 5
      "2008.03.05,14:00,100.030,100.000,99.990,100.030,5\n";   // 8 high below open
  const ToolRun run = import(csv, "1時間");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line 3: 'oops' is not a price"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("line 8: the high is below"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("line 6: 2008-03-05 12:00 comes after 2008-03-05 13:00 on line 5"), std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("line 7: 2008-03-05 13:00 repeats line 5"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("skipped 2 malformed lines of 6"), std::string::npos) << run.err;
  EXPECT_EQ(run.err.find("line 1:"), std::string::npos) << "the header is not a problem";

  // The good bars were written, sorted, with the first of the repeated times.
  const ToolRun bars = runTool({"bars", data() + "/ohlc/USDJPY_1時間.hst"});
  EXPECT_EQ(linesOf(bars.out), (std::vector<std::string>{"time,open,high,low,close",
                                                         "2008-03-05 10:00,100.000,100.050,99.950,100.010",
                                                         "2008-03-05 12:00,100.020,100.040,100.000,100.020",
                                                         "2008-03-05 13:00,100.020,100.060,99.990,100.030"}));
}

TEST_F(ImportToolTest, UsageAndInputErrorsEndWithStatusTwoAndNeverCrash) {
  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const std::string missing = dir.file("nothing.csv");
  const Case cases[] = {
      {{"import", "--pair", "USDJPY", "--input", missing, "--out", data(), "--pairinfo", CANDORA_PAIRINFO},
       "nothing.csv"},
      {{"import", "--pair", "USDJPY", "--out", data()}, "--input is required"},
      {{"import", "--pair", "XXXYYY", "--input", missing, "--out", data()}, "not one of the 16 pairs"},
      {{"import", "--pair", "USDJPY", "--input", missing, "--out", data(), "--steps", "1週"}, "not a time step"},
      {{"bars", dir.file("none.hst")}, "none.hst"},
      {{"values", dir.file("none.vll")}, "none.vll"},
      {{"bars", dir.file("none.hst"), "--count", "-1"}, "--count"},
      {{"check", dir.file("no-folder")}, "no-folder"},
      {{"conversion", "--data", dir.path().string()}, "no price file of a yen pair"},
      {{"indicators", "--data", dir.path().string()}, "no price files"},
      {{"sample", "--rates", missing, "--out", data()}, "nothing.csv"},
      {{"sample", "--rates", missing, "--out", data(), "--from", "2008-02-30"}, "--from"},
      {{"frobnicate"}, "unknown command"},
      {{}, "usage"},
  };
  for (const Case& c : cases) {
    const ToolRun run = runTool(c.args);
    const std::string joined = c.args.empty() ? "(none)" : c.args.front();
    EXPECT_EQ(run.status, 2) << joined << ": " << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << joined << ": " << run.err;
  }
  // An empty input and one of only malformed lines are input errors too.
  EXPECT_EQ(import("", "1時間").status, 2);
  const ToolRun junk = import("1,2,3\n4,5,6\n", "1時間");
  EXPECT_EQ(junk.status, 2);
  EXPECT_NE(junk.err.find("line 2"), std::string::npos) << junk.err;

  const ToolRun help = runTool({"help", "import"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("usage: candora-data import"), std::string::npos);
}

TEST_F(ImportToolTest, ImportSkipsStepsFinerThanTheInput) {
  // Requested explicitly, a step the bars cannot fill is a problem; with "all" it is left out.
  const ToolRun explicitly = import(sixHourCsv(), "1時間,1日");
  EXPECT_EQ(explicitly.status, 1);
  EXPECT_NE(explicitly.err.find("1時間足 cannot be made"), std::string::npos) << explicitly.err;
  EXPECT_TRUE(std::filesystem::exists(data() + "/ohlc/USDJPY_1日間.hst"));
  EXPECT_FALSE(std::filesystem::exists(data() + "/ohlc/USDJPY_1時間.hst"));
  const ToolRun all = import(sixHourCsv(), "all");
  EXPECT_EQ(all.status, 0) << all.err;
  EXPECT_FALSE(std::filesystem::exists(data() + "/ohlc/USDJPY_2時間.hst"));
  EXPECT_TRUE(std::filesystem::exists(data() + "/ohlc/USDJPY_6時間.hst"));
  EXPECT_TRUE(std::filesystem::exists(data() + "/ohlc/USDJPY_30日間.hst"));
}

TEST_F(ImportToolTest, ConversionTableRunsDayByDayFromDailyOrHourlyBars) {
  // USDJPY daily bars Mon, Tue, Thu; EURJPY only hourly bars, Tue and Fri, the later close counting.
  ASSERT_EQ(import("2008.03.03,00:00,105,106,104,105.5\n"
                   "2008.03.04,00:00,105.5,106,104,105.25\n"
                   "2008.03.06,00:00,105,106,104,104.75\n",
                   "1日")
                .status,
            0);
  ASSERT_EQ(import("2008.03.04,10:00,160,161,159,160.5\n"
                   "2008.03.04,11:00,160,161,159,160.125\n"
                   "2008.03.07,23:00,158,159,157,158.5\n",
                   "1時間", "EURJPY")
                .status,
            0);
  const ToolRun run = runTool({"conversion", "--data", data()});
  ASSERT_EQ(run.status, 0) << run.err;
  std::ifstream in(data() + "/etc/conversionrate.txt");
  std::stringstream text;
  text << in.rdbuf();
  const int32_t day = minutesOf(2008, 3, 3);
  const auto row = [day](int k, const std::string& rates) { return std::to_string(day + k * 1440) + "," + rates; };
  EXPECT_EQ(linesOf(text.str()), (std::vector<std::string>{
                                     row(0, "105500,-999999,-999999,-999999,-999999,-999999"),
                                     row(1, "105250,160125,-999999,-999999,-999999,-999999"),
                                     row(2, "-999999,-999999,-999999,-999999,-999999,-999999"),
                                     row(3, "104750,-999999,-999999,-999999,-999999,-999999"),
                                     row(4, "-999999,158500,-999999,-999999,-999999,-999999"),
                                 }));
}

TEST_F(ImportToolTest, CheckFindsDamagedMismatchedAndMissingFiles) {
  ASSERT_EQ(import(sixHourCsv(), "6時間,1日").status, 0);
  ASSERT_EQ(runTool({"conversion", "--data", data()}).status, 0);
  const ToolRun clean = runTool({"check", data()});
  EXPECT_EQ(clean.status, 0) << clean.out;
  EXPECT_NE(clean.out.find("ohlc/USDJPY_1日間.hst: 2008-03-05 00:00 .. 2008-03-12 00:00, 6 bars in 8 slots"),
            std::string::npos)
      << clean.out;
  EXPECT_NE(clean.out.find("no problems found"), std::string::npos);

  namespace fs = std::filesystem;
  fs::copy_file(data() + "/ohlc/USDJPY_1日間.hst", data() + "/ohlc/EURJPY_1日間.hst");
  fs::resize_file(data() + "/valueList/3_9_4_2.vll", fs::file_size(data() + "/valueList/3_9_4_2.vll") - 4);
  fs::remove(data() + "/valueList/3_7_6_15.vll");
  const ToolRun damaged = runTool({"check", data()});
  EXPECT_EQ(damaged.status, 1);
  for (const char* says : {"ohlc/EURJPY_1日間.hst: the header says USDJPY 1日足, the name EURJPY 1日足",
                           "valueList/3_9_4_2.vll: 108 bytes where the header promises 112",
                           "USDJPY 6時間足: 1 of 45 indicator files are missing, e.g. valueList/3_7_6_15.vll",
                           "EURJPY 1日足: 45 of 45 indicator files are missing"})
    EXPECT_NE(damaged.out.find(says), std::string::npos) << says << "\n" << damaged.out;
}
