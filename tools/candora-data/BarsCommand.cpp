#include <filesystem>
#include <iostream>
#include <memory>

#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "DataFolder.h"
#include "Listing.h"
#include "PriceFiles.h"
#include "untIDateTime.h"
#include "untMyMath.h"
#include "untPairInfo.h"

namespace candora::data {

namespace {

constexpr const char* kUsage =
    "usage: candora-data bars FILE.hst [--from YYYY-MM-DDTHH:MM] [--count N] [--all] [--raw]\n"
    "\n"
    "Prints the bars of a price file as CSV: time,open,high,low,close with the time as\n"
    "YYYY-MM-DD HH:MM (UTC) and prices as the pair information writes them.\n"
    "\n"
    "  --from TIME  start at the first bar at or after TIME\n"
    "  --count N    print at most N rows\n"
    "  --all        print empty slots (weekends, gaps) too, with empty fields\n"
    "  --raw        print prices as integer rate units\n";

// The pair information of the file's own data folder, else the one beside the tool.
std::unique_ptr<TPairList> pairInfoFor(const std::filesystem::path& file) {
  const std::filesystem::path candidates[] = {file.parent_path().parent_path() / "etc" / "pairinfo.txt",
                                              std::filesystem::path(toolFolder()) / "etc" / "pairinfo.txt"};
  for (const auto& candidate : candidates) {
    if (!std::filesystem::exists(candidate)) continue;
    auto list = std::make_unique<TPairList>(candidate.string());
    if (list->getCount() >= TPair::kCount) return list;
  }
  return nullptr;
}

int bars(const std::vector<std::string>& args) {
  const TArguments a(args, {"from", "count"}, {"all", "raw"});
  if (a.positional().size() != 1) throw EUsageError("give exactly one price file");
  const TListing listing = TListing::fromArguments(a);
  const std::string fileName = a.positional().front();
  const TPriceFile file = readWholePriceFile(fileName);

  std::unique_ptr<TPairList> pairInfo;
  if (!a.has("raw")) {
    pairInfo = pairInfoFor(fileName);
    if (pairInfo)
      setPairList(pairInfo.get());
    else
      std::cerr << "candora-data bars: no pair information found beside the data; printing rate units\n";
  }
  const TPair pair = file.header.pair;
  const bool asPrice = pairInfo && pair.getOrdinal() < TPair::kCount;
  const auto price = [&](int32_t rate) { return asPrice ? pair.rateToString(rate) : std::to_string(rate); };

  TRowWriter out;
  out.add("time,open,high,low,close");
  int64_t printed = 0;
  for (const THistoricalRecord& r : file.series.slots) {
    if (printed >= listing.count) break;
    if (r.time < listing.from) continue;
    const bool whole = isValidValue(r.open) && isValidValue(r.high) && isValidValue(r.low) && isValidValue(r.close);
    if (!whole && !listing.all) continue;
    const auto field = [&](int32_t v) { return isValidValue(v) ? price(v) : std::string(); };
    out.add(formatIsoMinutes(r.time) + "," + field(r.open) + "," + field(r.high) + "," + field(r.low) + "," +
            field(r.close));
    ++printed;
  }
  setPairList(nullptr);
  return kExitSuccess;
}

}  // namespace

int runBars(const std::vector<std::string>& args) {
  return runCommand("bars", kUsage, args, [&] { return bars(args); });
}

}  // namespace candora::data
