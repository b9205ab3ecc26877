#pragma once
// The subcommands of candora-data. Each takes the arguments after its name and returns the exit
// status: 0 success, 1 data problems found, 2 usage or input errors.

#include <string>
#include <vector>

namespace candora::data {

constexpr int kExitSuccess = 0;
constexpr int kExitProblems = 1;
constexpr int kExitUsage = 2;

using TCommandFunction = int (*)(const std::vector<std::string>& args);

struct TCommand {
  const char* name;
  const char* summary;  // one line for the overview
  TCommandFunction run;
};

// In the order the overview lists them.
const std::vector<TCommand>& commandTable();

int runImport(const std::vector<std::string>& args);
int runIndicators(const std::vector<std::string>& args);
int runConversion(const std::vector<std::string>& args);
int runSample(const std::vector<std::string>& args);
int runBars(const std::vector<std::string>& args);
int runValues(const std::vector<std::string>& args);
int runCheck(const std::vector<std::string>& args);
int runStats(const std::vector<std::string>& args);

}  // namespace candora::data
