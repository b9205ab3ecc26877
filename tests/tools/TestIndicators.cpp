// The indicator series against a plain reading of their definitions, computed the slow way over
// series with weekend gaps and holes, at time steps whose length does and does not divide a day.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "DataRandom.h"
#include "Indicators.h"
#include "MarketCalendar.h"
#include "PriceFiles.h"
#include "TestSupport.h"
#include "untHistoricalData.h"
#include "untHistoricalDataWriter.h"
#include "untIDateTime.h"
#include "untMyMath.h"
#include "untNivraUtil.h"

using namespace candora;
using namespace candora::data;

namespace {

// A random walk on the step's grid from `first`, closed over weekends, with one slot in 15 empty.
std::vector<THistoricalRecord> randomBars(TTimeStep step, int32_t first, int slots, uint64_t seed) {
  TRandom random(seed);
  std::vector<THistoricalRecord> bars;
  double price = 100000;
  for (int k = 0; k < slots; ++k) {
    const int32_t t = first + k * step.getMinute();
    const double open = price;
    price += random.nextNormal() * 40;
    if (step.getMinute() < 1440 && !isMarketOpen(t)) continue;
    if (k > 0 && random.next() % 15 == 0) continue;
    const auto o = static_cast<int32_t>(open), c = static_cast<int32_t>(price);
    const int32_t h = std::max(o, c) + static_cast<int32_t>(random.next() % 30);
    const int32_t l = std::min(o, c) - static_cast<int32_t>(random.next() % 30);
    bars.push_back({t, l, h, o, c});
  }
  return bars;
}

// The bars a window holds at slot time t, or nothing when the window is not yet full.
std::optional<std::vector<THistoricalRecord>> windowAt(const std::vector<THistoricalRecord>& bars, std::size_t j,
                                                       TTimeStep step, TCalcPeriod period) {
  std::vector<THistoricalRecord> window;
  const int32_t t = bars[j].time;
  if (period.getIsBarPeriod()) {
    const auto n = static_cast<std::size_t>(period.getPeriodValue());
    if (j + 1 < n) return std::nullopt;
    window.assign(bars.begin() + static_cast<std::ptrdiff_t>(j + 1 - n), bars.begin() + static_cast<std::ptrdiff_t>(j + 1));
    return window;
  }
  const int32_t since = t - period.getPeriodValue() * 1440;
  // Full only if every slot the window spans lies at or after the first bar.
  for (int32_t s = t; s > since; s -= step.getMinute())
    if (s < bars.front().time) return std::nullopt;
  for (const THistoricalRecord& b : bars)
    if (b.time > since && b.time <= t) window.push_back(b);
  return window;
}

std::map<std::pair<int, int>, std::vector<float>> allSeries(const TPriceSeries& series) {
  std::map<std::pair<int, int>, std::vector<float>> result;
  computeIndicators(series, [&](const TIndicatorKind& kind, const std::vector<float>& values) {
    result[{kind.valueType.getOrdinal(), kind.period.getOrdinal()}] = values;
  });
  return result;
}

void expectValue(float actual, std::optional<double> expected, const std::string& where) {
  if (!expected) {
    EXPECT_EQ(actual, MissingFloat) << where;
    return;
  }
  EXPECT_NEAR(actual, *expected, 2e-3 + 1e-6 * std::fabs(*expected)) << where;
}

void compareWithDefinitions(TTimeStep step, const std::vector<THistoricalRecord>& bars) {
  const TPriceSeries series = seriesFromBars(step, bars);
  const auto computed = allSeries(series);
  ASSERT_EQ(computed.size(), 45u);
  std::vector<bool> hasBar(series.slots.size(), false);
  for (std::size_t j = 0; j < bars.size(); ++j) {
    const auto slot = static_cast<std::size_t>((bars[j].time - series.firstTime) / step.getMinute());
    hasBar[slot] = true;
    const std::string at = step.getToCandleString() + " " + formatIsoMinutes(bars[j].time);
    EXPECT_EQ(computed.at({0, 0})[slot], static_cast<float>(bars[j].close)) << at;
    for (uint8_t p = 0; p < TCalcPeriod::kCount; ++p) {
      const TCalcPeriod period(p);
      const auto window = windowAt(bars, j, step, period);
      const std::string where = at + " period " + period.getToString();
      std::optional<double> minusMax, minusMin, minusMean, deviation;
      if (window) {
        double high = -1e18, low = 1e18, mean = 0;
        for (const auto& b : *window) {
          high = std::max<double>(high, b.high);
          low = std::min<double>(low, b.low);
          mean += b.close;
        }
        mean /= static_cast<double>(window->size());
        double squares = 0;
        for (const auto& b : *window) squares += (b.close - mean) * (b.close - mean);
        minusMax = bars[j].close - high;
        minusMin = bars[j].close - low;
        minusMean = bars[j].close - mean;
        deviation = std::sqrt(squares / static_cast<double>(window->size()));
      }
      expectValue(computed.at({5, p})[slot], minusMax, where + " close-max");
      expectValue(computed.at({6, p})[slot], minusMin, where + " close-min");
      if (period.getIsBarPeriod()) {
        expectValue(computed.at({4, p})[slot], minusMean, where + " close-MA");
        expectValue(computed.at({3, p})[slot], deviation, where + " SD");
      }
    }
  }
  // Empty slots are missing in every series.
  for (const auto& [key, values] : computed)
    for (std::size_t s = 0; s < values.size(); ++s)
      if (!hasBar[s]) {
        ASSERT_EQ(values[s], MissingFloat) << "slot " << s << " of " << key.first << "_" << key.second;
      }
}

}  // namespace

TEST(Indicators, MatchTheirDefinitionsOnHourlyBars) {
  compareWithDefinitions(TTimeStep(5), randomBars(TTimeStep(5), minutesOf(2008, 3, 2, 22), 24 * 40, 1));
}

TEST(Indicators, MatchTheirDefinitionsOnDailyBarsOverThreeYears) {
  // Long enough for the 360- and 720-day windows to fill.
  compareWithDefinitions(TTimeStep(9), randomBars(TTimeStep(9), minutesOf(2006, 1, 2), 1100, 2));
}

TEST(Indicators, MatchTheirDefinitionsOnStepsThatDoNotDivideTheDayPeriods) {
  // Weekly and 30-day bars: a 30-day window spans five weekly slots, a 1-day window one.
  compareWithDefinitions(TTimeStep(11), randomBars(TTimeStep(11), minutesOf(2005, 1, 3), 200, 3));
  compareWithDefinitions(TTimeStep(13), randomBars(TTimeStep(13), minutesOf(2005, 1, 3), 60, 4));
}

TEST(Indicators, DeviationStaysExactOverMillionsOfBars) {
  // A long flat stretch after big moves: running float sums would leave a residue here.
  std::vector<THistoricalRecord> bars;
  const int32_t first = minutesOf(2005, 1, 3);
  for (int k = 0; k < 2000000; ++k) {
    const int32_t c = k < 1000000 ? 100000 + (k % 2 ? 3000 : -3000) : 123456;
    bars.push_back({first + k, c, c, c, c});
  }
  const TPriceSeries series = seriesFromBars(TTimeStep(0), bars);
  computeIndicators(series, [&](const TIndicatorKind& kind, const std::vector<float>& values) {
    const uint8_t type = kind.valueType.getOrdinal();
    if (type == TCalcValueType::StdDev || type == TCalcValueType::CloseMinusAverage) {
      EXPECT_EQ(values.back(), 0.0f) << int(type) << "_" << int(kind.period.getOrdinal());
    }
  });
}

TEST(PriceFiles, WholeFileReadingAgreesWithTheProgramsReader) {
  candora::testing::TempDir dir;
  setApplicationPath(dir.path().string());
  const TTimeStep step(5);
  const std::vector<THistoricalRecord> bars = randomBars(step, minutesOf(2008, 3, 2, 22), 500, 5);
  const std::string fileName = dir.file("prices.hst");
  writeHistoricalDataFile(fileName, TPair(TPair::USDJPY), step, bars);
  const TPriceFile whole = readWholePriceFile(fileName);
  THistoricalData data;
  data.loadFile(fileName, whole.header.firstTime, whole.header.lastTime + step.getMinute());
  ASSERT_EQ(whole.series.slots.size(), static_cast<std::size_t>(data.getCount()));
  for (int i = 0; i < data.getCount(); ++i) {
    const THistoricalRecord& a = whole.series.slots[static_cast<std::size_t>(i)];
    const THistoricalRecord& b = data.getRecord(i);
    ASSERT_EQ(std::tie(a.time, a.open, a.high, a.low, a.close), std::tie(b.time, b.open, b.high, b.low, b.close)) << i;
  }
  std::filesystem::resize_file(fileName, std::filesystem::file_size(fileName) - 16);
  EXPECT_THROW(readWholePriceFile(fileName), EInOutError);
  setApplicationPath("");
}
