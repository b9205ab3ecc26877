#include "PriceFiles.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "TextFields.h"
#include "untHistoricalDataWriter.h"
#include "untNivraUtil.h"
#include "untPriceMask.h"
#include "untRecordFile.h"
#include "untValueList.h"
#include "untValueListWriter.h"

namespace candora::data {

namespace {

void createFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw EInOutError("Cannot create the folder \"" + folder + "\": " + ec.message());
}

bool parseOrdinal(const std::string& text, int count, uint8_t& ordinal) {
  int64_t value = 0;
  if (text.empty() || text[0] == '+' || text[0] == '-' || !parseWholeNumber(text, value) || value >= count ||
      std::to_string(value) != text)
    return false;
  ordinal = static_cast<uint8_t>(value);
  return true;
}

}  // namespace

TPriceFile readWholePriceFile(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EInOutError("Cannot open \"" + fileName + "\": " + std::strerror(errno));
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw EInOutError("Cannot read \"" + fileName + "\": " + std::strerror(errno));
  constexpr std::size_t kHeaderBytes = static_cast<std::size_t>(kPriceRecordSize) * kPriceHeaderRecords;
  if (bytes.size() < kHeaderBytes)
    throw EInOutError("\"" + fileName + "\" is shorter than the header of a price file");
  const auto* raw = reinterpret_cast<const unsigned char*>(bytes.data());

  TPriceFile file;
  TPriceFileHeader& h = file.header;
  h.pair.setOrdinal(static_cast<uint8_t>(readInt32LE(raw) & 0xff));
  h.timeStep.setOrdinal(static_cast<uint8_t>(readInt32LE(raw + 16) & 0xff));
  h.firstTime = readInt32LE(raw + 32);
  h.lastTime = readInt32LE(raw + 48);
  h.code = readInt32LE(raw + 64);
  if (h.timeStep.getOrdinal() >= TTimeStep::kCount)
    throw EConvertError("\"" + fileName + "\": the header names time step " +
                        std::to_string(h.timeStep.getOrdinal()) + ", which does not exist");
  const int32_t minutes = h.timeStep.getMinute();
  if (h.lastTime < h.firstTime || (static_cast<int64_t>(h.lastTime) - h.firstTime) % minutes != 0)
    throw EConvertError("\"" + fileName + "\": the header's first and last time do not lie on one grid");
  const auto slots = static_cast<std::size_t>((static_cast<int64_t>(h.lastTime) - h.firstTime) / minutes) + 1;
  if (bytes.size() < kHeaderBytes + slots * kPriceRecordSize)
    throw EInOutError("Read beyond end of file \"" + fileName + "\": the file is shorter than its header promises");

  file.series.step = h.timeStep;
  file.series.firstTime = h.firstTime;
  file.series.slots.resize(slots);
  for (std::size_t s = 0; s < slots; ++s) {
    const unsigned char* rec = raw + kHeaderBytes + s * kPriceRecordSize;
    const int32_t t = h.firstTime + static_cast<int32_t>(s) * minutes;
    THistoricalRecord& r = file.series.slots[s];
    r.time = t;
    r.open = unmaskPrice(readInt32LE(rec), TPriceField::Open, t);
    r.high = unmaskPrice(readInt32LE(rec + 4), TPriceField::High, t);
    r.low = unmaskPrice(readInt32LE(rec + 8), TPriceField::Low, t);
    r.close = unmaskPrice(readInt32LE(rec + 12), TPriceField::Close, t);
  }
  return file;
}

std::optional<TPriceFileName> parsePriceFileName(const std::string& name) {
  const std::string suffix = ".hst";
  if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return std::nullopt;
  const std::size_t underscore = name.find('_');
  if (underscore == std::string::npos) return std::nullopt;
  const std::string pairText = name.substr(0, underscore);
  const std::string spanText = name.substr(underscore + 1, name.size() - suffix.size() - underscore - 1);
  for (uint8_t p = 0; p < TPair::kCount; ++p) {
    if (TPair(p).getToString() != pairText) continue;
    for (uint8_t s = 0; s < TTimeStep::kCount; ++s)
      if (TTimeStep(s).getToString() == spanText) return TPriceFileName{TPair(p), TTimeStep(s)};
  }
  return std::nullopt;
}

std::optional<TValueFileName> parseValueFileName(const std::string& name) {
  const std::string suffix = ".vll";
  if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return std::nullopt;
  const std::vector<std::string> parts = splitFields(name.substr(0, name.size() - suffix.size()), '_');
  if (parts.size() != 3 && parts.size() != 4) return std::nullopt;
  uint8_t pair = 0, step = 0, type = 0, period = 0;
  if (!parseOrdinal(parts[0], TPair::kCount, pair) || !parseOrdinal(parts[1], TTimeStep::kCount, step) ||
      !parseOrdinal(parts[2], TCalcValueType::kCount, type))
    return std::nullopt;
  const bool takesPeriod = TCalcValueType(type).getPeriodGroup() != 0;
  if (takesPeriod != (parts.size() == 4)) return std::nullopt;
  if (takesPeriod) {
    const int periods = TCalcValueType(type).getPeriodGroup() == 1 ? 6 : TCalcPeriod::kCount;
    if (!parseOrdinal(parts[3], periods, period)) return std::nullopt;
  }
  return TValueFileName{TPair(pair), TTimeStep(step), TCalcValueType(type), TCalcPeriod(period)};
}

int writeIndicatorFiles(const TPriceFile& file, const TFileCallback& onFile) {
  createFolder(getValueListPath());
  int written = 0;
  computeIndicators(file.series, [&](const TIndicatorKind& kind, const std::vector<float>& values) {
    TValueListHeader header;
    header.pair = file.header.pair;
    header.timeStep = file.header.timeStep;
    header.valueType = kind.valueType;
    header.period = kind.period;
    header.firstTime = file.header.firstTime;
    header.lastTime = file.header.lastTime;
    writeValueListFile(getValueListFileName(file.header.pair, file.header.timeStep, kind.valueType, kind.period),
                       header, values);
    ++written;
    if (onFile) onFile(written);
  });
  return written;
}

int writePriceAndIndicatorFiles(TPair pair, TTimeStep step, const std::vector<THistoricalRecord>& bars,
                                const TFileCallback& onFile) {
  createFolder(getOhlcPath());
  writeHistoricalDataFile(getHistoricalDataFileName(pair, step), pair, step, bars);
  TPriceFile file;
  file.header.pair = pair;
  file.header.timeStep = step;
  file.header.firstTime = bars.front().time;
  file.header.lastTime = bars.back().time;
  file.series = seriesFromBars(step, bars);
  if (onFile) onFile(1);
  return 1 + writeIndicatorFiles(file, [&onFile](int written) {
           if (onFile) onFile(1 + written);
         });
}

}  // namespace candora::data
