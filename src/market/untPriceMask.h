#pragma once
// The mask of stored prices, shared by the reader and the writer of price files: every stored price
// other than the missing marker is the true price plus an offset chosen by the bar's time (t mod 17)
// and one chosen by the field. The tables live only here.

#include <cstdint>

namespace candora {

enum class TPriceField : uint8_t { Open = 0, High = 1, Low = 2, Close = 3 };

int32_t priceTimeOffset(int32_t barTime);  // T[barTime mod 17]
int32_t priceFieldOffset(TPriceField field);  // F[field]

int32_t maskPrice(int32_t price, TPriceField field, int32_t barTime);
int32_t unmaskPrice(int32_t stored, TPriceField field, int32_t barTime);

}  // namespace candora
