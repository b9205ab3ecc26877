#pragma once
// A data folder the builder writes into: it becomes the data root of the market library (so
// getOhlcPath and friends point into it) and its own etc/pairinfo.txt becomes the pair
// information, copied there first when the folder has none. Rate units follow that file.

#include <memory>
#include <string>

#include "untPairInfo.h"

namespace candora::data {

class TDataFolder {
public:
  // Throws EInOutError when the folder cannot be made or there is no pair information to copy, and
  // EConvertError when the pair information lacks pairs.
  TDataFolder(const std::string& folder, const std::string& pairInfoSource);
  ~TDataFolder();
  TDataFolder(const TDataFolder&) = delete;
  TDataFolder& operator=(const TDataFolder&) = delete;

private:
  std::unique_ptr<TPairList> pairList_;
};

// The folder the running tool lives in; its etc/pairinfo.txt is the fallback pair information.
// Must be asked before anything changes the data root.
std::string toolFolder();
void rememberToolFolder();

}  // namespace candora::data
