#pragma once
// The text of the score history file: one line per test, oldest first, 184 comma-separated fields
// (the test's date, time, pair and time step, then nine fields for each of its 20 sessions), every
// line ended by CR LF. Only the stored fields are written; statistics are recomputed after reading.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "untTotalResult.h"

namespace candora {

constexpr int kScoreTestFieldCount = 4;
constexpr int kScoreSessionFieldCount = 9;
constexpr int kScoreFieldCount = kScoreTestFieldCount + kScoreSessionFieldCount * kSessionCount;  // 184

// One test as its line, without the line end.
std::string formatScoreLine(const TTestResult& test);
// The whole file: every line followed by CR LF; an empty list gives an empty text.
std::string formatScoreFile(const TResultList& results);

// Reads one line. Fields after the 184th are ignored. Throws EConvertError saying what is wrong
// (too few fields, a field that is not a decimal integer, a date or time that cannot be read, an
// ordinal outside its vocabulary) without naming the file.
std::unique_ptr<TTestResult> parseScoreLine(std::string_view line);

struct TScoreFileContent {
  TResultList results;
  std::vector<TSkippedLine> skippedLines;
};

// Reads a whole file's text: a UTF-8 or UTF-16 byte-order mark selects that encoding; CR LF, CR or
// LF end a line; blank lines hold no test and are passed over.
TScoreFileContent parseScoreFile(std::string_view content);
// Throws EInOutError naming the file when it cannot be read.
TScoreFileContent readScoreFile(const std::string& fileName);

// The one message that tells the user which lines of the file were left out.
std::string describeSkippedLines(const std::string& fileName, const std::vector<TSkippedLine>& skipped);

// "score.txt" → "score.txt.bak-20240501-123456" for the given local date-time.
std::string backupFileNameFor(const std::string& fileName, TDateTime when);

// The local date and time now, to the millisecond.
TDateTime currentDateTime();

}  // namespace candora
