#include <algorithm>
#include <filesystem>
#include <iostream>
#include <optional>

#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "DataReport.h"
#include "PriceFiles.h"
#include "Progress.h"
#include "untNivraUtil.h"

namespace candora::data {

namespace {

constexpr const char* kUsage =
    "usage: candora-data indicators --data DIR [--pair PAIR] [--step N]\n"
    "\n"
    "(Re)computes the indicator files of the price files in DIR/ohlc: the close; standard deviation\n"
    "and close minus moving average of closes over 5 to 160 bars; close minus the highest high and\n"
    "minus the lowest low over 5 to 160 bars and 1 to 720 days. See README for the definitions.\n"
    "\n"
    "  --data DIR   the data folder\n"
    "  --pair PAIR  only this pair\n"
    "  --step N     only this time step, by number (0-13) or name (1時間, 1時間足, 1日)\n";

int indicators(const std::vector<std::string>& args) {
  const TArguments a(args, {"data", "pair", "step"}, {});
  if (!a.positional().empty()) throw EUsageError("unexpected argument '" + a.positional().front() + "'");
  const std::string folder = a.required("data");
  std::optional<TPair> onlyPair;
  std::optional<TTimeStep> onlyStep;
  if (a.value("pair")) onlyPair = parsePairName(*a.value("pair"));
  if (a.value("step")) onlyStep = parseStepName(*a.value("step"));
  if (!std::filesystem::is_directory(folder)) throw EInOutError("\"" + folder + "\" is not a folder");
  setApplicationPath(folder);

  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(getOhlcPath(), ec)) {
    const auto name = parsePriceFileName(entry.path().filename().string());
    if (!name || (onlyPair && !(name->pair == *onlyPair)) || (onlyStep && !(name->step == *onlyStep))) continue;
    files.push_back(entry.path());
  }
  if (files.empty())
    throw EInOutError("no price files" + std::string(onlyPair || onlyStep ? " of that pair and step" : "") +
                      " in \"" + getOhlcPath() + "\"");
  std::sort(files.begin(), files.end());

  TDataReport report(std::cerr);
  int written = 0;
  for (const auto& path : files) {
    TPriceFile file;
    try {
      file = readWholePriceFile(path.string());
    } catch (const std::exception& e) {
      report.problem("unreadable price files", std::string(e.what()) + "; skipped");
      continue;
    }
    const auto name = parsePriceFileName(path.filename().string());
    if (!(file.header.pair == name->pair) || !(file.header.timeStep == name->step)) {
      report.problem("headers not matching the name", "\"" + path.string() + "\": the header says " +
                                                          file.header.pair.getToString() + " " +
                                                          file.header.timeStep.getToCandleString() + "; skipped");
      continue;
    }
    TProgress progress("  " + path.filename().string(), static_cast<int64_t>(indicatorKinds().size()));
    written += writeIndicatorFiles(file, [&progress](int n) { progress.step(n); });
  }
  const int status = finishReport(report);
  std::cerr << "wrote " << written << " indicator files for " << files.size() << " price files\n";
  return status;
}

}  // namespace

int runIndicators(const std::vector<std::string>& args) {
  return runCommand("indicators", kUsage, args, [&] { return indicators(args); });
}

}  // namespace candora::data
