#include <filesystem>
#include <iostream>

#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "ConversionBuilder.h"
#include "DataReport.h"
#include "untIDateTime.h"
#include "untNivraUtil.h"

namespace candora::data {

namespace {

constexpr const char* kUsage =
    "usage: candora-data conversion --data DIR\n"
    "\n"
    "Builds DIR/etc/conversionrate.txt, the daily yen rates that turn profits of pairs not quoted in\n"
    "yen into yen, from the daily bars (or, where there are none, the hourly bars) of USDJPY, EURJPY,\n"
    "GBPJPY, CHFJPY, AUDJPY and NZDJPY in DIR/ohlc: one row per day from the first to the last day,\n"
    "-999999 where a pair has no rate that day.\n";

int conversion(const std::vector<std::string>& args) {
  const TArguments a(args, {"data"}, {});
  if (!a.positional().empty()) throw EUsageError("unexpected argument '" + a.positional().front() + "'");
  const std::string folder = a.required("data");
  if (!std::filesystem::is_directory(folder)) throw EInOutError("\"" + folder + "\" is not a folder");
  setApplicationPath(folder);
  TDataReport report(std::cerr);
  const TConversionSummary s = buildConversionTable(report);
  if (s.rows == 0)
    throw EInOutError("no price file of a yen pair (USDJPY, EURJPY, GBPJPY, CHFJPY, AUDJPY, NZDJPY) in \"" +
                      getOhlcPath() + "\"; import one first");
  const int status = finishReport(report);
  std::cerr << "wrote " << getConversionRateFileName() << ": " << s.rows << " days from "
            << formatIsoMinutes(s.firstDay).substr(0, 10) << " to " << formatIsoMinutes(s.lastDay).substr(0, 10)
            << ", from";
  for (const std::string& source : s.sources) std::cerr << ' ' << std::filesystem::path(source).filename().string();
  std::cerr << '\n';
  return status;
}

}  // namespace

int runConversion(const std::vector<std::string>& args) {
  return runCommand("conversion", kUsage, args, [&] { return conversion(args); });
}

}  // namespace candora::data
