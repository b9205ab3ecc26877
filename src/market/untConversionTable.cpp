#include "untConversionTable.h"

#include <filesystem>

#include "untIDateTime.h"
#include "untMyMath.h"
#include "untNivraUtil.h"

namespace candora {

int conversionSlotOf(TPair pair) {
  switch (pair.getOrdinal()) {
    case TPair::NZDJPY: return 0;
    case TPair::EURJPY: return 1;
    case TPair::USDJPY: return 2;
    case TPair::GBPJPY: return 3;
    case TPair::CHFJPY: return 4;
    case TPair::AUDJPY: return 5;
    default: return -1;
  }
}

TConversionTable::TConversionTable() : TConversionTable(getConversionRateFileName()) {}

TConversionTable::TConversionTable(const std::string& fileName) { loadFromFile(fileName); }

void TConversionTable::clear() {
  records_.clear();
  firstValidRates_.fill(0);
  lastValidRates_.fill(0);
}

void TConversionTable::loadFromFile(const std::string& fileName) {
  clear();
  if (!std::filesystem::exists(fileName)) return;
  const std::vector<std::string> lines = readTextLines(fileName);
  records_.reserve(lines.size());
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string where = fileLine(fileName, n + 1);
    const std::vector<std::string> fields = splitCommaText(lines[n]);
    if (fields.size() < 7)
      throw EListError(where + ": " + std::to_string(fields.size()) + " fields, 7 expected");
    TConversionTableRecord row;
    row.time = strToInt(fields[0], where + " field 1");
    for (int c = 0; c < kYenPairCount; ++c) {
      const int slot = conversionSlotOf(TPair(kConversionFileColumns[static_cast<std::size_t>(c)]));
      row.rates[static_cast<std::size_t>(slot)] = strToInt(fields[static_cast<std::size_t>(c) + 1],
                                                           where + " field " + std::to_string(c + 2));
    }
    records_.push_back(row);
  }
  computeValidRates();
}

void TConversionTable::computeValidRates() {
  for (std::size_t slot = 0; slot < kYenPairCount; ++slot) {
    for (const auto& r : records_)
      if (isValidValue(r.rates[slot])) {
        firstValidRates_[slot] = r.rates[slot];
        break;
      }
    for (auto it = records_.rbegin(); it != records_.rend(); ++it)
      if (isValidValue(it->rates[slot])) {
        lastValidRates_[slot] = it->rates[slot];
        break;
      }
  }
}

const TConversionTableRecord& TConversionTable::getRecord(int index) const {
  if (index < 0 || index >= getCount())
    throw EListError("Conversion table row " + std::to_string(index) + " is outside its " +
                     std::to_string(getCount()) + " rows");
  return records_[static_cast<std::size_t>(index)];
}

int32_t TConversionTable::getDayIndex(int32_t time) const {
  const int32_t dayStart = time - (((time % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay);
  return (dayStart - getRecord(0).time) / kMinutesPerDay;
}

int32_t TConversionTable::getRate(TPair yenPair, int32_t time) const {
  const int slot = conversionSlotOf(yenPair);
  if (slot < 0) throw EListError("The conversion table has no column for " + yenPair.getToString());
  const auto s = static_cast<std::size_t>(slot);
  // Without rows there is nothing to look up; the first and last valid rates are then 0.
  if (records_.empty()) return 0;
  const int32_t d = getDayIndex(time);
  if (d < 0) return firstValidRates_[s];
  if (d >= getCount()) return lastValidRates_[s];
  const int32_t rate = records_[static_cast<std::size_t>(d)].rates[s];
  return isValidValue(rate) ? rate : lastValidRates_[s];
}

double TConversionTable::getBaseYenRate(TPair pair, int32_t time) const {
  if (pair.getBaseCurrency() == "JPY") return 1.0;
  TPair yenPair;
  yenPair.setStr(pair.getBaseCurrency() + "JPY");
  return yenPair.rateToPrice(getRate(yenPair, time));
}

double TConversionTable::getYenRate(TPair pair, int32_t time, int32_t pairRate) const {
  if (pair.getQuoteCurrency() == "JPY") return 1.0;
  if (!isValidValue(pairRate) || pairRate <= 0) return 0.0;
  return getBaseYenRate(pair, time) / pair.rateToPrice(pairRate);
}

}  // namespace candora
