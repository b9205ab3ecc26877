// Speed of candora-data: all indicator files of one pair's one-minute bars over seven years,
// against the same quantities from pandas rolling windows, and the default sample build.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "DataRandom.h"
#include "DataReport.h"
#include "Indicators.h"
#include "MarketCalendar.h"
#include "SampleBuilder.h"
#include "untIDateTime.h"
#include "untMyMath.h"

using namespace candora;
using namespace candora::data;

namespace {

// 2005-01-01 to 2011-12-31 in one-minute slots: about 3.7 million, 2.6 million of them trading
// minutes with a bar.
const TPriceSeries& sevenYearsOfMinutes() {
  static const TPriceSeries series = [] {
    TPriceSeries s;
    s.step = TTimeStep(0);
    s.firstTime = minutesOf(2005, 1, 1);
    const int32_t end = minutesOf(2012, 1, 1);
    s.slots.resize(static_cast<std::size_t>(end - s.firstTime));
    TRandom random(2005);
    double price = 105000;
    for (int32_t t = s.firstTime; t < end; ++t) {
      THistoricalRecord& r = s.slots[static_cast<std::size_t>(t - s.firstTime)];
      r.time = t;
      if (!isMarketOpen(t)) {
        r.open = r.high = r.low = r.close = MissingValue;
        continue;
      }
      const double open = price;
      price += random.nextNormal() * 8;
      r.open = static_cast<int32_t>(open);
      r.close = static_cast<int32_t>(price);
      r.high = std::max(r.open, r.close) + static_cast<int32_t>(random.next() % 5);
      r.low = std::min(r.open, r.close) - static_cast<int32_t>(random.next() % 5);
    }
    return s;
  }();
  return series;
}

std::vector<double> indicatorSeconds, pandasSeconds, sampleSeconds;

double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

void BM_AllIndicatorFilesOfSevenYearsOfMinutes(benchmark::State& state) {
  const TPriceSeries& series = sevenYearsOfMinutes();
  for (auto _ : state) {
    const auto started = std::chrono::steady_clock::now();
    std::size_t kinds = 0;
    computeIndicators(series, [&](const TIndicatorKind&, const std::vector<float>& values) {
      benchmark::DoNotOptimize(values.data());
      ++kinds;
    });
    indicatorSeconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    if (kinds != 45) state.SkipWithError("not all 45 series were computed");
  }
  state.counters["slots"] = static_cast<double>(series.slots.size());
}
BENCHMARK(BM_AllIndicatorFilesOfSevenYearsOfMinutes)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(5);

// The bars that hold data, as pandas_rolling.py reads them.
std::string writeBarsForPandas(const std::string& folder) {
  const TPriceSeries& series = sevenYearsOfMinutes();
  std::vector<int32_t> slot, time, close, high, low;
  for (std::size_t s = 0; s < series.slots.size(); ++s) {
    const THistoricalRecord& r = series.slots[s];
    if (r.close == MissingValue) continue;
    slot.push_back(static_cast<int32_t>(s));
    time.push_back(r.time);
    close.push_back(r.close);
    high.push_back(r.high);
    low.push_back(r.low);
  }
  const std::string file = folder + "/bars.i32";
  std::ofstream out(file, std::ios::binary);
  const int32_t head[4] = {static_cast<int32_t>(series.slots.size()), static_cast<int32_t>(slot.size()),
                           series.firstTime, series.step.getMinute()};
  out.write(reinterpret_cast<const char*>(head), sizeof head);
  for (const auto* v : {&slot, &time, &close, &high, &low})
    out.write(reinterpret_cast<const char*>(v->data()), static_cast<std::streamsize>(v->size() * sizeof(int32_t)));
  return file;
}

void BM_SameQuantitiesWithPandasRolling(benchmark::State& state) {
  char pattern[] = "/tmp/candora-bench-XXXXXX";
  if (!::mkdtemp(pattern)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const std::string folder = pattern;
  const std::string bars = writeBarsForPandas(folder);
  const std::string command = "/usr/bin/python3 '" CANDORA_PANDAS_SCRIPT "' '" + bars + "'";
  for (auto _ : state) {
    FILE* pipe = ::popen(command.c_str(), "r");
    char line[64] = {0};
    const bool read = pipe && std::fgets(line, sizeof line, pipe) != nullptr;
    const int status = pipe ? ::pclose(pipe) : -1;
    if (!read || status != 0) {
      state.SkipWithError("/usr/bin/python3 with pandas failed");
      break;
    }
    const double seconds = std::atof(line);
    pandasSeconds.push_back(seconds);
    state.SetIterationTime(seconds);
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SameQuantitiesWithPandasRolling)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(3);

// `candora-data sample` with its defaults: USDJPY, 1時間足 and longer, 2005-2011. Goal: under 15 s.
void BM_DefaultSampleBuild(benchmark::State& state) {
  char pattern[] = "/tmp/candora-sample-XXXXXX";
  if (!::mkdtemp(pattern)) {
    state.SkipWithError("no temporary folder");
    return;
  }
  TSampleOptions options = defaultSampleOptions();
  options.ratesFile = CANDORA_RATES_CSV;
  options.pairInfoFile = CANDORA_PAIRINFO;
  options.outDir = pattern;
  std::ostringstream quiet;
  for (auto _ : state) {
    TDataReport report(quiet);
    const auto started = std::chrono::steady_clock::now();
    const TSampleSummary summary = buildSample(options, report);
    sampleSeconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count());
    benchmark::DoNotOptimize(summary.indicatorFiles);
  }
  std::filesystem::remove_all(pattern);
}
BENCHMARK(BM_DefaultSampleBuild)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (!indicatorSeconds.empty() && !pandasSeconds.empty())
    std::printf("\nall indicator files, %zu one-minute slots: candora-data %.0f ms, pandas %.0f ms (medians): %.1fx faster\n",
                sevenYearsOfMinutes().slots.size(), median(indicatorSeconds) * 1000, median(pandasSeconds) * 1000,
                median(pandasSeconds) / median(indicatorSeconds));
  if (!sampleSeconds.empty())
    std::printf("default sample build: %.2f s (median; goal under 15 s)\n", median(sampleSeconds));
  return 0;
}
