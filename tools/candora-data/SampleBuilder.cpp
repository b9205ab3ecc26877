#include "SampleBuilder.h"

#include <cmath>
#include <map>

#include "BarAggregator.h"
#include "BridgePath.h"
#include "ConversionBuilder.h"
#include "DataFolder.h"
#include "DataRandom.h"
#include "MarketCalendar.h"
#include "PriceFiles.h"
#include "Progress.h"
#include "RatesTable.h"
#include "untIDateTime.h"
#include "untMyMath.h"
#include "untNivraUtil.h"

namespace candora::data {

namespace {

constexpr uint64_t kWickPurpose = 1000;
// How far, in standard deviations of the minute's move, a minute's high and low reach beyond its
// open and close on average.
constexpr double kWickScale = 0.5;

struct TPairLegs {
  int base;   // leg index, or -1 for USD
  int quote;
};

TPairLegs legsOf(TPair pair) {
  return {legOf(pair.getBaseCurrency()), legOf(pair.getQuoteCurrency())};
}

// Streams one pair's minute bars from its legs into one aggregator per requested step.
std::vector<TBarAggregator> aggregatePair(TPair pair, const std::map<int, TLegPath>& paths,
                                          const TSampleOptions& options, const TBridgeSettings& settings,
                                          int32_t start, int32_t end) {
  const TPairLegs legs = legsOf(pair);
  const TLegPath* base = legs.base >= 0 ? &paths.at(legs.base) : nullptr;
  const TLegPath* quote = legs.quote >= 0 ? &paths.at(legs.quote) : nullptr;
  const auto logAt = [&](int32_t t) { return (base ? base->at(t) : 0.0) - (quote ? quote->at(t) : 0.0); };
  const double unitsPerPrice = std::round(1.0 / pair.getRateFactor());
  const auto units = [unitsPerPrice](double logPrice) {
    return static_cast<int32_t>(roundHalfEven(std::exp(logPrice) * unitsPerPrice));
  };
  // Both legs share part of each minute's shock, which cancels in a cross rate.
  const double sharedShare = settings.sharedShare;

  std::vector<TBarAggregator> aggregators;
  for (const TTimeStep step : options.steps) aggregators.emplace_back(step);
  TProgress progress("  " + pair.getToString() + " bars", end - start);
  TRandom wicks(0);
  int64_t wickDay = -1;
  for (int32_t t = start; t < end; ++t) {
    progress.update(t - start);
    if (!isMarketOpen(t)) continue;
    const double open = logAt(t), close = logAt(t + 1);
    if (std::isnan(open) || std::isnan(close)) continue;
    const int64_t day = floorDiv(t, kMinutesPerDay);
    if (day != wickDay) {
      wickDay = day;
      wicks = TRandom::forStream(options.seed, kWickPurpose + pair.getOrdinal(), day);
    }
    const double vb = base ? base->varianceAt(t) : 0.0, vq = quote ? quote->varianceAt(t) : 0.0;
    const double sd = std::sqrt(std::max(vb + vq - 2.0 * sharedShare * std::sqrt(vb * vq), 0.0));
    const double up = std::fabs(wicks.nextNormal()) * kWickScale * sd;
    const double down = std::fabs(wicks.nextNormal()) * kWickScale * sd;
    THistoricalRecord bar;
    bar.time = t;
    bar.open = units(open);
    bar.close = units(close);
    bar.high = units(std::max(open, close) + up);
    bar.low = units(std::min(open, close) - down);
    for (TBarAggregator& aggregator : aggregators) aggregator.add(bar);
  }
  return aggregators;
}

}  // namespace

TSampleOptions defaultSampleOptions() {
  TSampleOptions options;
  options.pairs = {TPair(TPair::USDJPY)};
  for (uint8_t s = 5; s < TTimeStep::kCount; ++s) options.steps.push_back(TTimeStep(s));
  options.fromDay = minutesOf(2005, 1, 1);
  options.toDay = minutesOf(2011, 12, 31);
  return options;
}

TSampleSummary buildSample(const TSampleOptions& options, TDataReport& report) {
  if (options.toDay < options.fromDay) throw EConvertError("The sample's last day lies before its first day");
  const TRatesTable rates = readRatesTable(options.ratesFile, report);
  const TDataFolder folder(options.outDir, options.pairInfoFile);

  const int32_t start = options.fromDay, end = options.toDay + kMinutesPerDay;
  TBridgeSettings settings;
  settings.seed = options.seed;
  std::map<int, TLegPath> paths;
  for (const TPair pair : options.pairs) {
    const TPairLegs legs = legsOf(pair);
    for (const int leg : {legs.base, legs.quote})
      if (leg >= 0 && !paths.contains(leg)) paths.emplace(leg, buildLegPath(legFixings(rates, leg), leg, start, end, settings));
  }

  TSampleSummary summary;
  for (const TPair pair : options.pairs) {
    std::vector<TBarAggregator> aggregators = aggregatePair(pair, paths, options, settings, start, end);
    for (TBarAggregator& aggregator : aggregators) {
      const std::vector<THistoricalRecord> bars = aggregator.finish();
      if (bars.empty()) {
        report.problem("pairs without rates", pair.getToString() + ": no published rates between " +
                                                  formatIsoMinutes(start).substr(0, 10) + " and " +
                                                  formatIsoMinutes(options.toDay).substr(0, 10));
        break;
      }
      TProgress progress("  " + pair.getToString() + " " + aggregator.step().getToCandleString(),
                         1 + static_cast<int64_t>(indicatorKinds().size()));
      summary.indicatorFiles +=
          writePriceAndIndicatorFiles(pair, aggregator.step(), bars, [&progress](int n) { progress.step(n); }) - 1;
      ++summary.priceFiles;
    }
  }
  if (summary.priceFiles > 0) summary.conversionRows = buildConversionTable(report).rows;
  return summary;
}

}  // namespace candora::data
