#pragma once
// The record of one test of twenty sessions, the judging of each trade (correct, wrong or even; its
// profit in yen gross and net of the spread), the statistics of a test, and the score history: every
// test the user has taken with the statistics over the complete ones that the score board shows.
//
// Profits turn rates into yen through the pair information list installed with setPairList and the
// conversion table passed in; nothing here reads a file except the history's own score file.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "untConversionTable.h"
#include "untIDateTime.h"
#include "untMarketRecords.h"
#include "untNivraUtil.h"
#include "untPairInfo.h"

namespace candora {

// What a profit factor or payoff ratio is when there is nothing to divide by.
constexpr float kUndividedFactor = 9.99f;

constexpr int kBarsAfterGroupCount = 4;

// --- display forms ----------------------------------------------------------------------------
// Every value shown to the user is rounded from its single-precision value, halves to even.

// A profit (yen per unit of base currency) as whole yen for a trade of 1,000 units.
int64_t moneyToDisplay(float profit);
// A rate, ratio or evaluation as a whole percentage.
int64_t ratioToDisplay(float value);
// The money form as text, with "円" appended when asked.
std::string moneyToString(float profit, bool withYen = false);

// --- one session ------------------------------------------------------------------------------
struct TSessionRecord {
  TPair pair;
  TTimeStep timeStep;
  int32_t entryRate = 0;
  TIDateTime entryTime;
  int32_t answerMillis = 0;
  int32_t exitRate = 0;
  TIDateTime exitTime;
  TPosition position{TPosition::Undefined};
  int32_t sessionNo = 0;
  TIDateTime chartStartTime;

  int32_t getBarsAfter() const;
  bool getIsAnswered() const;

  // Rate units won by the answer; Stay and Undefined trade nothing and pay no spread.
  int32_t getGrossPoints() const;
  int32_t getNetPoints() const;

  // Yen per unit of base currency, single precision.
  float getGrossProfit(const TConversionTable& table) const;
  float getNetProfit(const TConversionTable& table) const;

  bool getIsGrossWin(const TConversionTable& table) const;
  bool getIsGrossLoss(const TConversionTable& table) const;
  bool getIsGrossEven(const TConversionTable& table) const;
  bool getIsNetWin(const TConversionTable& table) const;
  bool getIsNetLoss(const TConversionTable& table) const;
  bool getIsNetEven(const TConversionTable& table) const;

  std::string getEntryRateString() const;
  std::string getExitRateString() const;
};

// The judging of one profit: a profit within the zero tolerance is even, never a win or a loss.
bool isWinProfit(float profit);
bool isLossProfit(float profit);
bool isEvenProfit(float profit);

// --- one test ---------------------------------------------------------------------------------
class TTestResult {
public:
  // Sessions come numbered 1..20 and unanswered; everything else is zero until the creator fills it.
  TTestResult();

  TTimeStep timeStep;
  TPair pair;
  TDateTime testDateTime = 0.0;

  // Statistics of the answered sessions; written only by calculate.
  float netWinRate = 0.0f;
  int32_t grossEvenCount = 0;
  float netProfitFactor = 0.0f;
  float netWinSum = 0.0f;
  bool isNetEven = false;
  int32_t grossLossCount = 0;
  int32_t grossWinCount = 0;
  float grossLossSum = 0.0f;
  bool isNetMinus = false;
  float grossWinRate = 0.0f;
  float netAverage = 0.0f;
  bool isNetPlus = false;
  float evaluation = 0.0f;
  float netTotal = 0.0f;
  float grossProfitFactor = 0.0f;
  float grossWinSum = 0.0f;
  bool isGrossEven = false;
  int32_t netEvenCount = 0;
  bool isGrossMinus = false;
  float grossAverage = 0.0f;
  bool isGrossPlus = false;
  int32_t netLossCount = 0;
  int32_t netWinCount = 0;
  float netLossSum = 0.0f;
  float grossTotal = 0.0f;
  float grossAbsTotal = 0.0f;

  std::array<TSessionRecord, kSessionCount> sessions{};
  // The evaluation of each group of five sessions: 10, 20, 30 and 40 bars after.
  std::array<float, kBarsAfterGroupCount> barsAfterEvaluation{};

  // Session 1..20; throws EListError outside.
  TSessionRecord& getSession(int sessionNo);
  const TSessionRecord& getSession(int sessionNo) const;

  // The place of the last answered session, 0 when none is; sessions are answered in order.
  int32_t getAnsweredCount() const;
  bool getIsComplete() const;

  // Recomputes every statistic from sessions 1..getAnsweredCount.
  void calculate(const TConversionTable& table);
};

// --- a list of tests --------------------------------------------------------------------------
class TResultList {
public:
  int getCount() const { return static_cast<int>(items_.size()); }
  bool isEmpty() const { return items_.empty(); }
  // 0-based; throws EListError outside the list.
  TTestResult& getItem(int index) const;
  // Takes ownership and returns the test now in the list.
  TTestResult& add(std::unique_ptr<TTestResult> test);
  // Frees every test and empties the list.
  void clearAll() { items_.clear(); }

  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

private:
  std::vector<std::unique_ptr<TTestResult>> items_;
};

// --- the score tables -------------------------------------------------------------------------
struct TScoreCell {
  int32_t testCount = 0;
  float maxGrossTotal = 0.0f;  // never below 0
  float maxEvaluation = 0.0f;  // never below 0
  float sumGrossTotal = 0.0f;
  float sumEvaluation = 0.0f;

  float getAverageEvaluation() const;
  void addTest(const TTestResult& test);
  // Adds another cell's counts and sums and raises the maxima to its own.
  void gather(const TScoreCell& cell);
};

struct TScoreRow {
  std::array<TScoreCell, TNivraTimeStep::kCount> timeScaleCells{};
  TScoreCell total;
};

// --- the score history ------------------------------------------------------------------------
enum class TSaveAtClose { Yes, No };

// One line of the score file that could not be read and was left out.
struct TSkippedLine {
  std::size_t lineNo = 0;
  std::string reason;
};

class TNivraResult {
public:
  using Clock = std::function<TDateTime()>;

  // Reads the score file (a missing file is an empty history) and computes the statistics. With
  // TSaveAtClose::No the file is never written by the destructor: for tools that only look.
  explicit TNivraResult(const TConversionTable& table, std::string fileName = getScoreFileName(),
                        TSaveAtClose saveAtClose = TSaveAtClose::Yes);
  // Writes the history back; a failure is shown to the user and the old file stays.
  ~TNivraResult();
  TNivraResult(const TNivraResult&) = delete;
  TNivraResult& operator=(const TNivraResult&) = delete;

  // Statistics over the complete tests; written only by calculate.
  float netLossSum = 0.0f;
  float grossWinRate = 0.0f;
  int32_t grossEvenCount = 0;
  float netWinSum = 0.0f;
  float grossAverageLoss = 0.0f;
  int32_t grossLossCount = 0;
  float grossAverageWin = 0.0f;
  int32_t grossWinCount = 0;
  int32_t testCount = 0;
  float grossLossSum = 0.0f;
  float netTotal = 0.0f;
  float grossWinSum = 0.0f;
  float netWinRate = 0.0f;
  int32_t netEvenCount = 0;
  float netAverageLoss = 0.0f;
  int32_t netLossCount = 0;
  float netAverageWin = 0.0f;
  int32_t netWinCount = 0;
  float grossTotal = 0.0f;
  int32_t answeredCount = 0;
  float grossPayoffRatio = 0.0f;
  float evaluation = 0.0f;
  float grossProfitFactor = 0.0f;
  float netProfitFactor = 0.0f;
  float netPayoffRatio = 0.0f;
  std::array<TScoreRow, TPair::kCount> pairRows{};
  TScoreRow allPairsRow;
  std::array<float, kBarsAfterGroupCount> barsAfterEvaluation{};

  // Evaluates the test, appends it as the current test and recomputes the statistics.
  TTestResult& addTestResult(std::unique_ptr<TTestResult> test);
  // The last test, or nullptr for an empty history.
  TTestResult* getCurrentTestResult() const;
  bool getHasUnfinishedTest() const;
  // Recomputes every statistic from the complete tests, evaluating each of them again.
  void calculate();

  // Replaces the history with the file's tests. Lines that cannot be read are left out and
  // reported once; the file as it was is then kept beside it before it is next written.
  void loadFromFile();
  // Replaces the file with the whole history. Throws EInOutError naming the file and the reason;
  // the old file then stays as it was.
  void saveToFile();

  const TResultList& getResults() const { return results_; }
  const std::string& getFileName() const { return fileName_; }
  const TConversionTable& getConversionTable() const { return table_; }
  const std::vector<TSkippedLine>& getSkippedLines() const { return skippedLines_; }
  // The name the original file was kept under at the last save, empty when none was needed.
  const std::string& getBackupFileName() const { return backupFileName_; }
  // The clock that dates the kept copy of a damaged file; local time unless replaced.
  void setClock(Clock clock);

private:
  void keepOriginalFile();
  void clearStatistics();

  const TConversionTable& table_;
  std::string fileName_;
  TSaveAtClose saveAtClose_;
  TResultList results_;
  std::vector<TSkippedLine> skippedLines_;
  bool keepOriginalBeforeSave_ = false;
  std::string backupFileName_;
  Clock clock_;
};

}  // namespace candora
