#include <bit>
#include <charconv>
#include <cmath>
#include <fstream>

#include "CommandLine.h"
#include "CommandSupport.h"
#include "Commands.h"
#include "Listing.h"
#include "untIDateTime.h"
#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untRecordFile.h"
#include "untValueList.h"

namespace candora::data {

namespace {

constexpr const char* kUsage =
    "usage: candora-data values FILE.vll [--from YYYY-MM-DDTHH:MM] [--count N] [--all]\n"
    "\n"
    "Prints the values of an indicator file as CSV: time,value with the time as YYYY-MM-DD HH:MM (UTC)\n"
    "and the value in rate units.\n"
    "\n"
    "  --from TIME  start at the first value at or after TIME\n"
    "  --count N    print at most N rows\n"
    "  --all        print missing values (empty slots, windows not yet full) too, as empty fields\n";

std::vector<float> readAllValues(const std::string& fileName, const TValueListHeader& h) {
  const auto slots = static_cast<std::size_t>((h.lastTime - h.firstTime) / h.timeStep.getMinute()) + 1;
  std::ifstream in(fileName, std::ios::binary);
  in.seekg(kValueSize * kValueHeaderFloats);
  std::vector<unsigned char> raw(slots * kValueSize);
  in.read(reinterpret_cast<char*>(raw.data()), static_cast<std::streamsize>(raw.size()));
  if (static_cast<std::size_t>(in.gcount()) != raw.size())
    throw EInOutError("Read beyond end of file \"" + fileName + "\": the file is shorter than its header promises");
  std::vector<float> values(slots);
  for (std::size_t k = 0; k < slots; ++k)
    values[k] = std::bit_cast<float>(static_cast<uint32_t>(readInt32LE(raw.data() + k * kValueSize)));
  return values;
}

std::string shortest(float value) {
  char text[32];
  const auto [end, ec] = std::to_chars(text, text + sizeof text, value);
  return std::string(text, end);
}

int values(const std::vector<std::string>& args) {
  const TArguments a(args, {"from", "count"}, {"all"});
  if (a.positional().size() != 1) throw EUsageError("give exactly one indicator file");
  const TListing listing = TListing::fromArguments(a);
  const std::string fileName = a.positional().front();
  const TValueListHeader h = readValueListHeader(fileName);
  if (h.lastTime < h.firstTime || (h.lastTime - h.firstTime) % h.timeStep.getMinute() != 0)
    throw EConvertError("\"" + fileName + "\": the header's first and last time do not lie on one grid");
  const std::vector<float> values = readAllValues(fileName, h);

  TRowWriter out;
  out.add("time,value");
  int64_t printed = 0;
  const int32_t minutes = h.timeStep.getMinute();
  for (std::size_t k = 0; k < values.size() && printed < listing.count; ++k) {
    const int32_t t = h.firstTime + static_cast<int32_t>(k) * minutes;
    if (t < listing.from) continue;
    const bool valid = std::isfinite(values[k]) && isValidValue(values[k]);
    if (!valid && !listing.all) continue;
    out.add(formatIsoMinutes(t) + "," + (valid ? shortest(values[k]) : std::string()));
    ++printed;
  }
  return kExitSuccess;
}

}  // namespace

int runValues(const std::vector<std::string>& args) {
  return runCommand("values", kUsage, args, [&] { return values(args); });
}

}  // namespace candora::data
