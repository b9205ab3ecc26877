#include <gtest/gtest.h>

#include <filesystem>

#include "TestSupport.h"
#include "untConversionTable.h"
#include "untHistoricalData.h"
#include "untHistoricalDataWriter.h"
#include "untMyMath.h"
#include "untPairInfo.h"
#include "untStopWatch.h"
#include "untTest.h"

using namespace candora;
using candora::testing::MessageRecorder;
using candora::testing::TempDir;

namespace {

const TPair kUsdJpy(TPair::USDJPY);
const TTimeStep kHour(5);

// Every call the engine makes on its windows, in order, as text.
class RecordingView : public ITestView {
public:
  void showQuestion(const TTestResult&, int n) override { add("question " + std::to_string(n)); }
  void showPrompt(const TTestResult&, int n) override { add("prompt " + std::to_string(n)); }
  void showAnswer(const TTestResult&, int n) override { add("answer " + std::to_string(n)); }
  void showResult(const TTestResult&, int n, TSoundKind sound) override {
    static const char* names[] = {"stay", "correct", "wrong"};
    add("result " + std::to_string(n) + " " + names[static_cast<int>(sound)]);
  }
  void showPage(int page) override { add("page " + std::to_string(page)); }
  void setAdditionalChartEnabled(bool on) override { add(on ? "enable extra" : "disable extra"); }
  void showScoreBoard() override { add("show score"); }
  void hideChartWindow() override { add("hide chart"); }
  void hideExtraChartDialog() override { add("hide dialog"); }

  std::vector<std::string> take() { return std::exchange(calls, {}); }
  std::vector<std::string> calls;

private:
  void add(std::string call) { calls.push_back(std::move(call)); }
};

// The close of the fixture's hourly bar at time t: a saw-tooth that never repeats within 49 bars,
// so an entry and its exit 10 to 40 bars later always differ.
int32_t sawClose(int32_t t) { return 100000 + ((t / 60) % 50) * 10; }

// The uniform draw that makes the generator pick chart start t.
double drawOf(int32_t t) {
  return (static_cast<double>(t - TTest::kEarliestStart) + 0.5) /
         static_cast<double>(TTest::kLatestStart - TTest::kEarliestStart + 1);
}

std::vector<THistoricalRecord> hourlyBars(int32_t from, int32_t to, const std::function<int32_t(int32_t)>& close) {
  std::vector<THistoricalRecord> bars;
  for (int32_t t = from; t <= to; t += 60) {
    const int32_t c = close(t);
    bars.push_back({t, c - 20, c + 20, c - 5, c});
  }
  return bars;
}

class EngineTest : public ::testing::Test {
protected:
  void SetUp() override {
    setApplicationPath(dir.path().string());
    std::filesystem::create_directories(dir.path() / "ohlc");
    std::filesystem::create_directories(dir.path() / "user");
    pairs = std::make_unique<TPairList>(std::string(CANDORA_SOURCE_DIR) + "/data/etc/pairinfo.txt");
    setPairList(pairs.get());
    table = std::make_unique<TConversionTable>(dir.file("etc/none.txt"));
    setTickSource([this] { return tick; });
  }

  void TearDown() override {
    engine.reset();
    history.reset();
    setTickSource({});
    setRandomSource({});
    setPairList(nullptr);
    setApplicationPath("");
  }

  void writePrices(const std::vector<THistoricalRecord>& bars) {
    writeHistoricalDataFile(getHistoricalDataFileName(kUsdJpy, kHour), kUsdJpy, kHour, bars);
  }

  // The saw-tooth over the whole draw range and a little beyond.
  void writeSawPrices() {
    writePrices(hourlyBars(TTest::kEarliestStart - 24 * 60, TTest::kLatestStart + 10 * 24 * 60, sawClose));
  }

  void openHistory() {
    history = std::make_unique<TNivraResult>(*table, getScoreFileName(), TSaveAtClose::No);
    engine = std::make_unique<TTest>(*history, view);
    engine->setClock([] { return encodeDateTime(2026, 12, 11, 9, 30, 15, 500); });
  }

  // A random source that always returns `value` and counts how often it is asked.
  void fixRandom(double value) {
    draws = 0;
    setRandomSource([this, value] {
      ++draws;
      return value;
    });
  }

  TempDir dir;
  std::unique_ptr<TPairList> pairs;
  std::unique_ptr<TConversionTable> table;
  std::unique_ptr<TNivraResult> history;
  std::unique_ptr<TTest> engine;
  RecordingView view;
  uint32_t tick = 1000;
  int draws = 0;
};

}  // namespace

TEST_F(EngineTest, SessionsShowTwentyBarsAndExitNBarsLater) {
  writeSawPrices();
  openHistory();
  engine->startTest(kUsdJpy, kHour);
  struct Row {
    int session, barsAfter;
  };
  for (const Row r : {Row{1, 10}, Row{5, 10}, Row{6, 20}, Row{16, 40}, Row{20, 40}}) {
    const TSessionRecord s = TTest::makeSession(kUsdJpy, kHour, r.session);
    SCOPED_TRACE(r.session);
    EXPECT_EQ(s.getBarsAfter(), r.barsAfter);
    EXPECT_EQ(s.sessionNo, r.session);
    EXPECT_EQ(s.chartStartTime.getSerial(), floorToTimeStep(s.chartStartTime.getSerial(), kHour));
    EXPECT_GE(s.chartStartTime.getSerial(), TTest::kEarliestStart);
    EXPECT_LE(s.chartStartTime.getSerial(), TTest::kLatestStart);
    EXPECT_EQ(s.entryTime.getSerial() - s.chartStartTime.getSerial(), 19 * 60);
    EXPECT_EQ(s.exitTime.getSerial() - s.entryTime.getSerial(), r.barsAfter * 60);
    EXPECT_EQ(s.entryRate, sawClose(s.entryTime.getSerial()));
    EXPECT_EQ(s.exitRate, sawClose(s.exitTime.getSerial()));
    EXPECT_EQ(s.position.getOrdinal(), TPosition::Undefined);
    EXPECT_EQ(s.pair.getOrdinal(), TPair::USDJPY);
  }
}

TEST_F(EngineTest, BothEndsOfTheDrawRangeAreReachable) {
  writeSawPrices();
  openHistory();
  fixRandom(0.0);
  EXPECT_EQ(TTest::makeSession(kUsdJpy, kHour, 1).chartStartTime.getSerial(), TTest::kEarliestStart);
  fixRandom(0.99999999999);
  EXPECT_EQ(TTest::makeSession(kUsdJpy, kHour, 1).chartStartTime.getSerial(), TTest::kLatestStart);
}

TEST_F(EngineTest, ValidShareBoundaries) {
  // One fixed draw; a good candidate is taken at once, a poor one is redrawn until the budget of
  // 500 rejected candidates is spent.
  const int32_t t0 = TTest::kEarliestStart + 1000 * 60;
  struct Row {
    int validQuestion, validAfter;  // of 20 and of 10 (session 1), end points always valid
    bool accepted;
  };
  for (const Row row : {Row{12, 6, true}, Row{20, 10, true}, Row{11, 10, false}, Row{20, 5, false}}) {
    SCOPED_TRACE(std::to_string(row.validQuestion) + "/20, " + std::to_string(row.validAfter) + "/10");
    std::vector<THistoricalRecord> bars;
    for (int k = 0; k < 30; ++k) {
      const bool endPoint = k == 0 || k == 19 || k == 29;
      const bool valid = endPoint || (k < 20 ? k < row.validQuestion - 1 : k < 19 + row.validAfter);
      if (valid) bars.push_back({t0 + 60 * k, 99000, 101000, 100000, 100000 + k});
    }
    writePrices(bars);
    openHistory();
    fixRandom(drawOf(t0));
    const TSessionRecord s = TTest::makeSession(kUsdJpy, kHour, 1);
    EXPECT_EQ(s.chartStartTime.getSerial(), t0);
    EXPECT_EQ(draws, row.accepted ? 1 : TTest::kCandidateBudget);
  }
}

TEST_F(EngineTest, EqualExitIsRejectedYetThe500thCandidateIsUsed) {
  writePrices(hourlyBars(TTest::kEarliestStart, TTest::kLatestStart + 3000, [](int32_t) { return 100000; }));
  openHistory();
  fixRandom(0.25);
  const TSessionRecord s = TTest::makeSession(kUsdJpy, kHour, 7);
  EXPECT_EQ(draws, TTest::kCandidateBudget);
  EXPECT_EQ(s.entryRate, 100000);
  EXPECT_EQ(s.exitRate, s.entryRate);
}

TEST_F(EngineTest, CandidatesWithoutEndPointsDoNotSpendTheBudget) {
  // Flat prices reject every candidate that has data; a hole of a week has none. Draws alternate
  // between the hole and the data: only the data draws count against the budget.
  const int32_t holeFrom = minutesOf(2009, 3, 2), holeTo = minutesOf(2009, 3, 9);
  std::vector<THistoricalRecord> bars;
  for (const auto& bar : hourlyBars(TTest::kEarliestStart, TTest::kLatestStart + 3000, [](int32_t) { return 5; }))
    if (bar.time < holeFrom || bar.time >= holeTo) bars.push_back(bar);
  writePrices(bars);
  openHistory();
  int calls = 0;
  const double inHole = drawOf(holeFrom + 24 * 60), inData = drawOf(minutesOf(2008, 1, 7));
  setRandomSource([&] { return calls++ % 2 == 0 ? inHole : inData; });
  const TSessionRecord s = TTest::makeSession(kUsdJpy, kHour, 1);
  EXPECT_EQ(calls, 2 * TTest::kCandidateBudget);
  EXPECT_EQ(s.chartStartTime.getSerial(), minutesOf(2008, 1, 7));
}

TEST_F(EngineTest, WholeTestWalksThroughEveryState) {
  writeSawPrices();
  openHistory();
  engine->redraw();
  EXPECT_TRUE(view.take().empty());

  engine->startTest(kUsdJpy, kHour);
  EXPECT_EQ(view.take(), (std::vector<std::string>{"question 1", "prompt 1", "page 1"}));
  EXPECT_EQ(history->getResults().getCount(), 1);
  const TTestResult& test = *history->getCurrentTestResult();
  EXPECT_EQ(test.testDateTime, encodeDateTime(2026, 12, 11, 9, 30, 15, 500));

  const uint8_t answers[] = {TPosition::Long, TPosition::Short, TPosition::Stay};
  for (int n = 1; n <= 20; ++n) {
    SCOPED_TRACE(n);
    ASSERT_EQ(engine->getState(), TTestState::stQuestion);
    EXPECT_EQ(engine->getSessionNo(), n);
    tick += 700;  // the prompt and the chart
    engine->redraw();
    EXPECT_EQ(view.take(), std::vector<std::string>{"question " + std::to_string(n)});
    tick += 800 + n;

    const TPosition position(answers[n % 3]);
    engine->selectPosition(position);
    const TSessionRecord& s = test.getSession(n);
    EXPECT_EQ(s.answerMillis, 1500 + n);
    EXPECT_EQ(s.position, position);
    const bool rose = s.exitRate > s.entryRate;
    const char* sound = position.getOrdinal() == TPosition::Stay ? "stay"
                        : (position.getOrdinal() == TPosition::Long) == rose ? "correct"
                                                                              : "wrong";
    EXPECT_EQ(view.take(), (std::vector<std::string>{"answer " + std::to_string(n),
                                                     "result " + std::to_string(n) + " " + sound, "page 2"}));
    EXPECT_EQ(test.getAnsweredCount(), n);
    engine->redraw();
    EXPECT_EQ(view.take(), std::vector<std::string>{"answer " + std::to_string(n)});
    engine->nextSession();
    if (n < 20) EXPECT_EQ(view.take(), (std::vector<std::string>{"question " + std::to_string(n + 1),
                                                                 "prompt " + std::to_string(n + 1), "page 1"}));
  }
  EXPECT_EQ(view.take(), (std::vector<std::string>{"page 0", "show score", "hide chart", "hide dialog",
                                                   "disable extra"}));
  EXPECT_EQ(engine->getState(), TTestState::stStart);
  EXPECT_TRUE(test.getIsComplete());
  EXPECT_EQ(history->testCount, 1);
  engine->redraw();
  EXPECT_TRUE(view.take().empty());
}

TEST_F(EngineTest, EveryAnswerIsOnDiskAtOnce) {
  writeSawPrices();
  openHistory();
  engine->startTest(kUsdJpy, kHour);
  auto answeredOnDisk = [this] {
    const TNivraResult onDisk(*table, getScoreFileName(), TSaveAtClose::No);
    return onDisk.getCurrentTestResult() ? onDisk.getCurrentTestResult()->getAnsweredCount() : -1;
  };
  EXPECT_EQ(answeredOnDisk(), 0);
  for (int n = 1; n <= 3; ++n) {
    engine->selectPosition(TPosition(TPosition::Long));
    EXPECT_EQ(answeredOnDisk(), n);
    engine->nextSession();
  }
}

TEST_F(EngineTest, FailedSaveIsReportedOnceAndTheTestGoesOn) {
  writeSawPrices();
  openHistory();
  std::filesystem::remove_all(dir.path() / "user");
  std::filesystem::create_directories(dir.path() / "user" / "score.txt");  // a folder in the way
  MessageRecorder box;
  engine->startTest(kUsdJpy, kHour);
  engine->selectPosition(TPosition(TPosition::Short));
  ASSERT_EQ(box.messages.size(), 1u);
  EXPECT_NE(box.messages[0].find("score.txt"), std::string::npos) << box.messages[0];
  EXPECT_EQ(engine->getState(), TTestState::stAnswer);
  EXPECT_EQ(history->getCurrentTestResult()->getAnsweredCount(), 1);
}

TEST_F(EngineTest, ResumesAtTheFirstUnansweredSession) {
  writeSawPrices();
  openHistory();
  engine->startTest(kUsdJpy, kHour);
  for (int n = 1; n <= 7; ++n) {
    engine->selectPosition(TPosition(TPosition::Stay));
    engine->nextSession();
  }
  engine->startTest(kUsdJpy, kHour);  // a second test, never answered
  history->saveToFile();
  engine.reset();
  history.reset();

  openHistory();
  view.take();
  engine->resumeTest();
  EXPECT_EQ(engine->getSessionNo(), 1);
  EXPECT_EQ(engine->getPair().getOrdinal(), TPair::USDJPY);
  EXPECT_EQ(view.take(), (std::vector<std::string>{"question 1", "prompt 1", "page 1"}));

  // Drop the unanswered test: the one with seven answers is current again.
  std::vector<std::string> lines = readTextLines(getScoreFileName());
  lines.pop_back();
  std::string text;
  for (const auto& l : lines) text += l + "\r\n";
  dir.write("user/score.txt", text);
  engine.reset();
  history.reset();
  openHistory();
  engine->resumeTest();
  EXPECT_EQ(engine->getSessionNo(), 8);
  EXPECT_EQ(engine->getState(), TTestState::stQuestion);
}

TEST_F(EngineTest, MissingPriceFileAddsNoTestAndKeepsTheEngineAtStart) {
  openHistory();
  EXPECT_THROW(engine->startTest(kUsdJpy, kHour), EInOutError);
  EXPECT_EQ(history->getResults().getCount(), 0);
  EXPECT_EQ(engine->getState(), TTestState::stStart);
  EXPECT_TRUE(view.take().empty());
  EXPECT_FALSE(std::filesystem::exists(getScoreFileName()));
}

TEST_F(EngineTest, PriceFileWithoutDataInTheRangeEndsWithAClearMessage) {
  writePrices(hourlyBars(minutesOf(2005, 1, 1), minutesOf(2005, 2, 1), sawClose));
  openHistory();
  try {
    engine->startTest(kUsdJpy, kHour);
    FAIL();
  } catch (const ENoChartData& e) {
    const std::string message = e.what();
    for (const char* part : {"USDJPY", "1時間足", "2007-01-01", "2011-01-01", "USDJPY_1時間.hst"})
      EXPECT_NE(message.find(part), std::string::npos) << message;
  }
  EXPECT_EQ(history->getResults().getCount(), 0);
  EXPECT_EQ(engine->getState(), TTestState::stStart);
}
