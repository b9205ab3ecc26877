#include "untPairInfo.h"

#include <array>
#include <filesystem>

#include "untNivraUtil.h"
#include "untNumberFormat.h"

namespace candora {

namespace {

const std::array<const char*, 16> kPairNames = {"EURUSD", "GBPUSD", "USDCHF", "USDJPY", "EURGBP", "EURCHF",
                                                "EURJPY", "GBPCHF", "GBPJPY", "CHFJPY", "USDCAD", "EURCAD",
                                                "AUDUSD", "AUDJPY", "NZDUSD", "NZDJPY"};

const TPairList* gPairList = nullptr;

const TPairRecord& rowOf(const TPair& pair) { return getPairList().getRecord(pair.getOrdinal()); }

}  // namespace

// --- TPair ------------------------------------------------------------------------------------
std::string TPair::getToString() const {
  if (ordinal_ >= kPairNames.size()) {
    showErrorMessage("TPair.getToString");
    return {};
  }
  return kPairNames[ordinal_];
}

bool TPair::setStr(const std::string& text) {
  const std::string name = trimText(text);
  for (std::size_t i = 0; i < kPairNames.size(); ++i) {
    if (name == kPairNames[i]) {
      ordinal_ = static_cast<uint8_t>(i);
      return true;
    }
  }
  showErrorMessage("TPair.setStr");
  return false;
}

std::string TPair::getBaseCurrency() const { return getToString().substr(0, 3); }

std::string TPair::getQuoteCurrency() const {
  const std::string name = getToString();
  return name.size() >= 6 ? name.substr(3, 3) : std::string();
}

double TPair::getRateFactor() const { return rowOf(*this).rateFactor; }
int32_t TPair::getSpread() const { return rowOf(*this).spread; }
std::string TPair::getRateFormat() const { return rowOf(*this).rateFormat; }
double TPair::rateToPrice(int32_t rate) const { return getRateFactor() * rate; }

std::string TPair::rateToString(int32_t rate) const {
  const TPairRecord& row = rowOf(*this);
  return formatFloat(row.rateFormat, row.rateFactor * rate);
}

// --- TPairList --------------------------------------------------------------------------------
TPairList::TPairList() : TPairList(getPairInfoFileName()) {}

TPairList::TPairList(const std::string& fileName) { loadFromFile(fileName); }

void TPairList::loadFromFile(const std::string& fileName) {
  clear();
  fileName_ = fileName;
  if (!std::filesystem::exists(fileName)) return;
  const std::vector<std::string> lines = readTextLines(fileName);
  for (std::size_t n = 0; n < lines.size(); ++n) {
    const std::string where = fileLine(fileName, n + 1);
    std::vector<std::string> fields = splitCommaText(lines[n]);
    if (fields.size() < 6)
      throw EListError(where + ": " + std::to_string(fields.size()) + " fields, 6 expected");
    for (auto& f : fields) f = trimText(f);
    auto row = std::make_unique<TPairRecord>();
    row->number = strToInt(fields[0], where + " field 1");
    row->name = fields[1];
    row->rateFormat = fields[2];
    row->rateFactor = strToFloat(fields[3], where + " field 4");
    row->digits = strToInt(fields[4], where + " field 5");
    row->spread = strToInt(fields[5], where + " field 6");
    records_.push_back(std::move(row));
  }
}

const TPairRecord& TPairList::getRecord(int index) const {
  if (index < 0 || index >= getCount())
    throw EListError("Pair information \"" + fileName_ + "\" has no row " + std::to_string(index + 1) + " (" +
                     std::to_string(getCount()) + " rows)");
  return *records_[static_cast<std::size_t>(index)];
}

void setPairList(const TPairList* list) { gPairList = list; }

const TPairList& getPairList() {
  if (!gPairList) throw EListError("The pair information list is not loaded");
  return *gPairList;
}

}  // namespace candora
