#include "DataCheck.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <utility>

#include "PriceFiles.h"
#include "Progress.h"
#include "untConversionTable.h"
#include "untIDateTime.h"
#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untPairInfo.h"
#include "untRecordFile.h"
#include "untValueList.h"

namespace candora::data {

namespace fs = std::filesystem;

namespace {

// Longer than a weekend with a holiday on either side: worth pointing out.
constexpr int32_t kNotableGap = 4 * kMinutesPerDay;

struct TRange {
  int32_t firstTime, lastTime;
};

std::vector<fs::path> filesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, ec))
    if (entry.is_regular_file()) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  return files;
}

bool isLeftoverTemporary(const fs::path& file) { return file.filename().string().find(".tmp-") != std::string::npos; }

std::string days(int32_t minutes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f days", minutes / static_cast<double>(kMinutesPerDay));
  return text;
}

void describeCoverage(const std::string& name, const TPriceFile& file, TDataReport& report) {
  const int32_t m = file.header.timeStep.getMinute();
  std::size_t withData = 0, badCandles = 0, notableGaps = 0;
  int32_t firstBad = 0, previousBar = 0, longestGap = 0, longestGapFrom = 0;
  bool seenBar = false;
  for (const THistoricalRecord& r : file.series.slots) {
    const bool any = isValidValue(r.open) || isValidValue(r.high) || isValidValue(r.low) || isValidValue(r.close);
    if (!any) continue;
    const bool whole = isValidValue(r.open) && isValidValue(r.high) && isValidValue(r.low) && isValidValue(r.close);
    if (!whole || r.low > std::min(r.open, r.close) || r.high < std::max(r.open, r.close) || r.low <= 0) {
      if (badCandles++ == 0) firstBad = r.time;
    }
    ++withData;
    if (seenBar) {
      const int32_t gap = r.time - previousBar - m;
      if (gap > longestGap) {
        longestGap = gap;
        longestGapFrom = previousBar + m;
      }
      if (gap > kNotableGap) ++notableGaps;
    }
    previousBar = r.time;
    seenBar = true;
  }
  const std::size_t slots = file.series.slots.size();
  char share[16];
  std::snprintf(share, sizeof share, "%.1f%%", 100.0 * static_cast<double>(withData) / static_cast<double>(slots));
  std::string line = name + ": " + formatIsoMinutes(file.header.firstTime) + " .. " +
                     formatIsoMinutes(file.header.lastTime) + ", " + std::to_string(withData) + " bars in " +
                     std::to_string(slots) + " slots (" + share + ")";
  if (longestGap > 0) line += ", longest gap " + days(longestGap) + " from " + formatIsoMinutes(longestGapFrom);
  if (notableGaps > 0) line += ", " + std::to_string(notableGaps) + " gaps longer than " + days(kNotableGap);
  report.note(line);
  if (badCandles > 0)
    report.problem("bad candles", name + ": " + std::to_string(badCandles) +
                                      " bars are not candles (a missing price, or the high below the open or "
                                      "close, or the low above them), the first at " + formatIsoMinutes(firstBad));
}

void checkPriceFiles(const fs::path& folder, std::map<std::pair<int, int>, TRange>& ranges, TCheckSummary& summary,
                     TDataReport& report) {
  const std::vector<fs::path> files = filesIn(folder / "ohlc");
  TProgress progress("checking price files", static_cast<int64_t>(files.size()));
  for (const fs::path& path : files) {
    progress.step(summary.priceFiles);
    const std::string name = "ohlc/" + path.filename().string();
    if (isLeftoverTemporary(path)) {
      report.problem("leftover files", name + ": left over from an interrupted write; delete it");
      continue;
    }
    const auto parsed = parsePriceFileName(path.filename().string());
    if (!parsed) {
      report.problem("unknown files", name + ": not the name of a price file (PAIR_span.hst, e.g. USDJPY_1時間.hst)");
      continue;
    }
    ++summary.priceFiles;
    TPriceFile file;
    try {
      file = readWholePriceFile(path.string());
    } catch (const std::exception& e) {
      report.problem("unreadable files", e.what());
      continue;
    }
    if (!(file.header.pair == parsed->pair) || !(file.header.timeStep == parsed->step))
      report.problem("headers not matching the name",
                     name + ": the header says " + file.header.pair.getToString() + " " +
                         file.header.timeStep.getToCandleString() + ", the name " + parsed->pair.getToString() + " " +
                         parsed->step.getToCandleString());
    const uintmax_t expected =
        static_cast<uintmax_t>(kPriceRecordSize) * (kPriceHeaderRecords + file.series.slots.size());
    if (fs::file_size(path) != expected)
      report.problem("sizes not matching the header", name + ": " + std::to_string(fs::file_size(path)) +
                                                          " bytes where the header promises " + std::to_string(expected));
    describeCoverage(name, file, report);
    ranges[{parsed->pair.getOrdinal(), parsed->step.getOrdinal()}] = {file.header.firstTime, file.header.lastTime};
  }
}

void checkValueFile(const fs::path& path, const TValueFileName& parsed,
                    const std::map<std::pair<int, int>, TRange>& ranges, TDataReport& report) {
  const std::string name = "valueList/" + path.filename().string();
  TValueListHeader h;
  try {
    h = readValueListHeader(path.string());
  } catch (const std::exception& e) {
    report.problem("unreadable files", e.what());
    return;
  }
  const bool takesPeriod = parsed.valueType.getPeriodGroup() != 0;
  if (!(h.pair == parsed.pair) || !(h.timeStep == parsed.step) || !(h.valueType == parsed.valueType) ||
      (takesPeriod && !(h.period == parsed.period)))
    report.problem("headers not matching the name",
                   name + ": the header says pair " + h.pair.getOrdinalString() + ", step " +
                       h.timeStep.getOrdinalString() + ", value type " + h.valueType.getOrdinalString() +
                       ", period " + h.period.getOrdinalString());
  const int32_t m = h.timeStep.getMinute();
  if (h.lastTime < h.firstTime || (h.lastTime - h.firstTime) % m != 0) {
    report.problem("headers not matching the name", name + ": first and last time do not lie on one grid");
    return;
  }
  const auto slots = static_cast<uintmax_t>((h.lastTime - h.firstTime) / m) + 1;
  const uintmax_t expected = static_cast<uintmax_t>(kValueSize) * (kValueHeaderFloats + slots);
  const uintmax_t size = fs::file_size(path);
  if (size != expected) {
    report.problem("sizes not matching the header", name + ": " + std::to_string(size) +
                                                        " bytes where the header promises " + std::to_string(expected));
    return;
  }
  const auto range = ranges.find({parsed.pair.getOrdinal(), parsed.step.getOrdinal()});
  if (range == ranges.end())
    report.problem("indicator files without prices", name + ": there is no price file of " +
                                                         parsed.pair.getToString() + " " +
                                                         parsed.step.getToCandleString());
  else if (range->second.firstTime != h.firstTime || range->second.lastTime != h.lastTime)
    report.problem("indicator files out of step", name + ": covers " + formatIsoMinutes(h.firstTime) + " .. " +
                                                      formatIsoMinutes(h.lastTime) + ", its price file " +
                                                      formatIsoMinutes(range->second.firstTime) + " .. " +
                                                      formatIsoMinutes(range->second.lastTime));
  std::ifstream in(path, std::ios::binary);
  in.seekg(kValueSize * kValueHeaderFloats);
  std::vector<unsigned char> raw(static_cast<std::size_t>(slots) * kValueSize);
  in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
  std::size_t damaged = 0;
  for (std::size_t k = 0; k < slots; ++k)
    if (!std::isfinite(std::bit_cast<float>(static_cast<uint32_t>(readInt32LE(raw.data() + k * kValueSize))))) ++damaged;
  if (damaged > 0)
    report.problem("damaged values", name + ": " + std::to_string(damaged) + " values are not numbers");
}

void checkValueFiles(const fs::path& folder, const std::map<std::pair<int, int>, TRange>& ranges,
                     TCheckSummary& summary, TDataReport& report) {
  const std::vector<fs::path> files = filesIn(folder / "valueList");
  std::set<std::string> present;
  TProgress progress("checking indicator files", static_cast<int64_t>(files.size()));
  for (const fs::path& path : files) {
    progress.step(summary.valueFiles);
    const std::string name = "valueList/" + path.filename().string();
    if (isLeftoverTemporary(path)) {
      report.problem("leftover files", name + ": left over from an interrupted write; delete it");
      continue;
    }
    const auto parsed = parseValueFileName(path.filename().string());
    if (!parsed) {
      report.problem("unknown files", name + ": not the name of an indicator file (e.g. 3_5_4_2.vll)");
      continue;
    }
    ++summary.valueFiles;
    present.insert(path.filename().string());
    checkValueFile(path, *parsed, ranges, report);
  }
  // Every price file needs all its indicator files, or the chart fails when one is chosen.
  for (const auto& [key, range] : ranges) {
    const TPair pair(static_cast<uint8_t>(key.first));
    const TTimeStep step(static_cast<uint8_t>(key.second));
    std::size_t missing = 0;
    std::string example;
    for (const TIndicatorKind& kind : indicatorKinds()) {
      const std::string file = fs::path(getValueListFileName(pair, step, kind.valueType, kind.period)).filename().string();
      if (present.contains(file)) continue;
      if (missing++ == 0) example = file;
    }
    if (missing > 0)
      report.problem("missing indicator files", pair.getToString() + " " + step.getToCandleString() + ": " +
                                                    std::to_string(missing) + " of " +
                                                    std::to_string(indicatorKinds().size()) +
                                                    " indicator files are missing, e.g. valueList/" + example +
                                                    " (candora-data indicators makes them)");
  }
}

void checkEtc(const fs::path& folder, TDataReport& report) {
  const fs::path pairInfo = folder / "etc" / "pairinfo.txt";
  if (!fs::exists(pairInfo)) {
    report.problem("missing files", "etc/pairinfo.txt: missing");
  } else {
    try {
      const TPairList list(pairInfo.string());
      if (list.getCount() < TPair::kCount)
        report.problem("pair information", "etc/pairinfo.txt: " + std::to_string(list.getCount()) +
                                               " pairs where " + std::to_string(TPair::kCount) + " are needed");
    } catch (const std::exception& e) {
      report.problem("pair information", e.what());
    }
  }

  const fs::path conversion = folder / "etc" / "conversionrate.txt";
  if (!fs::exists(conversion)) {
    report.problem("missing files", "etc/conversionrate.txt: missing (candora-data conversion makes it)");
    return;
  }
  try {
    const TConversionTable table(conversion.string());
    if (table.getCount() == 0) {
      report.problem("conversion table", "etc/conversionrate.txt: holds no rows");
      return;
    }
    const int32_t first = table.getRecord(0).time;
    for (int k = 0; k < table.getCount(); ++k) {
      if (table.getRecord(k).time == first + k * kMinutesPerDay) continue;
      report.problem("conversion table", "etc/conversionrate.txt line " + std::to_string(k + 1) + ": " +
                                             formatIsoMinutes(table.getRecord(k).time) + " where the next day, " +
                                             formatIsoMinutes(first + k * kMinutesPerDay) +
                                             ", was due; lookups find their day by counting rows");
      break;
    }
    report.note("etc/conversionrate.txt: " + std::to_string(table.getCount()) + " days from " +
                formatIsoMinutes(first).substr(0, 10));
  } catch (const std::exception& e) {
    report.problem("conversion table", e.what());
  }
}

}  // namespace

TCheckSummary checkDataFolder(const std::string& folder, TDataReport& report) {
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) throw EInOutError("\"" + folder + "\" is not a folder");
  setApplicationPath(folder);
  TCheckSummary summary;
  std::map<std::pair<int, int>, TRange> ranges;
  checkPriceFiles(folder, ranges, summary, report);
  if (summary.priceFiles == 0) report.problem("missing files", "ohlc/: holds no price files");
  checkValueFiles(folder, ranges, summary, report);
  checkEtc(folder, report);
  return summary;
}

}  // namespace candora::data
