#include <chrono>
#include <cstdio>
#include <iostream>

#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "DataReport.h"
#include "SampleBuilder.h"
#include "TextFields.h"

namespace candora::data {

namespace {

constexpr const char* kUsage =
    "usage: candora-data sample --rates FILE --out DIR [--pairs LIST|all] [--steps LIST|all]\n"
    "                           [--from YYYY-MM-DD] [--to YYYY-MM-DD] [--seed N] [--pairinfo FILE]\n"
    "\n"
    "Builds a whole data folder from real daily reference rates (the H.10 noon rates in New York, as\n"
    "in shared/data/fred-h10-daily.csv). The movement within each day is synthesized: a minute path\n"
    "through every published rate at the noon fixing, shaped by the day's activity profile and sized\n"
    "by the recent day-to-day variance. Price files, indicator files, etc/conversionrate.txt and\n"
    "etc/pairinfo.txt follow.\n"
    "\n"
    "  --rates FILE     the daily rates (CSV with the columns date,DEXJPUS,DEXUSEU,...)\n"
    "  --out DIR        the data folder (made if needed)\n"
    "  --pairs LIST     pairs, comma-separated, or all (default USDJPY)\n"
    "  --steps LIST     time steps by number (0-13) or name, or all (default 1時間足 and longer)\n"
    "  --from DATE      first day (default 2005-01-01)\n"
    "  --to DATE        last day (default 2011-12-31)\n"
    "  --seed N         the same seed always gives the same files (default 20070101)\n"
    "  --pairinfo FILE  pair information to copy into DIR/etc when it has none (default: the one\n"
    "                   beside candora-data)\n";

int32_t dayArgument(const TArguments& a, const std::string& name, int32_t fallback) {
  const auto text = a.value(name);
  if (!text) return fallback;
  int32_t minutes = 0;
  if (text->size() != 10 || !parseDateTimeArgument(*text, minutes))
    throw EUsageError("--" + name + " '" + *text + "' is not a date YYYY-MM-DD between " +
                      std::to_string(kFirstSupportedYear) + " and " + std::to_string(kLastSupportedYear));
  return minutes;
}

int sample(const std::vector<std::string>& args) {
  const TArguments a(args, {"rates", "out", "pairs", "steps", "from", "to", "seed", "pairinfo"}, {});
  if (!a.positional().empty()) throw EUsageError("unexpected argument '" + a.positional().front() + "'");
  TSampleOptions options = defaultSampleOptions();
  options.ratesFile = a.required("rates");
  options.outDir = a.required("out");
  options.pairInfoFile = a.value("pairinfo").value_or("");
  if (a.value("pairs")) options.pairs = parsePairList(*a.value("pairs"));
  if (a.value("steps")) options.steps = parseStepList(*a.value("steps"));
  options.fromDay = dayArgument(a, "from", options.fromDay);
  options.toDay = dayArgument(a, "to", options.toDay);
  if (options.toDay < options.fromDay) throw EUsageError("--to lies before --from");
  if (a.value("seed")) {
    int64_t seed = 0;
    if (!parseWholeNumber(*a.value("seed"), seed) || seed < 0)
      throw EUsageError("--seed '" + *a.value("seed") + "' is not a whole number of 0 or more");
    options.seed = static_cast<uint64_t>(seed);
  }

  const auto started = std::chrono::steady_clock::now();
  TDataReport report(std::cerr);
  const TSampleSummary s = buildSample(options, report);
  const int status = finishReport(report);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  char took[32];
  std::snprintf(took, sizeof took, "%.1f s", seconds);
  std::cerr << "sample in " << options.outDir << ": " << s.priceFiles << " price files, " << s.indicatorFiles
            << " indicator files, " << s.conversionRows << " days of conversion rates (" << took << ")\n";
  return status;
}

}  // namespace

int runSample(const std::vector<std::string>& args) {
  return runCommand("sample", kUsage, args, [&] { return sample(args); });
}

}  // namespace candora::data
