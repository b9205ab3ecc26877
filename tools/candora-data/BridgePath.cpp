#include "BridgePath.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "DataRandom.h"
#include "MarketCalendar.h"
#include "untIDateTime.h"

namespace candora::data {

namespace {

// Purposes of the random streams, so that no two uses ever draw the same numbers.
constexpr uint64_t kSharedPurpose = 1;
constexpr uint64_t kLegPurpose = 100;

// No stretch is ever completely still; this is a hundredth of a percent a day.
constexpr double kLeastDailyVariance = 1e-8;

// The shock every leg shares at a minute: one stream per day, drawn a day at a time.
class TSharedShocks {
public:
  explicit TSharedShocks(uint64_t seed) : seed_(seed) {}
  double at(int32_t minute) {
    const int64_t day = floorDiv(minute, kMinutesPerDay);
    if (day != day_) {
      day_ = day;
      TRandom random = TRandom::forStream(seed_, kSharedPurpose, day);
      for (double& z : shocks_) z = random.nextNormal();
    }
    return shocks_[static_cast<std::size_t>(floorMod(minute, kMinutesPerDay))];
  }

private:
  uint64_t seed_;
  int64_t day_ = std::numeric_limits<int64_t>::min();
  std::array<double, kMinutesPerDay> shocks_{};
};

// Daily variance for each stretch between fixings: the mean of the squared moves, each scaled to
// one day of activity, over the stretch and those just before it.
std::vector<double> dailyVariances(const std::vector<TFixing>& fixings, int window) {
  const std::size_t stretches = fixings.size() - 1;
  std::vector<double> scaled(stretches), result(stretches);
  for (std::size_t i = 0; i < stretches; ++i) {
    const double days = weightBetween(fixings[i].minute, fixings[i + 1].minute) / weightPerDay();
    const double move = fixings[i + 1].logValue - fixings[i].logValue;
    scaled[i] = move * move / days;
  }
  double sum = 0;
  for (std::size_t i = 0; i < stretches; ++i) {
    sum += scaled[i];
    if (i >= static_cast<std::size_t>(window)) sum -= scaled[i - static_cast<std::size_t>(window)];
    const auto count = static_cast<double>(std::min(i + 1, static_cast<std::size_t>(window)));
    result[i] = std::max(sum / count, kLeastDailyVariance);
  }
  return result;
}

}  // namespace

std::vector<TFixing> legFixings(const TRatesTable& table, int leg) {
  std::vector<TFixing> fixings;
  for (const TRateRow& row : table.rows) {
    const double value = row.logUsdValue[static_cast<std::size_t>(leg)];
    if (std::isnan(value)) continue;
    fixings.push_back({fixingMinute(row.year, row.month, row.day), value});
  }
  return fixings;
}

TLegPath buildLegPath(const std::vector<TFixing>& fixings, int leg, int32_t start, int32_t end,
                      const TBridgeSettings& settings) {
  TLegPath path;
  path.start = start;
  path.logValue.assign(static_cast<std::size_t>(end - start) + 1, std::numeric_limits<double>::quiet_NaN());
  path.minuteVariance.assign(static_cast<std::size_t>(end - start), 0.0f);
  if (fixings.size() < 2) return path;

  const std::vector<double> variances = dailyVariances(fixings, settings.varianceWindow);
  const double shared = std::sqrt(settings.sharedShare), own = std::sqrt(1.0 - settings.sharedShare);
  TSharedShocks sharedShocks(settings.seed);
  std::vector<double> walk, cumulativeVariance;

  for (std::size_t i = 0; i + 1 < fixings.size(); ++i) {
    const int32_t a = fixings[i].minute, b = fixings[i + 1].minute;
    if (b < start || a > end) continue;
    const auto n = static_cast<std::size_t>(b - a);
    walk.assign(n + 1, 0.0);
    cumulativeVariance.assign(n + 1, 0.0);
    TRandom random = TRandom::forStream(settings.seed, kLegPurpose + static_cast<uint64_t>(leg), a);
    const double perWeight = variances[i] / weightPerDay();
    // A free walk with the wanted variance per minute…
    for (std::size_t k = 0; k < n; ++k) {
      const int32_t t = a + static_cast<int32_t>(k);
      const double v = perWeight * minuteWeight(t);
      const double z = shared * sharedShocks.at(t) + own * random.nextNormal();
      walk[k + 1] = walk[k] + std::sqrt(v) * z;
      cumulativeVariance[k + 1] = cumulativeVariance[k] + v;
      if (t >= start && t < end) path.minuteVariance[static_cast<std::size_t>(t - start)] = static_cast<float>(v);
    }
    // …pinned to both fixings: the bridge of a walk on its own variance clock.
    const double miss = walk[n] - (fixings[i + 1].logValue - fixings[i].logValue);
    const double total = cumulativeVariance[n];
    for (std::size_t k = 0; k <= n; ++k) {
      const int32_t t = a + static_cast<int32_t>(k);
      if (t < start || t > end) continue;
      path.logValue[static_cast<std::size_t>(t - start)] =
          k == n ? fixings[i + 1].logValue
                 : fixings[i].logValue + walk[k] - cumulativeVariance[k] / total * miss;
    }
  }
  return path;
}

}  // namespace candora::data
