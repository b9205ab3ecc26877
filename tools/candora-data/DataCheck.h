#pragma once
// Validation of a whole data folder: every price and indicator file's header against its name and
// its size against its header, coverage and gaps of every price file, indicator files missing or
// out of step with their price file, and the conversion table and pair information.

#include <string>

#include "DataReport.h"

namespace candora::data {

struct TCheckSummary {
  int priceFiles = 0;
  int valueFiles = 0;
};

// Notes describe each price file; problems go to report.problem. Throws EInOutError when `folder`
// is not a folder.
TCheckSummary checkDataFolder(const std::string& folder, TDataReport& report);

}  // namespace candora::data
