#include "untPriceMask.h"

#include "untMyMath.h"

namespace candora {

namespace {
constexpr int32_t kTimeOffsets[17] = {3, -7, 11, -2, 5, -13, 8, 1, -4, 9, -11, 6, -1, 12, -6, 2, -9};
constexpr int32_t kFieldOffsets[4] = {17, -23, 29, -31};
}  // namespace

int32_t priceTimeOffset(int32_t barTime) {
  int32_t index = barTime % 17;
  if (index < 0) index += 17;
  return kTimeOffsets[index];
}

int32_t priceFieldOffset(TPriceField field) { return kFieldOffsets[static_cast<int>(field) & 3]; }

int32_t maskPrice(int32_t price, TPriceField field, int32_t barTime) {
  if (!isValidValue(price)) return MissingValue;
  return price + priceTimeOffset(barTime) + priceFieldOffset(field);
}

int32_t unmaskPrice(int32_t stored, TPriceField field, int32_t barTime) {
  if (!isValidValue(stored)) return MissingValue;
  return stored - priceTimeOffset(barTime) - priceFieldOffset(field);
}

}  // namespace candora
