#pragma once
// Writes price files in the layout THistoricalData reads: a 20-record header, then one masked
// record per grid slot from the first to the last bar, the marker (unmasked) in empty slots.

#include <string>
#include <vector>

#include "untHistoricalData.h"

namespace candora {

// `bars` must be in time order on the step's grid from their first time; times between bars are
// written as empty slots. An empty `bars` writes nothing and throws EConvertError, since a price
// file cannot describe an empty range. Throws EInOutError when the file cannot be written.
// The file is written to a temporary name and renamed, so readers never see half a file.
void writeHistoricalDataFile(const std::string& fileName, TPair pair, TTimeStep step,
                             const std::vector<THistoricalRecord>& bars);

}  // namespace candora
