#include "untResultSound.h"

#include "untMyMath.h"

namespace candora {

TSoundKind chooseSound(float grossProfit, TPosition position) {
  const uint8_t p = position.getOrdinal();
  if (p != TPosition::Long && p != TPosition::Short) return TSoundKind::Stay;
  if (!isNonZero(grossProfit)) return TSoundKind::Stay;
  if (grossProfit > 0.0f) return TSoundKind::Correct;
  if (grossProfit < 0.0f) return TSoundKind::Wrong;
  return TSoundKind::Stay;  // not a number: nothing was won or lost that we can tell
}

}  // namespace candora
