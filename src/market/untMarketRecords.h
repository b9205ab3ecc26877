#pragma once
// The vocabulary every part of the program trades in: bar time steps and their units, the user's
// answer, indicator periods and value kinds, extra line kinds and colours, the score time steps,
// the bar grid and the grouping of a test's sessions. Each type is one byte holding an ordinal;
// mapping an ordinal outside its table reports "Error: Type.operation" and yields 0/false/"".

#include <cstdint>
#include <string>

namespace candora {

// Integer conversion of an ordinal's stored text; its low byte is the ordinal. Throws EConvertError.
uint8_t ordinalFromString(const std::string& text, const char* typeName);

// Common state and text forms of every vocabulary type: just the ordinal.
template <class Derived>
class TOrdinal {
public:
  constexpr TOrdinal() = default;
  constexpr explicit TOrdinal(uint8_t ordinal) : ordinal_(ordinal) {}

  constexpr uint8_t getOrdinal() const { return ordinal_; }
  constexpr void setOrdinal(uint8_t ordinal) { ordinal_ = ordinal; }
  std::string getOrdinalString() const { return std::to_string(ordinal_); }

  friend constexpr bool operator==(TOrdinal a, TOrdinal b) { return a.ordinal_ == b.ordinal_; }

protected:
  void assignOrdinalString(const std::string& text, const char* typeName) {
    ordinal_ = ordinalFromString(text, typeName);
  }

  uint8_t ordinal_ = 0;
};

class TTimeUnit : public TOrdinal<TTimeUnit> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 3;
  std::string getToString() const;   // "分", "時", "日"
  std::string getToString2() const;  // "分", "時間", "日"
  int32_t getMinutesPerUnit() const;  // 1, 60, 1440; reports "TTimeStep.getMinute" outside
};

class TTimeStep : public TOrdinal<TTimeStep> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 14;
  void setOrdinalString(const std::string& text) { assignOrdinalString(text, "TTimeStep"); }

  TTimeUnit getTimeUnit() const;
  int32_t getTimeValue() const;
  std::string getTimeValueString() const;
  int32_t getMinute() const;              // minutes per bar
  std::string getToCandleString() const;  // "1時間足"
  std::string getToString() const;        // span text "1時間", part of price file names
};

class TPosition : public TOrdinal<TPosition> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 4;
  static constexpr uint8_t Long = 0, Short = 1, Stay = 2, Undefined = 3;
  void setOrdinalString(const std::string& text) { assignOrdinalString(text, "TPosition"); }
  std::string getToString() const;  // "Long", "Short", "Stay", "Undefined"; "" (no report) outside
};

class TCalcPeriod : public TOrdinal<TCalcPeriod> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 16;
  std::string getToString() const;  // "5 Bar" … "720 日"
  bool getIsBarPeriod() const;      // ordinals 0 to 5
  int32_t getPeriodValue() const;   // the count: bars or days
};

class TCalcValueType : public TOrdinal<TCalcValueType> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 8;
  static constexpr uint8_t Close = 0, StdDev = 3, CloseMinusAverage = 4, CloseMinusMaximum = 5,
                           CloseMinusMinimum = 6;
  int getPeriodGroup() const;  // 0 none, 1 bar periods, 2 all periods
};

// One drawable line: 0 close, 1 moving average, 2 minimum, 3 maximum, 4–6 MA + 1..3 SD,
// 7–9 MA − 1..3 SD.
class TLineType : public TOrdinal<TLineType> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 10;
};

class TChartValueType : public TOrdinal<TChartValueType> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 7;
  std::string getToString() const;
  bool getIsTwoLines() const;
  TLineType getLine1() const;
  TLineType getLine2() const;  // two-line kinds only; reports for the others
  int getPeriodGroup() const;
};

// An opaque colour as 0x00RRGGBB.
using TRgb = uint32_t;

class TChartColor : public TOrdinal<TChartColor> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 15;
  TRgb getColor() const;
};

class TNivraTimeStep : public TOrdinal<TNivraTimeStep> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 6;
  TTimeStep toTimeStep() const;
};

// Time step ordinal 0, 2, 4, 5, 7, 9 → score time step ordinal 0..5; reports any other step.
int32_t timeStepSerialToNivraTimeStepSerial(int32_t timeStepSerial);

// --- bar grid: every bar starts on a grid of its step anchored at 2007-01-01 00:00 ------------
constexpr int32_t kGridOrigin = 3682080;  // TIDateTime of 2007-01-01 00:00

int32_t timeToBarIndex(int32_t time, TTimeStep step, int32_t originTime);
int32_t barIndexToTime(int32_t index, TTimeStep step, int32_t originTime);
int32_t floorToTimeStep(int32_t time, TTimeStep step);

// --- sessions of a test, numbered 1 to 20 -----------------------------------------------------
constexpr int kSessionCount = 20;
int sessionNoToGroup(int sessionNo);      // 0..3 by groups of five
int sessionNoToBarsAfter(int sessionNo);  // 10, 20, 30, 40

std::string removeTrailingComma(const std::string& text);

}  // namespace candora
