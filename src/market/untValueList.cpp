#include "untValueList.h"

#include <bit>
#include <cmath>

#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untRecordFile.h"
#include "untSlotWindow.h"

namespace candora {

namespace {

float floatAt(const unsigned char* p) { return std::bit_cast<float>(static_cast<uint32_t>(readInt32LE(p))); }

// A header field the loader steers by: it must be a number a 32-bit serial can hold, or the grid
// arithmetic would run on garbage.
int32_t wholeField(float value, const std::string& fileName, const char* what) {
  if (!std::isfinite(value) || std::fabs(value) > 2147483520.0f)
    throw EConvertError("\"" + fileName + "\": the header's " + what + " is not a whole number");
  return static_cast<int32_t>(roundHalfEven(value));
}

// Fields nobody steers by are kept as read; an impossible value becomes an impossible ordinal that
// a checker can point at, never undefined arithmetic.
uint8_t ordinalField(float value) {
  if (!std::isfinite(value)) return 255;
  const double rounded = std::nearbyint(static_cast<double>(value));
  return rounded >= 0 && rounded <= 255 ? static_cast<uint8_t>(rounded) : 255;
}

TValueListHeader readHeader(const TRecordFile& file) {
  unsigned char raw[kValueSize * kValueHeaderFieldsRead];
  file.readAt(0, raw, sizeof raw);
  const std::string& name = file.getFileName();
  TValueListHeader h;
  h.pair.setOrdinal(ordinalField(floatAt(raw + kValueSize * kValueHeaderPair)));
  const int32_t step = wholeField(floatAt(raw + kValueSize * kValueHeaderStep), name, "time step");
  if (step < 0 || step >= TTimeStep::kCount)
    throw EConvertError("\"" + name + "\": the header names time step " + std::to_string(step) +
                        ", which does not exist");
  h.timeStep.setOrdinal(static_cast<uint8_t>(step));
  h.valueType.setOrdinal(ordinalField(floatAt(raw + kValueSize * kValueHeaderType)));
  h.period.setOrdinal(ordinalField(floatAt(raw + kValueSize * kValueHeaderPeriod)));
  h.firstTime = wholeField(floatAt(raw + kValueSize * kValueHeaderFirstTime), name, "first time");
  h.lastTime = wholeField(floatAt(raw + kValueSize * kValueHeaderLastTime), name, "last time");
  return h;
}

// How each drawable line is made from the close and up to two further files: close − A + factor × B.
struct TLineRecipe {
  uint8_t typeA;  // 0: the close alone
  bool usesDeviation;
  int deviationFactor;
};

constexpr TLineRecipe kLineRecipes[TLineType::kCount] = {
    {0, false, 0},
    {TCalcValueType::CloseMinusAverage, false, 0},
    {TCalcValueType::CloseMinusMinimum, false, 0},
    {TCalcValueType::CloseMinusMaximum, false, 0},
    {TCalcValueType::CloseMinusAverage, true, 1},
    {TCalcValueType::CloseMinusAverage, true, 2},
    {TCalcValueType::CloseMinusAverage, true, 3},
    {TCalcValueType::CloseMinusAverage, true, -1},
    {TCalcValueType::CloseMinusAverage, true, -2},
    {TCalcValueType::CloseMinusAverage, true, -3},
};

}  // namespace

std::string getValueListFileName(TPair pair, TTimeStep step, TCalcValueType valueType, TCalcPeriod period) {
  std::string name = getValueListPath() + pair.getOrdinalString() + "_" + step.getOrdinalString() + "_" +
                     valueType.getOrdinalString();
  if (valueType.getPeriodGroup() != 0) name += "_" + period.getOrdinalString();
  return name + ".vll";
}

TValueListHeader readValueListHeader(const std::string& fileName) { return readHeader(TRecordFile(fileName)); }

const TValueRecord& TValueList::getRecord(int index) const {
  if (index < 0 || index >= getCount())
    throw EListError("Value index " + std::to_string(index) + " is outside the " + std::to_string(getCount()) +
                     " loaded values");
  return records_[static_cast<std::size_t>(index)];
}

void TValueList::loadFile(const std::string& fileName, int32_t startTime, int32_t endTime) {
  clear();
  const TRecordFile file(fileName);
  const TValueListHeader header = readHeader(file);
  timeStep = header.timeStep;
  const TSlotRange range{timeStep, header.firstTime, header.lastTime};
  records_.reserve(static_cast<std::size_t>(windowSlotCount(range, startTime, endTime)));
  forEachWindowSlot(
      range, startTime, endTime, [this](int32_t t) { records_.push_back({MissingFloat, t}); },
      [this, &file](int32_t i, int32_t t) {
        unsigned char raw[kValueSize];
        file.readAt(static_cast<int64_t>(i + kValueHeaderFloats) * kValueSize, raw, sizeof raw);
        const float value = floatAt(raw);
        // A damaged value (NaN, infinity) would poison every sum and scale it meets; show it as a gap.
        records_.push_back({std::isfinite(value) ? value : MissingFloat, t});
      });
}

void TValueList::loadLine(TPair pair, TTimeStep step, TLineType line, TCalcPeriod period, int32_t time,
                          int32_t count) {
  const int32_t startTime = floorToTimeStep(time, step);
  const int32_t endTime = startTime + count * step.getMinute();
  loadFile(getValueListFileName(pair, step, TCalcValueType(TCalcValueType::Close), period), startTime, endTime);
  if (line.getOrdinal() >= TLineType::kCount) {
    showErrorMessage("TValueList.loadLine");
    return;
  }
  const TLineRecipe& recipe = kLineRecipes[line.getOrdinal()];
  if (recipe.typeA == 0) return;

  TValueList a;
  a.loadFile(getValueListFileName(pair, step, TCalcValueType(recipe.typeA), period), startTime, endTime);
  TValueList b;
  if (recipe.usesDeviation)
    b.loadFile(getValueListFileName(pair, step, TCalcValueType(TCalcValueType::StdDev), period), startTime, endTime);
  // Files of one line share the close's grid; one whose header says otherwise cannot be paired up.
  const auto checkGrid = [this, &step, &period, &pair](const TValueList& other, uint8_t type) {
    if (other.records_.size() != records_.size())
      throw EConvertError("\"" + getValueListFileName(pair, step, TCalcValueType(type), period) +
                          "\": its header's time step differs from the close file's");
  };
  checkGrid(a, recipe.typeA);
  if (recipe.usesDeviation) checkGrid(b, TCalcValueType::StdDev);

  for (std::size_t i = 0; i < records_.size(); ++i) {
    float value = subtractValues(records_[i].value, a.records_[i].value);
    if (recipe.usesDeviation) {
      // A missing deviation must blank the band even where the factor would scale it away.
      const float deviation = b.records_[i].value;
      value = isValidValue(deviation) ? addValues(value, static_cast<float>(recipe.deviationFactor) * deviation)
                                      : MissingFloat;
    }
    records_[i].value = value;
  }
}

void TValueList::getMinMax(float& low, float& high, int fromIndex, int toIndex) const {
  constexpr float kNoMax = -10000000.0f, kNoMin = 10000000.0f;
  float runningMax = kNoMax, runningMin = kNoMin;
  for (int i = fromIndex; i <= toIndex; ++i) {
    const float value = getRecord(i).value;
    if (!isValidValue(value)) continue;
    if (value > runningMax) runningMax = value;
    if (value < runningMin) runningMin = value;
  }
  high = runningMax == kNoMax ? MissingFloat : runningMax;
  low = runningMin == kNoMin ? MissingFloat : runningMin;
}

}  // namespace candora
