#include "untHistoricalData.h"

#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untPriceMask.h"
#include "untRecordFile.h"
#include "untSlotWindow.h"

namespace candora {

namespace {

TPriceFileHeader readHeader(const TRecordFile& file) {
  unsigned char header[kPriceRecordSize * kPriceHeaderRecords];
  file.readAt(0, header, sizeof header);
  TPriceFileHeader h;
  h.pair.setOrdinal(static_cast<uint8_t>(readInt32LE(header) & 0xff));
  h.timeStep.setOrdinal(static_cast<uint8_t>(readInt32LE(header + 16) & 0xff));
  h.firstTime = readInt32LE(header + 32);
  h.lastTime = readInt32LE(header + 48);
  h.code = readInt32LE(header + 64);
  return h;
}

THistoricalRecord missingRecord(int32_t time) {
  return {time, MissingValue, MissingValue, MissingValue, MissingValue};
}

}  // namespace

std::string getHistoricalDataFileName(TPair pair, TTimeStep step) {
  return getOhlcPath() + pair.getToString() + "_" + step.getToString() + ".hst";
}

TPriceFileHeader readPriceFileHeader(const std::string& fileName) { return readHeader(TRecordFile(fileName)); }

const THistoricalRecord& THistoricalData::getRecord(int index) const {
  if (index < 0 || index >= getCount())
    throw EListError("Bar index " + std::to_string(index) + " is outside the " + std::to_string(getCount()) +
                     " loaded bars");
  return records_[static_cast<std::size_t>(index)];
}

void THistoricalData::load(TPair pair_, TTimeStep step, int32_t time, int32_t count) {
  const int32_t startTime = floorToTimeStep(time, step);
  const int32_t endTime = startTime + count * step.getMinute();
  loadFile(getHistoricalDataFileName(pair_, step), startTime, endTime);
}

void THistoricalData::loadFile(const std::string& fileName, int32_t startTime, int32_t endTime) {
  clear();
  const TRecordFile file(fileName);
  const TPriceFileHeader header = readHeader(file);
  pair = header.pair;
  timeStep = header.timeStep;
  const TSlotRange range{timeStep, header.firstTime, header.lastTime};
  records_.reserve(static_cast<std::size_t>(windowSlotCount(range, startTime, endTime)));
  forEachWindowSlot(
      range, startTime, endTime, [this](int32_t t) { records_.push_back(missingRecord(t)); },
      [this, &file](int32_t i, int32_t t) {
        unsigned char raw[kPriceRecordSize];
        file.readAt(static_cast<int64_t>(i + kPriceHeaderRecords) * kPriceRecordSize, raw, sizeof raw);
        THistoricalRecord r;
        r.time = t;
        r.open = unmaskPrice(readInt32LE(raw), TPriceField::Open, t);
        r.high = unmaskPrice(readInt32LE(raw + 4), TPriceField::High, t);
        r.low = unmaskPrice(readInt32LE(raw + 8), TPriceField::Low, t);
        r.close = unmaskPrice(readInt32LE(raw + 12), TPriceField::Close, t);
        records_.push_back(r);
      });
}

void THistoricalData::getMinMax(int32_t& low, int32_t& high, int fromIndex, int toIndex) const {
  constexpr int32_t kNoMax = -10000000, kNoMin = 10000000;
  int32_t runningMax = kNoMax, runningMin = kNoMin;
  for (int i = fromIndex; i <= toIndex; ++i) {
    const THistoricalRecord& r = getRecord(i);
    if (isValidValue(r.high) && r.high > runningMax) runningMax = r.high;
    if (isValidValue(r.low) && r.low < runningMin) runningMin = r.low;
  }
  high = runningMax == kNoMax ? MissingValue : runningMax;
  low = runningMin == kNoMin ? MissingValue : runningMin;
}

}  // namespace candora
