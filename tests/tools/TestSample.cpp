// The bundled sample: real daily rates at the noon fixings, synthesized movement in between.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>

#include "BridgePath.h"
#include "DataReport.h"
#include "MarketCalendar.h"
#include "PriceFiles.h"
#include "RatesTable.h"
#include "ToolRunner.h"
#include "untIDateTime.h"
#include "untNivraUtil.h"

using namespace candora;
using namespace candora::data;
using candora::testing::runTool;
using candora::testing::TempDir;
using candora::testing::ToolRun;

namespace {

// The published rates of one column by date, read the simple way.
std::map<std::string, double> publishedRates(const std::string& column) {
  std::ifstream in(CANDORA_RATES_CSV);
  std::string header;
  std::getline(in, header);
  const std::vector<std::string> names = splitCommaText(header);
  const auto index = static_cast<std::size_t>(std::find(names.begin(), names.end(), column) - names.begin());
  std::map<std::string, double> rates;
  for (std::string line; std::getline(in, line);) {
    // Keep empty cells apart: split by hand.
    std::vector<std::string> cells(1);
    for (const char c : line) {
      if (c == ',')
        cells.emplace_back();
      else
        cells.back().push_back(c);
    }
    if (index < cells.size() && !cells[index].empty()) rates[cells[0]] = std::stod(cells[index]);
  }
  return rates;
}

int32_t fixingOf(const std::string& date) {
  return fixingMinute(std::stoi(date.substr(0, 4)), std::stoi(date.substr(5, 2)), std::stoi(date.substr(8, 2)));
}

std::string fileBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class SampleTest : public ::testing::Test {
protected:
  ToolRun sample(const std::string& out, std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"sample", "--rates", CANDORA_RATES_CSV, "--out", out, "--pairinfo", CANDORA_PAIRINFO};
    args.insert(args.end(), extra.begin(), extra.end());
    return runTool(args);
  }
  TempDir dir;
};

}  // namespace

TEST_F(SampleTest, DefaultSampleOpensEveryFixingHourAtThePublishedRate) {
  const ToolRun run = sample(dir.file("default"));
  ASSERT_EQ(run.status, 0) << run.err;
  const TPriceFile hours = readWholePriceFile(dir.file("default/ohlc/USDJPY_1時間.hst"));
  EXPECT_EQ(hours.header.firstTime, minutesOf(2005, 1, 2, 22));  // the first Sunday evening
  EXPECT_EQ(hours.header.lastTime, minutesOf(2011, 12, 30, 21));  // the last Friday's last hour

  int checked = 0;
  for (const auto& [date, rate] : publishedRates("DEXJPUS")) {
    if (date < "2005-01-01" || date > "2011-12-31") continue;
    const int32_t t = fixingOf(date);
    const THistoricalRecord& bar = hours.series.slots.at(static_cast<std::size_t>((t - hours.header.firstTime) / 60));
    ASSERT_EQ(bar.time, t);
    EXPECT_NEAR(bar.open, rate * 1000, 1.0) << date;
    ++checked;
  }
  EXPECT_GT(checked, 1700);

  // No bar in the weekend closure; every bar a candle.
  for (const THistoricalRecord& bar : hours.series.slots) {
    if (bar.close == -999999) continue;
    ASSERT_TRUE(isMarketOpen(bar.time)) << formatIsoMinutes(bar.time);
    ASSERT_LE(bar.low, std::min(bar.open, bar.close));
    ASSERT_GE(bar.high, std::max(bar.open, bar.close));
  }
  EXPECT_TRUE(std::filesystem::exists(dir.file("default/etc/pairinfo.txt")));
  const ToolRun check = runTool({"check", dir.file("default")});
  EXPECT_EQ(check.status, 0) << check.out;
}

TEST_F(SampleTest, CrossRatesPassThroughTheProductOfTheirLegs) {
  const ToolRun run =
      sample(dir.file("cross"), {"--pairs", "EURJPY,EURUSD", "--steps", "1時間", "--from", "2008-01-01", "--to", "2008-03-31"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto yen = publishedRates("DEXJPUS"), euro = publishedRates("DEXUSEU");
  const TPriceFile eurjpy = readWholePriceFile(dir.file("cross/ohlc/EURJPY_1時間.hst"));
  const TPriceFile eurusd = readWholePriceFile(dir.file("cross/ohlc/EURUSD_1時間.hst"));
  int checked = 0;
  for (const auto& [date, rate] : euro) {
    if (date < "2008-01-02" || date > "2008-03-31" || !yen.contains(date)) continue;
    const auto slot = [&](const TPriceFile& f) {
      return f.series.slots.at(static_cast<std::size_t>((fixingOf(date) - f.header.firstTime) / 60));
    };
    EXPECT_NEAR(slot(eurusd).open, rate * 100000, 1.0) << date;
    EXPECT_NEAR(slot(eurjpy).open, rate * yen.at(date) * 1000, 1.0) << date;
    ++checked;
  }
  EXPECT_GT(checked, 55);
  // Only yen pairs go into the conversion table.
  std::ifstream table(dir.file("cross/etc/conversionrate.txt"));
  std::string firstRow;
  std::getline(table, firstRow);
  const std::vector<std::string> fields = splitCommaText(firstRow);
  ASSERT_EQ(fields.size(), 7u);
  EXPECT_EQ(fields[1], "-999999");  // no USDJPY in this folder
  EXPECT_NE(fields[2], "-999999");
}

TEST_F(SampleTest, ASeedAlwaysGivesTheSameFilesAndARangeTheSameMovement) {
  const std::vector<std::string> range = {"--steps", "1時間", "--from", "2007-01-01", "--to", "2007-02-28"};
  ASSERT_EQ(sample(dir.file("a"), range).status, 0);
  ASSERT_EQ(sample(dir.file("b"), range).status, 0);
  std::vector<std::string> otherSeed = range;
  otherSeed.insert(otherSeed.end(), {"--seed", "7"});
  ASSERT_EQ(sample(dir.file("c"), otherSeed).status, 0);
  ASSERT_EQ(sample(dir.file("d"), {"--steps", "1時間", "--from", "2007-02-01", "--to", "2007-03-31"}).status, 0);

  const std::string hours = "/ohlc/USDJPY_1時間.hst";
  EXPECT_EQ(fileBytes(dir.file("a") + hours), fileBytes(dir.file("b") + hours));
  EXPECT_EQ(fileBytes(dir.file("a") + "/valueList/3_5_3_2.vll"), fileBytes(dir.file("b") + "/valueList/3_5_3_2.vll"));
  EXPECT_NE(fileBytes(dir.file("a") + hours), fileBytes(dir.file("c") + hours));

  // February is the same minute for minute whichever range it was built in.
  const TPriceFile a = readWholePriceFile(dir.file("a") + hours), d = readWholePriceFile(dir.file("d") + hours);
  int compared = 0;
  for (const THistoricalRecord& bar : a.series.slots) {
    if (bar.time < minutesOf(2007, 2, 1) || bar.close == -999999) continue;
    const THistoricalRecord& other = d.series.slots.at(static_cast<std::size_t>((bar.time - d.header.firstTime) / 60));
    ASSERT_EQ(std::tie(bar.open, bar.high, bar.low, bar.close), std::tie(other.open, other.high, other.low, other.close))
        << formatIsoMinutes(bar.time);
    ++compared;
  }
  EXPECT_GT(compared, 400);
}

TEST(BridgePath, MovementFollowsTheActivityProfileAndTheRealDailyVariance) {
  std::ostringstream quiet;
  TDataReport report(quiet);
  const TRatesTable table = readRatesTable(CANDORA_RATES_CSV, report);
  const std::vector<TFixing> fixings = legFixings(table, legOf("JPY"));
  const int32_t start = minutesOf(2007, 1, 1), end = minutesOf(2009, 1, 1);
  TBridgeSettings settings;
  settings.seed = 3;
  const TLegPath path = buildLegPath(fixings, legOf("JPY"), start, end, settings);

  // Through every fixing in the range, exactly.
  for (const TFixing& f : fixings)
    if (f.minute >= start && f.minute <= end) {
      ASSERT_EQ(path.at(f.minute), f.logValue);
    }

  // Busy hours move more than quiet ones, and the weekend hardly at all.
  double overlap = 0, lateNewYork = 0, weekend = 0;
  int overlapMinutes = 0, lateMinutes = 0, weekendMinutes = 0;
  for (int32_t t = start; t < end; ++t) {
    const double move = path.at(t + 1) - path.at(t);
    const int64_t hour = floorMod(t, 1440) / 60;
    if (!isMarketOpen(t)) {
      weekend += move * move;
      ++weekendMinutes;
    } else if (hour >= 13 && hour < 16) {
      overlap += move * move;
      ++overlapMinutes;
    } else if (hour >= 20 && hour < 22) {
      lateNewYork += move * move;
      ++lateMinutes;
    }
  }
  EXPECT_GT(overlap / overlapMinutes, 3 * lateNewYork / lateMinutes);
  EXPECT_LT(weekend / weekendMinutes, 0.05 * lateNewYork / lateMinutes);

  // Over two years the movement within the days adds up to about the real day-to-day variance.
  double realized = 0, real = 0;
  int days = 0;
  for (std::size_t i = 0; i + 1 < fixings.size(); ++i) {
    if (fixings[i].minute < start || fixings[i + 1].minute > end) continue;
    const double move = fixings[i + 1].logValue - fixings[i].logValue;
    real += move * move;
    for (int32_t t = fixings[i].minute; t < fixings[i + 1].minute; ++t)
      realized += (path.at(t + 1) - path.at(t)) * (path.at(t + 1) - path.at(t));
    ++days;
  }
  EXPECT_GT(days, 450);
  EXPECT_GT(realized / real, 0.7);
  EXPECT_LT(realized / real, 1.5);
}
