#pragma once
// Writes indicator files in the layout TValueList reads: six header floats (the rest of the 20
// zero), then one float per grid slot from the header's first time to its last.

#include <string>
#include <vector>

#include "untValueList.h"

namespace candora {

// `values` holds one entry per slot from header.firstTime to header.lastTime (MissingFloat where
// there is none). Throws EConvertError when the times are not on one grid of the step, do not fit
// a float exactly, or the count does not match, and EInOutError when the file cannot be written.
// The file is written to a temporary name and renamed, so readers never see half a file.
void writeValueListFile(const std::string& fileName, const TValueListHeader& header, const std::vector<float>& values);

}  // namespace candora
