#include "Importer.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "BarAggregator.h"
#include "CsvBars.h"
#include "DataFolder.h"
#include "PriceFiles.h"
#include "Progress.h"
#include "untMarketRecords.h"
#include "untNivraUtil.h"

namespace candora::data {

int32_t inputResolution(const std::vector<THistoricalRecord>& bars) {
  // Thirty days is the longest step; distances beyond it say nothing about the bar length.
  constexpr int32_t kLongestStep = 30 * 1440;
  int32_t g = 0;
  for (const THistoricalRecord& bar : bars) {
    int32_t offset = (bar.time - kGridOrigin) % kLongestStep;
    if (offset < 0) offset += kLongestStep;
    g = std::gcd(g, offset);
    if (g == 1) break;
  }
  return g == 0 ? kLongestStep : g;
}

TImportSummary importBars(const TImportOptions& options, TDataReport& report) {
  const TDataFolder folder(options.outDir, options.pairInfoFile);
  const double unitsPerPrice = std::round(1.0 / options.pair.getRateFactor());
  const TCsvImport csv = readCsvBars(options.inputFile, unitsPerPrice, report);
  if (csv.bars.empty())
    throw EConvertError("\"" + options.inputFile + "\" holds no bar that could be read (" +
                        std::to_string(csv.dataLines) + " data lines)");

  TImportSummary summary;
  summary.bars = csv.bars.size();
  summary.dataLines = csv.dataLines;
  summary.malformed = csv.malformed;
  summary.outOfOrder = csv.outOfOrder;
  summary.duplicates = csv.duplicates;
  summary.inputMinutes = inputResolution(csv.bars);
  std::vector<TTimeStep> steps;
  for (uint8_t s = 0; s < TTimeStep::kCount; ++s) {
    const TTimeStep step(s);
    const bool requested =
        options.steps.empty() || std::find(options.steps.begin(), options.steps.end(), step) != options.steps.end();
    if (!requested) continue;
    if (step.getMinute() % summary.inputMinutes == 0) {
      steps.push_back(step);
    } else if (!options.steps.empty()) {
      report.problem("steps finer than the input",
                     step.getToCandleString() + " cannot be made: the bars of \"" + options.inputFile + "\" lie " +
                         std::to_string(summary.inputMinutes) + " minutes apart");
    }
  }

  for (const TTimeStep step : steps) {
    const std::vector<THistoricalRecord> bars = aggregateBars(csv.bars, step);
    TProgress progress("  " + options.pair.getToString() + " " + step.getToCandleString(),
                       1 + static_cast<int64_t>(indicatorKinds().size()));
    summary.indicatorFiles +=
        writePriceAndIndicatorFiles(options.pair, step, bars, [&progress](int n) { progress.step(n); }) - 1;
    summary.written.push_back(step);
  }
  return summary;
}

}  // namespace candora::data
