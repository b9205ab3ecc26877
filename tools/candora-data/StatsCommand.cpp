#include <iostream>

#include "Commands.h"

namespace candora::data {

int runStats(const std::vector<std::string>& args) {
  std::cerr << "candora-data stats: not available in this build\n";
  return kExitUsage;
}

}  // namespace candora::data
