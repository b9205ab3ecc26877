#pragma once
// Price bars of one pair and time step, loaded a window at a time from ohlc/PAIR_span.hst. A window
// always yields one record per grid slot; slots outside the file or empty in it hold the marker.

#include <cstdint>
#include <string>
#include <vector>

#include "untIDateTime.h"
#include "untMarketRecords.h"
#include "untPairInfo.h"

namespace candora {

struct THistoricalRecord {
  int32_t time = 0;  // TIDateTime of the bar start
  int32_t low = 0;
  int32_t high = 0;
  int32_t open = 0;
  int32_t close = 0;
};

// Layout of a price file: 16-byte records of four little-endian int32, 20 header records.
constexpr int kPriceRecordSize = 16;
constexpr int kPriceHeaderRecords = 20;

struct TPriceFileHeader {
  TPair pair;
  TTimeStep timeStep;
  int32_t firstTime = 0;
  int32_t lastTime = 0;
  int32_t code = 0;
};

std::string getHistoricalDataFileName(TPair pair, TTimeStep step);  // ohlc/USDJPY_1時間.hst

// Reads and checks nothing but the header; throws EInOutError for a missing or short file.
TPriceFileHeader readPriceFileHeader(const std::string& fileName);

class THistoricalData {
public:
  void clear() { records_.clear(); }
  int getCount() const { return static_cast<int>(records_.size()); }
  const THistoricalRecord& getRecord(int index) const;  // throws EListError outside the list
  const std::vector<THistoricalRecord>& records() const { return records_; }

  TPair pair;
  TTimeStep timeStep;

  // The `count` bars that start at the bar containing `time`.
  void load(TPair pair, TTimeStep step, int32_t time, int32_t count);
  // The bars whose start times run from startTime up to, not including, endTime.
  void loadFile(const std::string& fileName, int32_t startTime, int32_t endTime);
  // Lowest valid low and highest valid high of records fromIndex..toIndex; the marker when none.
  void getMinMax(int32_t& low, int32_t& high, int fromIndex, int toIndex) const;

private:
  std::vector<THistoricalRecord> records_;
};

}  // namespace candora
