#include "untTotalResult.h"

#include <cmath>
#include <filesystem>
#include <utility>

#include "untAtomicFile.h"
#include "untMyMath.h"
#include "untScoreFile.h"

namespace candora {

namespace {

// The profit of a number of rate units: points × rate factor × the yen factor rounded to single,
// carried in extended precision and rounded to single at the end.
float profitOf(int64_t points, const TSessionRecord& session, const TConversionTable& table) {
  // No trade, no profit: an unanswered session needs neither the pair list nor the table.
  if (points == 0) return 0.0f;
  const float yenFactor = static_cast<float>(table.getYenRate(session.pair, session.exitTime.getSerial(), session.exitRate));
  const long double product =
      static_cast<long double>(points) * static_cast<long double>(session.pair.getRateFactor()) * yenFactor;
  return static_cast<float>(product);
}

// Points computed wide so that absurd rates from an edited file cannot overflow.
int64_t grossPointsOf(const TSessionRecord& s) {
  switch (s.position.getOrdinal()) {
    case TPosition::Long: return static_cast<int64_t>(s.exitRate) - s.entryRate;
    case TPosition::Short: return static_cast<int64_t>(s.entryRate) - s.exitRate;
    default: return 0;
  }
}

int64_t netPointsOf(const TSessionRecord& s) {
  const uint8_t p = s.position.getOrdinal();
  const bool traded = p == TPosition::Long || p == TPosition::Short;
  return traded ? grossPointsOf(s) - s.pair.getSpread() : 0;
}

// (total + absolute total) / (2 × absolute total): the share of the traded movement that was won.
float evaluationOf(float sum, float absSum) {
  if (!isNonZero(absSum)) return 0.0f;
  return static_cast<float>((static_cast<double>(sum) + absSum) / (static_cast<double>(absSum) * 2.0));
}

float quotientOr(float numerator, float denominator, float otherwise) {
  if (!isNonZero(denominator)) return otherwise;
  return static_cast<float>(static_cast<double>(numerator) / denominator);
}

// Wins over losses as a positive number; the losses are zero or negative.
float factorOf(float wins, float losses) { return std::fabs(quotientOr(wins, losses, kUndividedFactor)); }

// A sum or count shared out over a count, 0 when there is nothing to share it over.
float perCount(double value, int32_t count) { return count == 0 ? 0.0f : static_cast<float>(value / count); }

}  // namespace

// --- display forms ----------------------------------------------------------------------------
int64_t moneyToDisplay(float profit) { return roundHalfEven(static_cast<double>(profit) * 1000.0); }

int64_t ratioToDisplay(float value) { return roundHalfEven(static_cast<double>(value) * 100.0); }

std::string moneyToString(float profit, bool withYen) {
  std::string text = std::to_string(moneyToDisplay(profit));
  if (withYen) text += "円";
  return text;
}

bool isWinProfit(float profit) { return isNonZero(profit) && profit > 0.0f; }
bool isLossProfit(float profit) { return isNonZero(profit) && profit < 0.0f; }
bool isEvenProfit(float profit) { return !isNonZero(profit); }

// --- TSessionRecord ---------------------------------------------------------------------------
int32_t TSessionRecord::getBarsAfter() const { return sessionNoToBarsAfter(sessionNo); }

bool TSessionRecord::getIsAnswered() const { return position.getOrdinal() != TPosition::Undefined; }

int32_t TSessionRecord::getGrossPoints() const { return static_cast<int32_t>(grossPointsOf(*this)); }

int32_t TSessionRecord::getNetPoints() const { return static_cast<int32_t>(netPointsOf(*this)); }

float TSessionRecord::getGrossProfit(const TConversionTable& table) const {
  return profitOf(grossPointsOf(*this), *this, table);
}

float TSessionRecord::getNetProfit(const TConversionTable& table) const {
  return profitOf(netPointsOf(*this), *this, table);
}

bool TSessionRecord::getIsGrossWin(const TConversionTable& table) const { return isWinProfit(getGrossProfit(table)); }
bool TSessionRecord::getIsGrossLoss(const TConversionTable& table) const { return isLossProfit(getGrossProfit(table)); }
bool TSessionRecord::getIsGrossEven(const TConversionTable& table) const { return isEvenProfit(getGrossProfit(table)); }
bool TSessionRecord::getIsNetWin(const TConversionTable& table) const { return isWinProfit(getNetProfit(table)); }
bool TSessionRecord::getIsNetLoss(const TConversionTable& table) const { return isLossProfit(getNetProfit(table)); }
bool TSessionRecord::getIsNetEven(const TConversionTable& table) const { return isEvenProfit(getNetProfit(table)); }

std::string TSessionRecord::getEntryRateString() const { return pair.rateToString(entryRate); }

std::string TSessionRecord::getExitRateString() const { return pair.rateToString(exitRate); }

// --- TTestResult ------------------------------------------------------------------------------
TTestResult::TTestResult() {
  for (int k = 1; k <= kSessionCount; ++k) sessions[static_cast<std::size_t>(k - 1)].sessionNo = k;
}

TSessionRecord& TTestResult::getSession(int sessionNo) {
  return const_cast<TSessionRecord&>(std::as_const(*this).getSession(sessionNo));
}

const TSessionRecord& TTestResult::getSession(int sessionNo) const {
  if (sessionNo < 1 || sessionNo > kSessionCount)
    throw EListError("Session " + std::to_string(sessionNo) + " is outside the test's sessions 1 to 20");
  return sessions[static_cast<std::size_t>(sessionNo - 1)];
}

int32_t TTestResult::getAnsweredCount() const {
  int32_t answered = 0;
  for (int k = 1; k <= kSessionCount; ++k)
    if (sessions[static_cast<std::size_t>(k - 1)].getIsAnswered()) answered = k;
  return answered;
}

bool TTestResult::getIsComplete() const { return getAnsweredCount() == kSessionCount; }

void TTestResult::calculate(const TConversionTable& table) {
  const int32_t answered = getAnsweredCount();
  grossTotal = grossAbsTotal = grossWinSum = grossLossSum = 0.0f;
  netTotal = netWinSum = netLossSum = 0.0f;
  grossWinCount = grossLossCount = grossEvenCount = 0;
  netWinCount = netLossCount = netEvenCount = 0;
  std::array<float, kBarsAfterGroupCount> groupAbsSums{}, groupSums{};

  for (int k = 1; k <= answered; ++k) {
    const TSessionRecord& s = sessions[static_cast<std::size_t>(k - 1)];
    const float g = s.getGrossProfit(table);
    const float n = s.getNetProfit(table);

    grossTotal += g;
    if (isWinProfit(g)) {
      ++grossWinCount;
      grossWinSum += g;
    } else if (isLossProfit(g)) {
      ++grossLossCount;
      grossLossSum += g;
    } else {
      ++grossEvenCount;
    }

    netTotal += n;
    if (isWinProfit(n)) {
      ++netWinCount;
      netWinSum += n;
    } else if (isLossProfit(n)) {
      ++netLossCount;
      netLossSum += n;
    } else {
      ++netEvenCount;
    }

    grossAbsTotal += std::fabs(g);
    const auto group = static_cast<std::size_t>(sessionNoToGroup(k));
    groupAbsSums[group] += std::fabs(g);
    groupSums[group] += g;
  }

  evaluation = evaluationOf(grossTotal, grossAbsTotal);
  for (std::size_t k = 0; k < barsAfterEvaluation.size(); ++k)
    barsAfterEvaluation[k] = evaluationOf(groupSums[k], groupAbsSums[k]);

  grossWinRate = perCount(grossWinCount, answered);
  grossAverage = perCount(grossTotal, answered);
  grossProfitFactor = factorOf(grossWinSum, grossLossSum);
  isGrossPlus = isWinProfit(grossTotal);
  isGrossMinus = isLossProfit(grossTotal);
  isGrossEven = isEvenProfit(grossTotal);

  netWinRate = perCount(netWinCount, answered);
  netAverage = perCount(netTotal, answered);
  netProfitFactor = factorOf(netWinSum, netLossSum);
  isNetPlus = isWinProfit(netTotal);
  isNetMinus = isLossProfit(netTotal);
  isNetEven = isEvenProfit(netTotal);
}

// --- TResultList ------------------------------------------------------------------------------
TTestResult& TResultList::getItem(int index) const {
  if (index < 0 || index >= getCount())
    throw EListError("Test " + std::to_string(index) + " is outside the history of " + std::to_string(getCount()) +
                     " tests");
  return *items_[static_cast<std::size_t>(index)];
}

TTestResult& TResultList::add(std::unique_ptr<TTestResult> test) {
  if (!test) throw EListError("No test to add to the history");
  items_.push_back(std::move(test));
  return *items_.back();
}

// --- TScoreCell -------------------------------------------------------------------------------
float TScoreCell::getAverageEvaluation() const { return perCount(sumEvaluation, testCount); }

void TScoreCell::addTest(const TTestResult& test) {
  ++testCount;
  sumGrossTotal += test.grossTotal;
  sumEvaluation += test.evaluation;
  if (test.grossTotal > maxGrossTotal) maxGrossTotal = test.grossTotal;
  if (test.evaluation > maxEvaluation) maxEvaluation = test.evaluation;
}

void TScoreCell::gather(const TScoreCell& cell) {
  testCount += cell.testCount;
  sumGrossTotal += cell.sumGrossTotal;
  sumEvaluation += cell.sumEvaluation;
  if (cell.maxGrossTotal > maxGrossTotal) maxGrossTotal = cell.maxGrossTotal;
  if (cell.maxEvaluation > maxEvaluation) maxEvaluation = cell.maxEvaluation;
}

// --- TNivraResult -----------------------------------------------------------------------------
TNivraResult::TNivraResult(const TConversionTable& table, std::string fileName, TSaveAtClose saveAtClose)
    : table_(table), fileName_(std::move(fileName)), saveAtClose_(saveAtClose), clock_(currentDateTime) {
  loadFromFile();
  calculate();
}

TNivraResult::~TNivraResult() {
  if (saveAtClose_ == TSaveAtClose::No) return;
  try {
    saveToFile();
  } catch (const std::exception& e) {
    showErrorMessage(std::string("The score history could not be saved. ") + e.what());
  }
}

void TNivraResult::setClock(Clock clock) { clock_ = clock ? std::move(clock) : Clock(currentDateTime); }

TTestResult& TNivraResult::addTestResult(std::unique_ptr<TTestResult> test) {
  if (!test) throw EListError("No test to add to the score history");
  test->calculate(table_);
  TTestResult& added = results_.add(std::move(test));
  calculate();
  return added;
}

TTestResult* TNivraResult::getCurrentTestResult() const {
  return results_.isEmpty() ? nullptr : &results_.getItem(results_.getCount() - 1);
}

bool TNivraResult::getHasUnfinishedTest() const {
  const TTestResult* current = getCurrentTestResult();
  return current != nullptr && !current->getIsComplete();
}

void TNivraResult::clearStatistics() {
  netLossSum = grossWinRate = netWinSum = grossAverageLoss = grossAverageWin = 0.0f;
  grossLossSum = netTotal = grossWinSum = netWinRate = netAverageLoss = netAverageWin = 0.0f;
  grossTotal = grossPayoffRatio = evaluation = grossProfitFactor = netProfitFactor = netPayoffRatio = 0.0f;
  grossEvenCount = grossLossCount = grossWinCount = testCount = 0;
  netEvenCount = netLossCount = netWinCount = answeredCount = 0;
  pairRows = {};
  allPairsRow = {};
  barsAfterEvaluation = {};
}

void TNivraResult::calculate() {
  clearStatistics();
  float absSum = 0.0f;
  std::array<float, kBarsAfterGroupCount> barsSum{};

  for (const auto& item : results_) {
    TTestResult& test = *item;
    if (!test.getIsComplete()) continue;
    test.calculate(table_);

    const auto p = static_cast<std::size_t>(test.pair.getOrdinal());
    const auto s = static_cast<std::size_t>(timeStepSerialToNivraTimeStepSerial(test.timeStep.getOrdinal()));
    // A pair outside the tables cannot be stored or read back, so it has no cell to fall in.
    if (p < pairRows.size()) pairRows[p].timeScaleCells[s].addTest(test);

    ++testCount;
    answeredCount += test.getAnsweredCount();
    grossTotal += test.grossTotal;
    grossWinSum += test.grossWinSum;
    grossLossSum += test.grossLossSum;
    grossWinCount += test.grossWinCount;
    grossLossCount += test.grossLossCount;
    grossEvenCount += test.grossEvenCount;
    netTotal += test.netTotal;
    netWinSum += test.netWinSum;
    netLossSum += test.netLossSum;
    netWinCount += test.netWinCount;
    netLossCount += test.netLossCount;
    netEvenCount += test.netEvenCount;
    absSum += test.grossAbsTotal;
    for (std::size_t k = 0; k < barsSum.size(); ++k) barsSum[k] += test.barsAfterEvaluation[k];
  }

  for (TScoreRow& row : pairRows)
    for (const TScoreCell& cell : row.timeScaleCells) row.total.gather(cell);
  for (std::size_t s = 0; s < allPairsRow.timeScaleCells.size(); ++s)
    for (const TScoreRow& row : pairRows) allPairsRow.timeScaleCells[s].gather(row.timeScaleCells[s]);

  for (std::size_t k = 0; k < barsSum.size(); ++k) barsAfterEvaluation[k] = perCount(barsSum[k], testCount);

  grossAverageWin = perCount(grossWinSum, grossWinCount);
  netAverageWin = perCount(netWinSum, netWinCount);
  grossAverageLoss = perCount(grossLossSum, grossLossCount);
  netAverageLoss = perCount(netLossSum, netLossCount);

  grossProfitFactor = factorOf(grossWinSum, grossLossSum);
  netProfitFactor = factorOf(netWinSum, netLossSum);
  grossPayoffRatio = factorOf(grossAverageWin, grossAverageLoss);
  netPayoffRatio = factorOf(netAverageWin, netAverageLoss);

  evaluation = quotientOr(grossWinSum, absSum, 0.0f);
  grossWinRate = perCount(grossWinCount, answeredCount);
  netWinRate = perCount(netWinCount, answeredCount);
}

void TNivraResult::loadFromFile() {
  skippedLines_.clear();
  keepOriginalBeforeSave_ = false;
  std::error_code ec;
  // A folder that cannot be looked into is left to the reader below, which names the reason.
  if (!std::filesystem::exists(fileName_, ec) && !ec) return;
  TScoreFileContent content;
  try {
    content = readScoreFile(fileName_);
  } catch (const EInOutError& e) {
    // Starting empty must never let the next save overwrite tests that could not be read.
    results_.clearAll();
    keepOriginalBeforeSave_ = true;
    showErrorMessage(std::string(e.what()) + ". The score history starts empty; the file is kept as it is.");
    return;
  }
  results_ = std::move(content.results);
  skippedLines_ = std::move(content.skippedLines);
  if (!skippedLines_.empty()) {
    keepOriginalBeforeSave_ = true;
    std::string text = describeSkippedLines(fileName_, skippedLines_);
    if (saveAtClose_ == TSaveAtClose::Yes)
      text += "\nThe file as it is now is kept beside it as \"" +
              std::filesystem::path(fileName_).filename().string() +
              ".bak-<date>-<time>\" before the history is saved again.";
    showErrorMessage(text);
  }
}

void TNivraResult::keepOriginalFile() {
  std::error_code ec;
  if (!std::filesystem::exists(fileName_, ec)) return;
  std::string backup = backupFileNameFor(fileName_, clock_());
  const std::string stem = backup;
  for (int n = 2; std::filesystem::exists(backup, ec); ++n) backup = stem + "-" + std::to_string(n);
  std::filesystem::copy_file(fileName_, backup, ec);
  if (ec)
    throw EInOutError("Cannot keep a copy of \"" + fileName_ + "\" as \"" + backup + "\" before replacing it: " +
                      ec.message());
  backupFileName_ = backup;
}

void TNivraResult::saveToFile() {
  const std::filesystem::path folder = std::filesystem::path(fileName_).parent_path();
  std::error_code ec;
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  if (ec) throw EInOutError("Cannot write \"" + fileName_ + "\": cannot create its folder: " + ec.message());
  if (keepOriginalBeforeSave_) keepOriginalFile();
  writeFileAtomically(fileName_, formatScoreFile(results_));
  keepOriginalBeforeSave_ = false;
}

}  // namespace candora
