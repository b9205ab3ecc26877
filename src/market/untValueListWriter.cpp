#include "untValueListWriter.h"

#include <bit>
#include <cstdlib>

#include "untAtomicFile.h"
#include "untIDateTime.h"
#include "untNivraUtil.h"
#include "untRecordFile.h"

namespace candora {

namespace {

void putFloat(unsigned char* p, float value) {
  writeInt32LE(p, static_cast<int32_t>(std::bit_cast<uint32_t>(value)));
}

void checkHeader(const std::string& fileName, const TValueListHeader& header, std::size_t valueCount) {
  const auto fail = [&fileName](const std::string& problem) { throw EConvertError("\"" + fileName + "\": " + problem); };
  if (header.timeStep.getOrdinal() >= TTimeStep::kCount) fail("unknown time step");
  const int32_t minutes = header.timeStep.getMinute();
  if (header.lastTime < header.firstTime || (header.lastTime - header.firstTime) % minutes != 0)
    fail("first and last time do not lie on one grid of " + header.timeStep.getToCandleString());
  // The reader takes the times back from floats; beyond this they would come back as other minutes.
  if (std::abs(header.firstTime) > kLargestExactFloatInteger || std::abs(header.lastTime) > kLargestExactFloatInteger)
    fail("times after " + formatIsoMinutes(kLargestExactFloatInteger) + " cannot be stored");
  const std::size_t slots = static_cast<std::size_t>((header.lastTime - header.firstTime) / minutes) + 1;
  if (valueCount != slots)
    fail(std::to_string(valueCount) + " values given for " + std::to_string(slots) + " slots");
}

}  // namespace

void writeValueListFile(const std::string& fileName, const TValueListHeader& header, const std::vector<float>& values) {
  checkHeader(fileName, header, values.size());
  std::string bytes(static_cast<std::size_t>(kValueSize) * (kValueHeaderFloats + values.size()), '\0');
  auto* out = reinterpret_cast<unsigned char*>(bytes.data());
  putFloat(out + kValueSize * kValueHeaderPair, header.pair.getOrdinal());
  putFloat(out + kValueSize * kValueHeaderStep, header.timeStep.getOrdinal());
  putFloat(out + kValueSize * kValueHeaderType, header.valueType.getOrdinal());
  putFloat(out + kValueSize * kValueHeaderPeriod, header.period.getOrdinal());
  putFloat(out + kValueSize * kValueHeaderFirstTime, static_cast<float>(header.firstTime));
  putFloat(out + kValueSize * kValueHeaderLastTime, static_cast<float>(header.lastTime));
  unsigned char* p = out + kValueSize * kValueHeaderFloats;
  for (const float value : values) {
    putFloat(p, value);
    p += kValueSize;
  }
  writeFileAtomically(fileName, bytes);
}

}  // namespace candora
