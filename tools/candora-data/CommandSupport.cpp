#include "CommandSupport.h"

#include <algorithm>
#include <exception>
#include <iostream>

#include "CommandLine.h"
#include "Commands.h"
#include "DataReport.h"

namespace candora::data {

int runCommand(const char* name, const char* usage, const std::vector<std::string>& args,
               const std::function<int()>& body) {
  if (std::find_if(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; }) !=
      args.end()) {
    std::cout << usage;
    return kExitSuccess;
  }
  try {
    return body();
  } catch (const EUsageError& e) {
    std::cerr << "candora-data " << name << ": " << e.what() << "\n\n" << usage;
  } catch (const std::exception& e) {
    std::cerr << "candora-data " << name << ": " << e.what() << '\n';
  }
  return kExitUsage;
}

int finishReport(TDataReport& report) {
  report.summarizeHidden();
  return report.problemCount() > 0 ? kExitProblems : kExitSuccess;
}

}  // namespace candora::data
