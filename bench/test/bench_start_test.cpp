// Generating a whole test of twenty sessions from the bundled USDJPY 1-hour sample, as the user
// waits for the first question after pressing start.

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "untConversionTable.h"
#include "untHistoricalData.h"
#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untPairInfo.h"
#include "untTest.h"

namespace {

using namespace candora;

class SilentView : public ITestView {
public:
  void showQuestion(const TTestResult&, int) override {}
  void showPrompt(const TTestResult&, int) override {}
  void showAnswer(const TTestResult&, int) override {}
  void showResult(const TTestResult&, int, TSoundKind) override {}
  void showPage(int) override {}
  void setAdditionalChartEnabled(bool) override {}
  void showScoreBoard() override {}
  void hideChartWindow() override {}
  void hideExtraChartDialog() override {}
};

void BM_StartTest(benchmark::State& state) {
  setApplicationPath(CANDORA_BIN_DIR);
  const std::string prices = getHistoricalDataFileName(TPair(TPair::USDJPY), TTimeStep(5));
  if (!std::filesystem::exists(prices)) {
    state.SkipWithError(("the bundled sample is not built: " + prices).c_str());
    return;
  }
  TPairList pairs;
  setPairList(&pairs);
  const TConversionTable table;
  // The history lives in a folder of its own so that the benchmark never touches a user's scores.
  std::string folder = (std::filesystem::temp_directory_path() / "candora-bench-XXXXXX").string();
  ::mkdtemp(folder.data());
  seedRandom(2026);
  {
    TNivraResult history(table, folder + "/score.txt", TSaveAtClose::No);
    SilentView view;
    TTest engine(history, view);
    for (auto _ : state) engine.startTest(TPair(TPair::USDJPY), TTimeStep(5));
  }
  std::filesystem::remove_all(folder);
  setPairList(nullptr);
}
BENCHMARK(BM_StartTest)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
