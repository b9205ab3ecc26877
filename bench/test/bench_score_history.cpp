// A score history of 10,000 complete tests of all sixteen pairs and six time scales: computing its
// statistics (done after every answer) and reading and writing its file (done at start and close).

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "untAtomicFile.h"
#include "untConversionTable.h"
#include "untIDateTime.h"
#include "untNivraUtil.h"
#include "untPairInfo.h"
#include "untScoreFile.h"
#include "untTotalResult.h"

namespace {

using namespace candora;

constexpr int kTests = 10000;

void writeText(const std::string& name, const std::string& text) { std::ofstream(name, std::ios::binary) << text; }

struct History {
  History() {
    std::string pattern = (std::filesystem::temp_directory_path() / "candora-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(folder + "/etc");
    std::filesystem::create_directories(folder + "/user");

    std::string pairs;
    for (int p = 0; p < TPair::kCount; ++p) {
      const bool yen = TPair(static_cast<uint8_t>(p)).getQuoteCurrency() == "JPY";
      pairs += std::to_string(p) + ",X," + (yen ? "0.000,0.001,3," : "0.00000,0.00001,5,") +
               std::to_string(8 + p) + "\r\n";
    }
    writeText(folder + "/etc/pairinfo.txt", pairs);
    pairList = std::make_unique<TPairList>(folder + "/etc/pairinfo.txt");
    setPairList(pairList.get());

    std::mt19937 random(17);
    const int32_t firstDay = minutesOf(2007, 1, 1), lastDay = minutesOf(2011, 3, 1);
    std::string rates;
    for (int32_t day = firstDay; day <= lastDay; day += kMinutesPerDay) {
      rates += std::to_string(day);
      for (int c = 0; c < 6; ++c) rates += "," + std::to_string(80000 + static_cast<int32_t>(random() % 80000));
      rates += "\r\n";
    }
    writeText(folder + "/etc/conversionrate.txt", rates);
    table = std::make_unique<TConversionTable>(folder + "/etc/conversionrate.txt");

    fileName = folder + "/user/score.txt";
    TResultList tests;
    const uint8_t steps[] = {0, 2, 4, 5, 7, 9};
    for (int n = 0; n < kTests; ++n) {
      auto t = std::make_unique<TTestResult>();
      t->pair = TPair(static_cast<uint8_t>(random() % TPair::kCount));
      t->timeStep = TTimeStep(steps[random() % 6]);
      t->testDateTime = encodeDateTime(2024, 1, 1) + n * 0.01;
      for (int k = 1; k <= kSessionCount; ++k) {
        TSessionRecord& s = t->getSession(k);
        s.pair = t->pair;
        s.timeStep = t->timeStep;
        s.chartStartTime = TIDateTime(firstDay + static_cast<int32_t>(random() % 2000000));
        s.entryTime = TIDateTime(s.chartStartTime.getSerial() + 1140);
        s.exitTime = TIDateTime(s.entryTime.getSerial() + 60 * s.getBarsAfter());
        s.entryRate = 100000 + static_cast<int32_t>(random() % 20000);
        s.exitRate = s.entryRate + static_cast<int32_t>(random() % 2001) - 1000;
        s.position = TPosition(static_cast<uint8_t>(random() % 3));
        s.answerMillis = static_cast<int32_t>(random() % 60000);
      }
      tests.add(std::move(t));
    }
    writeFileAtomically(fileName, formatScoreFile(tests));
    history = std::make_unique<TNivraResult>(*table, fileName, TSaveAtClose::No);
  }
  ~History() {
    history.reset();
    setPairList(nullptr);
    std::filesystem::remove_all(folder);
  }

  std::string folder, fileName;
  std::unique_ptr<TPairList> pairList;
  std::unique_ptr<TConversionTable> table;
  std::unique_ptr<TNivraResult> history;
};

History& history() {
  static History h;
  return h;
}

void BM_Calculate(benchmark::State& state) {
  History& h = history();
  for (auto _ : state) {
    h.history->calculate();
    benchmark::DoNotOptimize(h.history->evaluation);
  }
  state.counters["tests"] = h.history->testCount;
}

void BM_Load(benchmark::State& state) {
  History& h = history();
  for (auto _ : state) {
    TScoreFileContent content = readScoreFile(h.fileName);
    benchmark::DoNotOptimize(content.results.getCount());
  }
}

void BM_Save(benchmark::State& state) {
  History& h = history();
  for (auto _ : state) h.history->saveToFile();
}

void BM_LoadAndSave(benchmark::State& state) {
  History& h = history();
  for (auto _ : state) {
    TScoreFileContent content = readScoreFile(h.fileName);
    writeFileAtomically(h.fileName, formatScoreFile(content.results));
  }
}

// What start-up pays: reading the file and computing the statistics.
void BM_OpenHistory(benchmark::State& state) {
  History& h = history();
  for (auto _ : state) {
    TNivraResult opened(*h.table, h.fileName, TSaveAtClose::No);
    benchmark::DoNotOptimize(opened.testCount);
  }
}

BENCHMARK(BM_Calculate)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_LoadAndSave)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(BM_OpenHistory)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
