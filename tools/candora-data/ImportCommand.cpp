#include <iostream>

#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "DataReport.h"
#include "Importer.h"

namespace candora::data {

namespace {

constexpr const char* kUsage =
    "usage: candora-data import --pair PAIR --input FILE.csv --out DIR [--steps LIST|all] [--pairinfo FILE]\n"
    "\n"
    "Reads one pair's bars from a CSV file and writes DIR/ohlc/PAIR_span.hst for each time step,\n"
    "then the indicator files of those steps into DIR/valueList.\n"
    "\n"
    "  --pair PAIR       the pair the bars belong to, e.g. USDJPY\n"
    "  --input FILE.csv  one bar per line, times in UTC, for example\n"
    "                      2008.03.05,10:00,106.123,106.200,106.050,106.180,1234\n"
    "                      20080305 100000;106.123;106.200;106.050;106.180;1234\n"
    "                      2008-03-05 10:00:00,106.123,106.200,106.050,106.180\n"
    "                    with or without a header line; the volume is optional and ignored\n"
    "  --out DIR         the data folder (made if needed)\n"
    "  --steps LIST      time steps by number (0-13) or name (1時間, 1時間足, 1日), comma-separated;\n"
    "                    default all the steps the input's bars can fill\n"
    "  --pairinfo FILE   pair information to copy into DIR/etc when it has none (default: the one\n"
    "                    beside candora-data); it sets the rate units of the prices\n"
    "\n"
    "Malformed lines are reported with their line number and skipped; times out of order are reported\n"
    "and sorted; a repeated time keeps its first line. Any of these ends the import with status 1.\n"
    "Run `candora-data conversion --data DIR` after importing yen pairs.\n";

int import(const std::vector<std::string>& args) {
  const TArguments a(args, {"pair", "input", "out", "steps", "pairinfo"}, {});
  if (!a.positional().empty()) throw EUsageError("unexpected argument '" + a.positional().front() + "'");
  TImportOptions options;
  options.pair = parsePairName(a.required("pair"));
  options.inputFile = a.required("input");
  options.outDir = a.required("out");
  options.pairInfoFile = a.value("pairinfo").value_or("");
  const std::string steps = a.value("steps").value_or("all");
  if (steps != "all") options.steps = parseStepList(steps);

  TDataReport report(std::cerr);
  const TImportSummary s = importBars(options, report);
  const int status = finishReport(report);
  std::cerr << options.pair.getToString() << ": " << s.bars << " bars read from " << options.inputFile;
  if (s.malformed > 0) std::cerr << "; skipped " << s.malformed << " malformed lines of " << s.dataLines;
  if (s.outOfOrder > 0) std::cerr << "; " << s.outOfOrder << " lines out of time order";
  if (s.duplicates > 0) std::cerr << "; " << s.duplicates << " repeated times skipped";
  std::cerr << "\nwrote " << s.written.size() << " price files (";
  for (std::size_t i = 0; i < s.written.size(); ++i) std::cerr << (i ? ", " : "") << s.written[i].getToCandleString();
  std::cerr << ") and " << s.indicatorFiles << " indicator files into " << options.outDir << '\n';
  return status;
}

}  // namespace

int runImport(const std::vector<std::string>& args) {
  return runCommand("import", kUsage, args, [&] { return import(args); });
}

}  // namespace candora::data
