#pragma once
// Currency pairs and the pair information list: what one integer rate unit is worth, how a rate is
// written and how wide the spread is. Row n of etc/pairinfo.txt belongs to the pair with ordinal n.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "untMarketRecords.h"

namespace candora {

class TPair : public TOrdinal<TPair> {
public:
  using TOrdinal::TOrdinal;
  static constexpr int kCount = 16;
  static constexpr uint8_t EURUSD = 0, GBPUSD = 1, USDCHF = 2, USDJPY = 3, EURGBP = 4, EURCHF = 5, EURJPY = 6,
                           GBPCHF = 7, GBPJPY = 8, CHFJPY = 9, USDCAD = 10, EURCAD = 11, AUDUSD = 12,
                           AUDJPY = 13, NZDUSD = 14, NZDJPY = 15;

  void setOrdinalString(const std::string& text) { assignOrdinalString(text, "TPair"); }

  std::string getToString() const;  // "USDJPY"
  // Trims blanks and control characters and matches the 16 names exactly; reports "TPair.setStr"
  // and keeps the value when nothing matches. Returns whether a name matched.
  bool setStr(const std::string& text);
  std::string getBaseCurrency() const;
  std::string getQuoteCurrency() const;

  // Per-pair constants of the program-wide pair information list. A pair without a row (or no
  // list at all) throws EListError.
  double getRateFactor() const;
  int32_t getSpread() const;
  std::string getRateFormat() const;
  double rateToPrice(int32_t rate) const;
  std::string rateToString(int32_t rate) const;
};

struct TPairRecord {
  int32_t number = 0;       // field 1, not used by the program
  std::string name;         // field 2, not used by the program
  std::string rateFormat;   // field 3
  double rateFactor = 0.0;  // field 4
  int32_t digits = 0;       // field 5, not used by the program
  int32_t spread = 0;       // field 6, in rate units
};

class TPairList {
public:
  TPairList();                                    // loads etc/pairinfo.txt beside the program
  explicit TPairList(const std::string& fileName);  // loads the given file

  void loadFromFile(const std::string& fileName);  // a missing file leaves the list empty
  void clear() { records_.clear(); }
  int getCount() const { return static_cast<int>(records_.size()); }
  const TPairRecord& getRecord(int index) const;  // throws EListError outside the list

private:
  std::vector<std::unique_ptr<TPairRecord>> records_;
  std::string fileName_;
};

// The list the TPair operations read. The owner installs it for as long as it lives.
void setPairList(const TPairList* list);
const TPairList& getPairList();

}  // namespace candora
