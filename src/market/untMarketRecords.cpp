#include "untMarketRecords.h"

#include <array>

#include "untNivraUtil.h"

namespace candora {

uint8_t ordinalFromString(const std::string& text, const char* typeName) {
  return static_cast<uint8_t>(strToInt(text, typeName) & 0xff);
}

namespace {

// Looks an ordinal up in a table; outside it, reports `operation` and yields the fallback.
template <class T, std::size_t N>
T lookup(const std::array<T, N>& table, uint8_t ordinal, const char* operation, T fallback = T{}) {
  if (ordinal < N) return table[ordinal];
  showErrorMessage(operation);
  return fallback;
}

struct StepRow {
  uint8_t unit;
  int32_t value;
};
constexpr std::array<StepRow, 14> kSteps = {{{0, 1}, {0, 2}, {0, 5}, {0, 10}, {0, 30}, {1, 1}, {1, 2},
                                             {1, 6}, {1, 12}, {2, 1}, {2, 2}, {2, 7}, {2, 15}, {2, 30}}};

}  // namespace

// --- TTimeUnit --------------------------------------------------------------------------------
std::string TTimeUnit::getToString() const {
  static const std::array<std::string, 3> texts = {"分", "時", "日"};
  return lookup(texts, ordinal_, "TTimeUnit.getToString");
}

std::string TTimeUnit::getToString2() const {
  static const std::array<std::string, 3> texts = {"分", "時間", "日"};
  return lookup(texts, ordinal_, "TTimeUnit.getToString2");
}

int32_t TTimeUnit::getMinutesPerUnit() const {
  static constexpr std::array<int32_t, 3> minutes = {1, 60, 1440};
  return lookup(minutes, ordinal_, "TTimeStep.getMinute");
}

// --- TTimeStep --------------------------------------------------------------------------------
TTimeUnit TTimeStep::getTimeUnit() const {
  if (ordinal_ >= kSteps.size()) {
    showErrorMessage("TTimeStep.getTimeUnit");
    return TTimeUnit(0);
  }
  return TTimeUnit(kSteps[ordinal_].unit);
}

int32_t TTimeStep::getTimeValue() const {
  if (ordinal_ >= kSteps.size()) {
    showErrorMessage("TTimeStep.getTimeValue");
    return 0;
  }
  return kSteps[ordinal_].value;
}

std::string TTimeStep::getTimeValueString() const { return std::to_string(getTimeValue()); }

int32_t TTimeStep::getMinute() const {
  if (ordinal_ >= kSteps.size()) {
    // An unknown step has no unit either; report it as the unit lookup would.
    showErrorMessage("TTimeStep.getMinute");
    return 0;
  }
  return kSteps[ordinal_].value * TTimeUnit(kSteps[ordinal_].unit).getMinutesPerUnit();
}

std::string TTimeStep::getToCandleString() const {
  static const std::array<std::string, 14> texts = {"1分足",  "2分足",  "5分足",   "10分足",  "30分足",
                                                    "1時間足", "2時間足", "6時間足", "12時間足", "1日足",
                                                    "2日足",  "7日足",  "15日足",  "30日足"};
  return lookup(texts, ordinal_, "TTimeStep.getToCandleString");
}

std::string TTimeStep::getToString() const {
  if (ordinal_ >= kSteps.size()) {
    showErrorMessage("TTimeStep.getTimeValue");
    return {};
  }
  return getTimeValueString() + getTimeUnit().getToString() + "間";
}

// --- TPosition --------------------------------------------------------------------------------
std::string TPosition::getToString() const {
  static const std::array<std::string, 4> texts = {"Long", "Short", "Stay", "Undefined"};
  return ordinal_ < texts.size() ? texts[ordinal_] : std::string();
}

// --- TCalcPeriod ------------------------------------------------------------------------------
namespace {
constexpr std::array<int32_t, 16> kPeriodCounts = {5, 10, 20, 40, 80, 160, 1, 2, 3, 5, 10, 30, 60, 120, 360, 720};
}

std::string TCalcPeriod::getToString() const {
  if (ordinal_ >= kPeriodCounts.size()) {
    showErrorMessage("TCalcPeriod.getToString");
    return {};
  }
  return std::to_string(kPeriodCounts[ordinal_]) + (getIsBarPeriod() ? " Bar" : " 日");
}

bool TCalcPeriod::getIsBarPeriod() const {
  if (ordinal_ >= kPeriodCounts.size()) {
    showErrorMessage("TCalcPeriod.getPeriodValue");
    return false;
  }
  return ordinal_ <= 5;
}

int32_t TCalcPeriod::getPeriodValue() const {
  return lookup(kPeriodCounts, ordinal_, "TCalcPeriod.getPeriodValue");
}

// --- TCalcValueType ---------------------------------------------------------------------------
int TCalcValueType::getPeriodGroup() const {
  static constexpr std::array<int, 8> groups = {0, 0, 0, 1, 1, 2, 2, 0};
  return lookup(groups, ordinal_, "TCalcValueType.getPeriodGroup");
}

// --- TChartValueType --------------------------------------------------------------------------
std::string TChartValueType::getToString() const {
  static const std::array<std::string, 7> texts = {"終値",         "移動平均",     "最小値",      "最大値",
                                                   "移動平均±1SD", "移動平均±2SD", "移動平均±3SD"};
  return lookup(texts, ordinal_, "TChartValueType.getToString");
}

bool TChartValueType::getIsTwoLines() const {
  static constexpr std::array<bool, 7> twoLines = {false, false, false, false, true, true, true};
  return lookup(twoLines, ordinal_, "TChartValueType.getIsTwoLines");
}

TLineType TChartValueType::getLine1() const {
  static constexpr std::array<uint8_t, 7> lines = {0, 1, 2, 3, 4, 5, 6};
  return TLineType(lookup(lines, ordinal_, "TChartValueType.getLine1"));
}

TLineType TChartValueType::getLine2() const {
  if (ordinal_ < 4 || ordinal_ > 6) {
    showErrorMessage("TChartValueType.getLine2");
    return TLineType(0);
  }
  return TLineType(static_cast<uint8_t>(ordinal_ + 3));
}

int TChartValueType::getPeriodGroup() const {
  static constexpr std::array<int, 7> groups = {0, 1, 2, 2, 1, 1, 1};
  return lookup(groups, ordinal_, "TChartValueType.getPeriodGroup");
}

// --- TChartColor ------------------------------------------------------------------------------
TRgb TChartColor::getColor() const {
  static constexpr std::array<TRgb, 15> colors = {0x00FFFF, 0x0000FF, 0xFFFBF0, 0xFF00FF, 0x008000,
                                                  0x00FF00, 0x800000, 0xC0DCC0, 0x000080, 0x808000,
                                                  0x800080, 0xFF0000, 0xA6CAF0, 0x008080, 0xFFFF00};
  return lookup(colors, ordinal_, "TChartColor.getColor");
}

// --- TNivraTimeStep ---------------------------------------------------------------------------
namespace {
constexpr std::array<uint8_t, 6> kNivraSteps = {0, 2, 4, 5, 7, 9};
}

TTimeStep TNivraTimeStep::toTimeStep() const {
  return TTimeStep(ordinal_ < kNivraSteps.size() ? kNivraSteps[ordinal_] : 0);
}

int32_t timeStepSerialToNivraTimeStepSerial(int32_t timeStepSerial) {
  for (std::size_t i = 0; i < kNivraSteps.size(); ++i)
    if (kNivraSteps[i] == timeStepSerial) return static_cast<int32_t>(i);
  showErrorMessage("timeStepSerialToNivraTimeStepSerial");
  return 0;
}

// --- bar grid and sessions --------------------------------------------------------------------
int32_t timeToBarIndex(int32_t time, TTimeStep step, int32_t originTime) {
  const int32_t minutes = step.getMinute();
  return minutes == 0 ? 0 : (time - originTime) / minutes;
}

int32_t barIndexToTime(int32_t index, TTimeStep step, int32_t originTime) {
  return originTime + index * step.getMinute();
}

int32_t floorToTimeStep(int32_t time, TTimeStep step) {
  const int32_t minutes = step.getMinute();
  if (minutes == 0) return time;
  // Times before the anchor floor onto the same grid rather than toward it.
  int32_t offset = (time - kGridOrigin) % minutes;
  if (offset < 0) offset += minutes;
  return time - offset;
}

int sessionNoToGroup(int sessionNo) {
  return sessionNo >= 1 && sessionNo <= kSessionCount ? (sessionNo - 1) / 5 : 0;
}

int sessionNoToBarsAfter(int sessionNo) {
  return sessionNo >= 1 && sessionNo <= kSessionCount ? ((sessionNo - 1) / 5 + 1) * 10 : 0;
}

std::string removeTrailingComma(const std::string& text) {
  if (!text.empty() && text.back() == ',') return text.substr(0, text.size() - 1);
  return text;
}

}  // namespace candora
