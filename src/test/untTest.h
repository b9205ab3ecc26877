#pragma once
// The practice test: builds the twenty sessions of a new test from random windows of price
// history, walks the user through question and answer, records each answer with its time, and
// finishes the test. The test in progress is always the last test of the score history.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "untIDateTime.h"
#include "untMarketRecords.h"
#include "untPairInfo.h"
#include "untResultSound.h"
#include "untStopWatch.h"
#include "untTotalResult.h"

namespace candora {

enum class TTestState : uint8_t { stStart = 0, stQuestion = 1, stAnswer = 2 };

// Pages of the main window.
constexpr int kPageStart = 0;
constexpr int kPageQuestion = 1;
constexpr int kPageAnswer = 2;

// Everything the engine asks of the windows. The program's windows implement it; tests record it.
class ITestView {
public:
  virtual ~ITestView() = default;

  // The session displays, each for the given session of the current test.
  virtual void showQuestion(const TTestResult& test, int sessionNo) = 0;  // question chart and text
  virtual void showPrompt(const TTestResult& test, int sessionNo) = 0;    // the question over the chart
  virtual void showAnswer(const TTestResult& test, int sessionNo) = 0;    // revealed chart and result lines
  virtual void showResult(const TTestResult& test, int sessionNo, TSoundKind sound) = 0;  // sound and card

  virtual void showPage(int page) = 0;
  virtual void setAdditionalChartEnabled(bool enabled) = 0;
  virtual void showScoreBoard() = 0;
  virtual void hideChartWindow() = 0;
  virtual void hideExtraChartDialog() = 0;
};

// No window with data for a new chart turned up within the generator's bound.
class ENoChartData : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class TTest {
public:
  // Where chart starts are drawn from, both ends included (2007-01-01 00:00 and 2011-01-01 00:00).
  static constexpr int32_t kEarliestStart = 3682080;
  static constexpr int32_t kLatestStart = 5785920;
  static constexpr int kQuestionBars = 20;
  static constexpr double kMinValidShare = 0.6;
  // Candidates with data at their three end points that may be rejected before one is taken anyway.
  static constexpr int kCandidateBudget = 500;
  // Draws without data at the end points before the generator gives up on the price file.
  static constexpr int kDrawLimit = 100000;

  using Clock = std::function<TDateTime()>;

  TTest(TNivraResult& history, ITestView& view);

  // Builds and begins a new test. A missing price file (EInOutError) or no usable chart in the file
  // (ENoChartData) propagates; the history then has no new test and the engine stays as it was.
  void startTest(TPair pair, TTimeStep step);
  // Continues the current test at its first unanswered session.
  void resumeTest();
  void selectPosition(TPosition position);
  void nextSession();
  // Draws the chart of the current state again, after the extra line charts changed.
  void redraw();

  // One session for the pair and step from random windows of their price file.
  static TSessionRecord makeSession(TPair pair, TTimeStep step, int sessionNo);

  TTestState getState() const { return state_; }
  int getSessionNo() const { return sessionNo_; }
  TPair getPair() const { return pair_; }
  TTimeStep getTimeStep() const { return timeStep_; }

  // The clock that dates a new test; local time unless replaced.
  void setClock(Clock clock) { clock_ = std::move(clock); }

  TStopWatch stopWatch;

private:
  void setSession(int sessionNo);
  void setState(TTestState state);
  TTestResult& currentTest() const;
  // The history is kept on disk after every change a user would hate to lose.
  void saveHistory();

  TNivraResult& history_;
  ITestView& view_;
  Clock clock_;
  TTimeStep timeStep_;
  TPair pair_;
  int sessionNo_ = 0;
  TTestState state_ = TTestState::stStart;
  bool saveFailureShown_ = false;
};

}  // namespace candora
