#pragma once
// Which of the three answer sounds a revealed session earns.

#include "untMarketRecords.h"

namespace candora {

enum class TSoundKind { Stay, Correct, Wrong };

// The sound of an answered session: a gross win is correct, a gross loss wrong, and everything
// else (even trades, every Stay, a session not answered) the stay sound. A profit within the zero
// tolerance counts as even.
TSoundKind chooseSound(float grossProfit, TPosition position);

}  // namespace candora
