#include "untTest.h"

#include "untHistoricalData.h"
#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untScoreFile.h"

namespace candora {

namespace {

// Valid closes among bars [from, to] as a share of their number, in single precision.
float validShare(const THistoricalData& bars, int from, int to) {
  int valid = 0;
  for (int i = from; i <= to; ++i)
    if (isValidValue(bars.getRecord(i).close)) ++valid;
  return static_cast<float>(valid) / static_cast<float>(to - from + 1);
}

bool hasEndPoints(const THistoricalData& bars, int entry, int exit) {
  return isValidValue(bars.getRecord(0).close) && isValidValue(bars.getRecord(entry).close) &&
         isValidValue(bars.getRecord(exit).close);
}

std::string noDataMessage(TPair pair, TTimeStep step) {
  return "No chart with prices at its first, last and exit bar was found for " + pair.getToString() + " " +
         step.getToCandleString() + " between " + formatIsoMinutes(TTest::kEarliestStart) + " and " +
         formatIsoMinutes(TTest::kLatestStart) + " after " + std::to_string(TTest::kDrawLimit) +
         " tries. The price file \"" + getHistoricalDataFileName(pair, step) +
         "\" may not cover these years.";
}

}  // namespace

TTest::TTest(TNivraResult& history, ITestView& view)
    : history_(history), view_(view), clock_(currentDateTime) {}

TSessionRecord TTest::makeSession(TPair pair, TTimeStep step, int sessionNo) {
  const int barsAfter = sessionNoToBarsAfter(sessionNo);
  const int entry = kQuestionBars - 1;
  const int exit = entry + barsAfter;
  THistoricalData bars;
  int budget = kCandidateBudget;
  for (int draws = 0;; ++draws) {
    if (draws >= kDrawLimit) throw ENoChartData(noDataMessage(pair, step));
    const int32_t t = floorToTimeStep(randomInRange(kEarliestStart, kLatestStart), step);
    bars.load(pair, step, t, kQuestionBars + barsAfter);
    if (!hasEndPoints(bars, entry, exit)) continue;
    const bool good = validShare(bars, 0, entry) >= kMinValidShare &&
                      validShare(bars, entry + 1, exit) >= kMinValidShare &&
                      bars.getRecord(entry).close != bars.getRecord(exit).close;
    if (good || --budget <= 0) break;
  }

  TSessionRecord session;
  session.pair = pair;
  session.timeStep = step;
  session.chartStartTime = TIDateTime(bars.getRecord(0).time);
  session.entryTime = TIDateTime(bars.getRecord(entry).time);
  session.entryRate = bars.getRecord(entry).close;
  session.exitTime = TIDateTime(bars.getRecord(exit).time);
  session.exitRate = bars.getRecord(exit).close;
  session.position = TPosition(TPosition::Undefined);
  session.answerMillis = 0;
  session.sessionNo = sessionNo;
  return session;
}

void TTest::startTest(TPair pair, TTimeStep step) {
  // Everything that can fail happens before the engine or the history change.
  auto test = std::make_unique<TTestResult>();
  test->pair = pair;
  test->timeStep = step;
  test->testDateTime = clock_();
  for (int k = 1; k <= kSessionCount; ++k) test->getSession(k) = makeSession(pair, step, k);
  pair_ = pair;
  timeStep_ = step;
  history_.addTestResult(std::move(test));
  saveHistory();
  setSession(1);
}

void TTest::resumeTest() {
  const TTestResult* test = history_.getCurrentTestResult();
  if (!test || test->getIsComplete()) return;
  pair_ = test->pair;
  timeStep_ = test->timeStep;
  setSession(test->getAnsweredCount() + 1);
}

void TTest::setSession(int sessionNo) {
  stopWatch.start();
  sessionNo_ = sessionNo;
  setState(TTestState::stQuestion);
}

void TTest::setState(TTestState state) {
  state_ = state;
  switch (state) {
    case TTestState::stStart:
      view_.showPage(kPageStart);
      break;
    case TTestState::stQuestion:
      view_.showQuestion(currentTest(), sessionNo_);
      view_.showPrompt(currentTest(), sessionNo_);
      view_.showPage(kPageQuestion);
      break;
    case TTestState::stAnswer: {
      TTestResult& test = currentTest();
      test.calculate(history_.getConversionTable());
      history_.calculate();
      view_.showAnswer(test, sessionNo_);
      const TSessionRecord& session = test.getSession(sessionNo_);
      view_.showResult(test, sessionNo_,
                       chooseSound(session.getGrossProfit(history_.getConversionTable()), session.position));
      view_.showPage(kPageAnswer);
      break;
    }
  }
}

void TTest::selectPosition(TPosition position) {
  if (state_ != TTestState::stQuestion) return;
  const uint32_t elapsed = stopWatch.getElapsed();
  TSessionRecord& session = currentTest().getSession(sessionNo_);
  session.position = position;
  session.answerMillis = static_cast<int32_t>(elapsed);
  saveHistory();
  setState(TTestState::stAnswer);
}

void TTest::nextSession() {
  if (state_ != TTestState::stAnswer) return;
  if (sessionNo_ < kSessionCount) {
    setSession(sessionNo_ + 1);
    return;
  }
  setState(TTestState::stStart);
  history_.calculate();
  view_.showScoreBoard();
  view_.hideChartWindow();
  view_.hideExtraChartDialog();
  view_.setAdditionalChartEnabled(false);
}

void TTest::redraw() {
  switch (state_) {
    case TTestState::stStart: break;
    case TTestState::stQuestion: view_.showQuestion(currentTest(), sessionNo_); break;
    case TTestState::stAnswer: view_.showAnswer(currentTest(), sessionNo_); break;
  }
}

TTestResult& TTest::currentTest() const {
  TTestResult* test = history_.getCurrentTestResult();
  if (!test) throw EListError("There is no test in progress");
  return *test;
}

void TTest::saveHistory() {
  try {
    history_.saveToFile();
    saveFailureShown_ = false;
  } catch (const std::exception& e) {
    // The answers stay in memory and the next save tries again; say so once, not on every answer.
    if (!saveFailureShown_)
      showErrorMessage(std::string(e.what()) + "\nYour answers are kept and will be saved when the folder "
                                               "can be written again.");
    saveFailureShown_ = true;
  }
}

}  // namespace candora
