#pragma once
// Precomputed indicator values of one pair, time step, quantity and period, loaded a window at a
// time from valueList/PAIR_STEP_TYPE[_PERIOD].vll, and the drawable lines composed out of them.
// A window always yields one value per grid slot; slots outside the file hold the marker.

#include <cstdint>
#include <string>
#include <vector>

#include "untMarketRecords.h"
#include "untPairInfo.h"

namespace candora {

// Layout of an indicator file: little-endian 32-bit floats, 20 of header, then one per grid slot.
constexpr int kValueSize = 4;
constexpr int kValueHeaderFloats = 20;
// Header float positions.
constexpr int kValueHeaderPair = 0, kValueHeaderStep = 1, kValueHeaderType = 2, kValueHeaderPeriod = 3,
              kValueHeaderFirstTime = 4, kValueHeaderLastTime = 5;
constexpr int kValueHeaderFieldsRead = 6;
// Every whole number up to this magnitude survives the trip through a 32-bit float.
constexpr int32_t kLargestExactFloatInteger = 16777216;

struct TValueRecord {
  float value = 0.0f;  // MissingFloat when missing
  int32_t time = 0;    // TIDateTime of the bar the value belongs to
};

struct TValueListHeader {
  TPair pair;
  TTimeStep timeStep;
  TCalcValueType valueType;
  TCalcPeriod period;
  int32_t firstTime = 0;
  int32_t lastTime = 0;
};

// valueList/3_5_0.vll, valueList/3_5_4_2.vll: the period appears only for kinds that take one.
std::string getValueListFileName(TPair pair, TTimeStep step, TCalcValueType valueType, TCalcPeriod period);

// Reads the six header fields; throws EInOutError for a missing or short file and EConvertError
// for a header that cannot describe a file (not whole numbers, an unknown time step).
TValueListHeader readValueListHeader(const std::string& fileName);

class TValueList {
public:
  void clear() { records_.clear(); }
  int getCount() const { return static_cast<int>(records_.size()); }
  const TValueRecord& getRecord(int index) const;  // throws EListError outside the list
  const std::vector<TValueRecord>& records() const { return records_; }

  TTimeStep timeStep;  // of the last loaded file's header

  // The values of the slots from startTime up to, not including, endTime.
  void loadFile(const std::string& fileName, int32_t startTime, int32_t endTime);
  // `count` values of the line, starting at the bar that contains `time`.
  void loadLine(TPair pair, TTimeStep step, TLineType line, TCalcPeriod period, int32_t time, int32_t count);
  // Lowest and highest valid value of records fromIndex..toIndex; the marker when there is none.
  void getMinMax(float& low, float& high, int fromIndex, int toIndex) const;

private:
  std::vector<TValueRecord> records_;
};

}  // namespace candora
