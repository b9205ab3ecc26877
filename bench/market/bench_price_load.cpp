// Loading 60-bar windows at random places of a seven-year 1-hour price file, as the test generator
// does for each of its candidate charts.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <random>

#include "untHistoricalData.h"
#include "untHistoricalDataWriter.h"
#include "untIDateTime.h"
#include "untNivraUtil.h"

namespace {

using namespace candora;

struct SevenYearFile {
  SevenYearFile() {
    std::string pattern = (std::filesystem::temp_directory_path() / "candora-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    setApplicationPath(folder);
    std::filesystem::create_directories(folder + "/ohlc");
    const TTimeStep hour(5);
    std::vector<THistoricalRecord> bars;
    std::mt19937 random(7);
    int32_t price = 110000;
    for (int32_t t = minutesOf(2005, 1, 1); t < minutesOf(2012, 1, 1); t += 60) {
      price += static_cast<int32_t>(random() % 101) - 50;
      bars.push_back({t, price - 40, price + 40, price - 10, price + 10});
    }
    count = static_cast<int32_t>(bars.size());
    first = bars.front().time;
    writeHistoricalDataFile(getHistoricalDataFileName(TPair(TPair::USDJPY), hour), TPair(TPair::USDJPY), hour, bars);
  }
  ~SevenYearFile() { std::filesystem::remove_all(folder); }

  std::string folder;
  int32_t first = 0;
  int32_t count = 0;
};

void BM_Load60BarWindow(benchmark::State& state) {
  static SevenYearFile file;
  std::mt19937 random(11);
  THistoricalData data;
  for (auto _ : state) {
    const int32_t start = file.first + static_cast<int32_t>(random() % static_cast<uint32_t>(file.count - 60)) * 60;
    data.load(TPair(TPair::USDJPY), TTimeStep(5), start, 60);
    benchmark::DoNotOptimize(data.getRecord(59).close);
  }
}
BENCHMARK(BM_Load60BarWindow)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
