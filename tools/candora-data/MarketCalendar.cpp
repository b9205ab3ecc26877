#include "MarketCalendar.h"

#include <array>
#include <cmath>
#include <vector>

#include "untIDateTime.h"

namespace candora::data {

namespace {

constexpr int32_t kMinutesPerWeek = 7 * kMinutesPerDay;
constexpr int32_t kFirstSunday2000 = kMinutesPerDay;  // 2000-01-02 00:00
constexpr int32_t kWeekendOpen = 22 * 60;             // Sunday 22:00 and Friday 22:00

// Variance per minute by UTC hour: Tokyo morning, the Asian lunch lull, the London open, the busiest
// London–New York overlap, then the fading New York afternoon and the quiet rollover hour.
constexpr std::array<double, 24> kHourlyActivity = {1.00, 1.10, 0.90, 0.55, 0.60, 0.70, 0.85, 1.50,
                                                    1.90, 1.70, 1.45, 1.35, 1.70, 2.30, 2.40, 2.10,
                                                    1.60, 1.10, 0.85, 0.70, 0.50, 0.35, 0.30, 0.60};
// The whole weekend moves the price about as much as one quiet hour.
constexpr double kWeekendVariance = 0.30 * 60;

struct TWeightTables {
  std::array<double, kMinutesPerDay> byMinuteOfDay{};
  std::vector<double> weekPrefix;  // weekPrefix[k]: sum over the first k minutes from Sunday 00:00
  double perDay = 0;
  double perClosedMinute = 0;
};

const TWeightTables& tables() {
  static const TWeightTables t = [] {
    TWeightTables w;
    double sum = 0;
    // Linear between the middles of the hours, so the profile has no steps.
    for (int m = 0; m < kMinutesPerDay; ++m) {
      const double hour = (m + 0.5) / 60.0 - 0.5;
      const int h0 = static_cast<int>(std::floor(hour));
      const double f = hour - h0;
      const double a = kHourlyActivity[static_cast<std::size_t>(floorMod(h0, 24))];
      const double b = kHourlyActivity[static_cast<std::size_t>(floorMod(h0 + 1, 24))];
      w.byMinuteOfDay[static_cast<std::size_t>(m)] = a + (b - a) * f;
      sum += w.byMinuteOfDay[static_cast<std::size_t>(m)];
    }
    for (double& x : w.byMinuteOfDay) x *= kMinutesPerDay / sum;
    w.perDay = kMinutesPerDay;
    w.perClosedMinute = kWeekendVariance / (2.0 * kMinutesPerDay) * (kMinutesPerDay / sum);
    w.weekPrefix.assign(kMinutesPerWeek + 1, 0.0);
    for (int32_t k = 0; k < kMinutesPerWeek; ++k) {
      const int32_t minute = kFirstSunday2000 + k;
      const double weight = isMarketOpen(minute) ? w.byMinuteOfDay[static_cast<std::size_t>(k % kMinutesPerDay)]
                                                 : w.perClosedMinute;
      w.weekPrefix[static_cast<std::size_t>(k) + 1] = w.weekPrefix[static_cast<std::size_t>(k)] + weight;
    }
    return w;
  }();
  return t;
}

// Day number (from 2000-01-01) of the n-th Sunday of a month, or the last one for n = 0.
int64_t sundayOfMonth(int year, int month, int n) {
  const int64_t first = floorDiv(minutesOf(year, month, 1), kMinutesPerDay);
  const int64_t firstSunday = first + floorMod(7 - weekdayOf(minutesOf(year, month, 1)), 7);
  if (n > 0) return firstSunday + 7 * (n - 1);
  const int64_t nextMonth = floorDiv(month == 12 ? minutesOf(year + 1, 1, 1) : minutesOf(year, month + 1, 1),
                                     kMinutesPerDay);
  int64_t last = firstSunday;
  while (last + 7 < nextMonth) last += 7;
  return last;
}

}  // namespace

int64_t floorDiv(int64_t a, int64_t b) {
  const int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

int64_t floorMod(int64_t a, int64_t b) { return a - floorDiv(a, b) * b; }

int weekdayOf(int32_t minute) {
  // 2000-01-01 was a Saturday.
  return static_cast<int>(floorMod(floorDiv(minute, kMinutesPerDay) + 6, 7));
}

bool isMarketOpen(int32_t minute) {
  const int weekday = weekdayOf(minute);
  const int64_t ofDay = floorMod(minute, kMinutesPerDay);
  if (weekday == 6) return false;
  if (weekday == 5) return ofDay < kWeekendOpen;
  if (weekday == 0) return ofDay >= kWeekendOpen;
  return true;
}

bool isUsDaylightSaving(int year, int month, int day) {
  const int64_t date = floorDiv(minutesOf(year, month, day), kMinutesPerDay);
  const int64_t start = year >= 2007 ? sundayOfMonth(year, 3, 2) : sundayOfMonth(year, 4, 1);
  const int64_t end = year >= 2007 ? sundayOfMonth(year, 11, 1) : sundayOfMonth(year, 10, 0);
  return date >= start && date < end;
}

int32_t fixingMinute(int year, int month, int day) {
  return minutesOf(year, month, day, isUsDaylightSaving(year, month, day) ? 16 : 17);
}

double minuteWeight(int32_t minute) {
  if (!isMarketOpen(minute)) return tables().perClosedMinute;
  return tables().byMinuteOfDay[static_cast<std::size_t>(floorMod(minute, kMinutesPerDay))];
}

double weightBetween(int32_t from, int32_t to) {
  const TWeightTables& t = tables();
  const auto cumulative = [&t](int32_t minute) {
    const int64_t offset = static_cast<int64_t>(minute) - kFirstSunday2000;
    return static_cast<double>(floorDiv(offset, kMinutesPerWeek)) * t.weekPrefix.back() +
           t.weekPrefix[static_cast<std::size_t>(floorMod(offset, kMinutesPerWeek))];
  };
  return cumulative(to) - cumulative(from);
}

double weightPerDay() { return tables().perDay; }

}  // namespace candora::data
