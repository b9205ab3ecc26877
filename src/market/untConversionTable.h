#pragma once
// Daily yen rates of the six yen pairs (etc/conversionrate.txt), one row per day without gaps, and
// the factor that turns an amount in a pair's terms into yen.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "untPairInfo.h"

namespace candora {

constexpr int kYenPairCount = 6;

struct TConversionTableRecord {
  // Slot order NZDJPY, EURJPY, USDJPY, GBPJPY, CHFJPY, AUDJPY.
  std::array<int32_t, kYenPairCount> rates{};
  int32_t time = 0;  // TIDateTime of 00:00 of the row's day
};

// The yen pairs in the order of the file's columns 2 to 7.
constexpr std::array<uint8_t, kYenPairCount> kConversionFileColumns = {
    TPair::USDJPY, TPair::EURJPY, TPair::GBPJPY, TPair::CHFJPY, TPair::AUDJPY, TPair::NZDJPY};

// Slot of a yen pair in a record, or -1 for a pair not quoted in yen.
int conversionSlotOf(TPair pair);

class TConversionTable {
public:
  TConversionTable();                                    // loads etc/conversionrate.txt beside the program
  explicit TConversionTable(const std::string& fileName);  // loads the given file

  // A missing file leaves the table empty. A line with fewer than seven fields throws EListError,
  // a field that is not an integer EConvertError, both naming the file and line.
  void loadFromFile(const std::string& fileName);
  void clear();
  int getCount() const { return static_cast<int>(records_.size()); }
  const TConversionTableRecord& getRecord(int index) const;

  int32_t getDayIndex(int32_t time) const;
  int32_t getRate(TPair yenPair, int32_t time) const;
  // Yen per unit of the pair's quote currency on the day of `time`: what a price difference of the
  // pair is worth in yen. Exactly 1 for pairs quoted in yen. Otherwise the table's yen rate of the
  // base currency divided by the pair's own price `pairRate` at that time (EURUSD: EURJPY / EURUSD,
  // which is USDJPY), so every quote currency converts, CAD included, from the six yen columns.
  // 0 when the pair's price is not a positive rate.
  double getYenRate(TPair pair, int32_t time, int32_t pairRate) const;
  // Yen per unit of the pair's base currency on that day (the base currency's yen pair).
  double getBaseYenRate(TPair pair, int32_t time) const;

  const std::array<int32_t, kYenPairCount>& getFirstValidRates() const { return firstValidRates_; }
  const std::array<int32_t, kYenPairCount>& getLastValidRates() const { return lastValidRates_; }

private:
  void computeValidRates();

  std::vector<TConversionTableRecord> records_;
  std::array<int32_t, kYenPairCount> firstValidRates_{};
  std::array<int32_t, kYenPairCount> lastValidRates_{};
};

}  // namespace candora
