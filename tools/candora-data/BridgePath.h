#pragma once
// Minute-by-minute movement of one dollar leg between its published daily rates. Between two
// consecutive noon fixings the log rate follows a Brownian bridge whose variance per minute
// follows the activity profile of the day (MarketCalendar) and whose size matches the recent real
// day-to-day variance of that leg. The path passes exactly through every published rate at its
// fixing minute. Part of every minute's shock is shared by all legs (the dollar's own moves), so
// cross rates are calmer than two independent legs would make them.

#include <cstdint>
#include <vector>

#include "RatesTable.h"

namespace candora::data {

struct TFixing {
  int32_t minute = 0;     // TIDateTime of the fixing
  double logValue = 0.0;  // log of the US dollars one unit of the currency buys
};

// The fixings of one leg, in time order, skipping days without a rate.
std::vector<TFixing> legFixings(const TRatesTable& table, int leg);

struct TBridgeSettings {
  uint64_t seed = 0;
  double sharedShare = 0.5;   // share of each minute's variance that all legs have in common
  int varianceWindow = 20;    // number of recent day-to-day moves the variance is measured over
};

struct TLegPath {
  int32_t start = 0;                  // minute of logValue[0]
  std::vector<double> logValue;       // at minute boundaries start … end; NaN outside the fixings
  std::vector<float> minuteVariance;  // of the move from minute t to t + 1, for t in start … end − 1

  double at(int32_t minute) const { return logValue[static_cast<std::size_t>(minute - start)]; }
  double varianceAt(int32_t minute) const { return minuteVariance[static_cast<std::size_t>(minute - start)]; }
};

// The path over [start, end]. The randomness of each stretch between two fixings depends only on
// the seed, the leg and the stretch, so a narrower range yields the same movement where it overlaps.
TLegPath buildLegPath(const std::vector<TFixing>& fixings, int leg, int32_t start, int32_t end,
                      const TBridgeSettings& settings);

}  // namespace candora::data
