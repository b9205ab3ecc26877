#include "untHistoricalDataWriter.h"

#include "untAtomicFile.h"
#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untPriceMask.h"
#include "untRecordFile.h"

namespace candora {

void writeHistoricalDataFile(const std::string& fileName, TPair pair, TTimeStep step,
                             const std::vector<THistoricalRecord>& bars) {
  if (bars.empty()) throw EConvertError("\"" + fileName + "\": no bars to write");
  const int32_t minutes = step.getMinute();
  const int32_t firstTime = bars.front().time;
  const int32_t lastTime = bars.back().time;
  if (minutes <= 0 || lastTime < firstTime || (lastTime - firstTime) % minutes != 0)
    throw EConvertError("\"" + fileName + "\": bar times do not lie on one grid of " + step.getToCandleString());
  const std::size_t slots = static_cast<std::size_t>((lastTime - firstTime) / minutes) + 1;

  std::string bytes(static_cast<std::size_t>(kPriceRecordSize) * (kPriceHeaderRecords + slots), '\0');
  auto* out = reinterpret_cast<unsigned char*>(bytes.data());
  writeInt32LE(out, pair.getOrdinal());
  writeInt32LE(out + 16, step.getOrdinal());
  writeInt32LE(out + 32, firstTime);
  writeInt32LE(out + 48, lastTime);

  for (std::size_t s = 0; s < slots; ++s) {
    unsigned char* rec = out + kPriceRecordSize * (kPriceHeaderRecords + s);
    for (int f = 0; f < 4; ++f) writeInt32LE(rec + 4 * f, MissingValue);
  }
  int32_t previous = firstTime - minutes;
  for (const THistoricalRecord& bar : bars) {
    if (bar.time <= previous || (bar.time - firstTime) % minutes != 0)
      throw EConvertError("\"" + fileName + "\": bar at " + formatIsoMinutes(bar.time) +
                          " is out of order or off the grid");
    previous = bar.time;
    const std::size_t slot = static_cast<std::size_t>((bar.time - firstTime) / minutes);
    unsigned char* rec = out + kPriceRecordSize * (kPriceHeaderRecords + slot);
    writeInt32LE(rec, maskPrice(bar.open, TPriceField::Open, bar.time));
    writeInt32LE(rec + 4, maskPrice(bar.high, TPriceField::High, bar.time));
    writeInt32LE(rec + 8, maskPrice(bar.low, TPriceField::Low, bar.time));
    writeInt32LE(rec + 12, maskPrice(bar.close, TPriceField::Close, bar.time));
  }
  writeFileAtomically(fileName, bytes);
}

}  // namespace candora
