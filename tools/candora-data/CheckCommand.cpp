#include <iostream>
#include <sstream>

#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "DataCheck.h"
#include "DataReport.h"

namespace candora::data {

namespace {

constexpr const char* kUsage =
    "usage: candora-data check DIR\n"
    "\n"
    "Validates a data folder: each price and indicator file's header against its name and its size\n"
    "against its header, the coverage and gaps of each price file, indicator files that are missing or\n"
    "do not cover their price file, the conversion table and the pair information. Ends with status 1\n"
    "and a list of the problems when something is wrong.\n";

int check(const std::vector<std::string>& args) {
  const TArguments a(args, {}, {});
  if (a.positional().size() != 1) throw EUsageError("give exactly one data folder");
  std::ostringstream problems;
  TDataReport report(std::cout, problems, 50);
  const TCheckSummary s = checkDataFolder(a.positional().front(), report);
  const int status = finishReport(report);
  std::cout << "checked " << s.priceFiles << " price files and " << s.valueFiles << " indicator files: ";
  if (report.problemCount() == 0) {
    std::cout << "no problems found\n";
  } else {
    std::cout << report.problemCount() << " problems found:\n";
    std::istringstream lines(problems.str());
    for (std::string line; std::getline(lines, line);) std::cout << "  " << line << '\n';
  }
  return status;
}

}  // namespace

int runCheck(const std::vector<std::string>& args) {
  return runCommand("check", kUsage, args, [&] { return check(args); });
}

}  // namespace candora::data
