#pragma once
// The walk both data readers make over a window of grid slots: a slot outside the file's range is
// missing and touches no byte; a slot inside it is read by its record index.

#include <cstdint>

#include "untMarketRecords.h"

namespace candora {

struct TSlotRange {
  TTimeStep step;
  int32_t firstTime = 0;  // time of record 0
  int32_t lastTime = 0;   // time of the last record
};

// Calls missing(t) or stored(index, t) for every slot from startTime up to, not including, endTime,
// in time order.
template <class Missing, class Stored>
void forEachWindowSlot(const TSlotRange& range, int32_t startTime, int32_t endTime, Missing&& missing,
                          Stored&& stored) {
  const int32_t firstIndex = timeToBarIndex(startTime, range.step, range.firstTime);
  const int32_t endIndex = timeToBarIndex(endTime, range.step, range.firstTime);
  for (int32_t i = firstIndex; i < endIndex; ++i) {
    const int32_t t = barIndexToTime(i, range.step, range.firstTime);
    if (t < range.firstTime || t > range.lastTime) missing(t);
    else stored(i, t);
  }
}

// How many slots a window holds, for reserving room before the walk.
inline int32_t windowSlotCount(const TSlotRange& range, int32_t startTime, int32_t endTime) {
  const int32_t n = timeToBarIndex(endTime, range.step, range.firstTime) -
                    timeToBarIndex(startTime, range.step, range.firstTime);
  return n > 0 ? n : 0;
}

}  // namespace candora
