#include <filesystem>
#include <fstream>
#include <iostream>

#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "untConversionTable.h"
#include "untNivraUtil.h"
#include "untPairInfo.h"
#include "untScoreJson.h"
#include "untTotalResult.h"

namespace candora::data {

namespace {

constexpr const char* kUsage =
    "usage: candora-data stats FILE [--data DIR]\n"
    "\n"
    "Prints the statistics of a score history (the program's user/score.txt) as JSON: every\n"
    "statistic over the complete tests under its own name (testCount, grossTotal, netTotal,\n"
    "grossProfitFactor, evaluation, ...), the tables pairRows (16 pairs of 6 time scales and a\n"
    "total) and allPairsRow, barsAfterEvaluation, and a \"tests\" array with each test's stored\n"
    "fields, its own statistics and its 20 sessions with their gross and net profit in yen per\n"
    "unit of base currency (the program shows them times 1000). The file is only read.\n"
    "\n"
    "  --data DIR  the data folder whose etc/ holds pairinfo.txt and conversionrate.txt\n"
    "              (default: the folder this program is in)\n"
    "\n"
    "Lines of FILE that cannot be read are named on standard error and left out; the JSON of the\n"
    "other tests is still printed and the exit status is 2.\n";

// The pair list and message handler are program-wide; put them back however the command ends.
class TProgramWideScope {
public:
  explicit TProgramWideScope(MessageHandler handler) : previous_(setMessageHandler(std::move(handler))) {}
  ~TProgramWideScope() {
    setPairList(nullptr);
    setMessageHandler(std::move(previous_));
  }
  TProgramWideScope(const TProgramWideScope&) = delete;
  TProgramWideScope& operator=(const TProgramWideScope&) = delete;

private:
  MessageHandler previous_;
};

void requireReadableFile(const std::string& fileName, const std::string& what) {
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec))
    throw EInOutError(what + " \"" + fileName + "\" does not exist");
  if (!std::filesystem::is_regular_file(fileName, ec)) throw EInOutError(what + " \"" + fileName + "\" is not a file");
  if (!std::ifstream(fileName)) throw EInOutError("Cannot read " + what + " \"" + fileName + "\"");
}

bool holdsPairsNotInYen(const TNivraResult& history) {
  for (const auto& test : history.getResults())
    for (const TSessionRecord& s : test->sessions)
      if (s.getGrossPoints() != 0 && s.pair.getQuoteCurrency() != "JPY") return true;
  return false;
}

int stats(const std::vector<std::string>& args) {
  const TArguments a(args, {"data"}, {});
  if (a.positional().size() != 1) throw EUsageError("give exactly one score history file");
  const std::string fileName = a.positional().front();
  if (const auto data = a.value("data")) {
    if (!std::filesystem::is_directory(*data)) throw EInOutError("The data folder \"" + *data + "\" does not exist");
    setApplicationPath(*data);
  }
  requireReadableFile(fileName, "The score history");
  requireReadableFile(getPairInfoFileName(), "The pair information");

  int problems = 0;
  TProgramWideScope scope([&problems](const std::string& text) {
    ++problems;
    std::cerr << "candora-data stats: " << text << '\n';
  });
  const TPairList pairs(getPairInfoFileName());
  if (pairs.getCount() < TPair::kCount)
    throw EConvertError("\"" + getPairInfoFileName() + "\" holds " + std::to_string(pairs.getCount()) +
                        " pairs, not " + std::to_string(TPair::kCount));
  setPairList(&pairs);
  const TConversionTable table(getConversionRateFileName());

  const TNivraResult history(table, fileName, TSaveAtClose::No);
  // Without daily yen rates a profit in another currency would silently come out as 0 yen.
  if (table.getCount() == 0 && holdsPairsNotInYen(history))
    throw EInOutError("\"" + getConversionRateFileName() +
                      "\" is missing or empty, and the history holds pairs not quoted in yen");
  std::cout << scoreHistoryToJson(history) << std::flush;
  return problems == 0 ? kExitSuccess : kExitUsage;
}

}  // namespace

int runStats(const std::vector<std::string>& args) {
  return runCommand("stats", kUsage, args, [&] { return stats(args); });
}

}  // namespace candora::data
