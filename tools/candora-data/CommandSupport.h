#pragma once
// What every subcommand does the same way: answer --help, turn a bad command line into its usage
// and status 2, and turn an input or output failure into one clear message and status 2.

#include <functional>
#include <string>
#include <vector>

namespace candora::data {

// Runs `body` unless the arguments ask for help (then prints `usage` to standard output and
// returns 0). Usage errors print the problem and the usage to standard error; any other failure
// prints its message; both return status 2.
int runCommand(const char* name, const char* usage, const std::vector<std::string>& args,
               const std::function<int()>& body);

// 1 when the report holds problems, else 0; prints how many problems were hidden by the limit.
class TDataReport;
int finishReport(TDataReport& report);

}  // namespace candora::data
