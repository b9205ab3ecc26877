// candora-data: builds and inspects the data files the program reads.

#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "DataFolder.h"

namespace candora::data {

const std::vector<TCommand>& commandTable() {
  static const std::vector<TCommand> table = {
      {"import", "read bars from a CSV file into price and indicator files", runImport},
      {"indicators", "(re)compute the indicator files of a data folder", runIndicators},
      {"conversion", "build etc/conversionrate.txt from the yen pairs' bars", runConversion},
      {"sample", "build a whole data folder from real daily rates", runSample},
      {"bars", "print the bars of a price file as CSV", runBars},
      {"values", "print the values of an indicator file as CSV", runValues},
      {"check", "validate a data folder", runCheck},
      {"stats", "statistics of a score history", runStats},
  };
  return table;
}

}  // namespace candora::data

namespace {

void printOverview(std::ostream& out) {
  out << "usage: candora-data COMMAND [ARGS]\n\ncommands:\n";
  for (const auto& command : candora::data::commandTable()) {
    std::string name = command.name;
    name.resize(12, ' ');
    out << "  " << name << command.summary << '\n';
  }
  out << "\n`candora-data help COMMAND` or `candora-data COMMAND --help` describes one command.\n"
         "Exit status: 0 success, 1 data problems found, 2 usage or input errors.\n";
}

}  // namespace

int main(int argc, char** argv) {
  using namespace candora::data;
  rememberToolFolder();
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    printOverview(std::cerr);
    return kExitUsage;
  }
  std::string name = args.front();
  args.erase(args.begin());
  if (name == "help" || name == "--help" || name == "-h") {
    if (args.empty()) {
      printOverview(std::cout);
      return kExitSuccess;
    }
    name = args.front();
    args = {"--help"};
  }
  for (const TCommand& command : commandTable())
    if (name == command.name) return command.run(args);
  std::cerr << "candora-data: unknown command '" << name << "'\n\n";
  printOverview(std::cerr);
  return kExitUsage;
}
