#pragma once
// The score history's statistics as JSON, for any tool outside the program: every statistic of the
// history under its own name, the score tables, and each test with its stored fields, its own
// statistics and its sessions with their gross and net profit.

#include <string>

#include "untTotalResult.h"

namespace candora {

struct TScoreJsonOptions {
  int indent = 2;            // spaces per level; 0 writes everything on one line
  bool includeTests = true;  // the "tests" array
};

// Reads the history only: each test's statistics are computed on a copy. Reals are written as
// the shortest text that reads back as the same single-precision value.
std::string scoreHistoryToJson(const TNivraResult& history, const TScoreJsonOptions& options = {});

}  // namespace candora
