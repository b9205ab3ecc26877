#pragma once
// Where the data folders are, how the program reports an internal error, and the error types that
// the data readers raise. The folders are found beside the executable unless a caller (a tool, a
// test) points the program at another data root first.

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace candora {

// --- errors raised by the readers -------------------------------------------------------------
// Every message already names the file (and, for text files, the line), so whoever finally shows it
// to the user needs to add nothing.

// A file could not be opened, read or written.
class EInOutError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A text that should hold a number, date or ordinal does not.
class EConvertError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A list was asked for an index it does not have (a short line, a missing row).
class EListError : public std::out_of_range {
public:
  using std::out_of_range::out_of_range;
};

// --- message boxes ----------------------------------------------------------------------------
using MessageHandler = std::function<void(const std::string& text)>;

// Replaces the function that shows a modal message; returns the previous one. The default writes
// to standard error, which is what tools and tests without a window want.
MessageHandler setMessageHandler(MessageHandler handler);

// Shows the text as it is (no prefix) and returns once it has been acknowledged.
void showMessage(const std::string& text);

// Shows "Error: " followed by the text. Never throws and never stops the caller.
void showErrorMessage(const std::string& text);

// --- folders ----------------------------------------------------------------------------------
// The folder that holds etc/, ohlc/, valueList/ ... with a trailing separator. Defaults to the
// folder of the running executable.
std::string getApplicationPath();
void setApplicationPath(const std::string& folder);

std::string getEtcPath();
std::string getOhlcPath();
std::string getUserPath();
std::string getValueListPath();
std::string getImagePath();
std::string getSoundPath();
std::string getHelpPath();
std::string getConversionRateFileName();
std::string getScoreFileName();
std::string getConfigFileName();
std::string getPairInfoFileName();

// --- small text helpers shared by the text-file readers ---------------------------------------

// Splits a line the way the comma-text files are written: commas and blanks separate fields,
// double quotes group a field that holds either (a doubled quote inside stands for one quote).
std::vector<std::string> splitCommaText(const std::string& line);

// Removes leading and trailing blanks and control characters.
std::string trimText(const std::string& text);

// Strict decimal integer conversion: optional sign, digits, nothing else. Throws EConvertError
// whose message is `where` followed by a description of the problem.
int strToInt(const std::string& text, const std::string& where = {});
long long strToInt64(const std::string& text, const std::string& where = {});
// Strict decimal number conversion with "." as the decimal separator.
double strToFloat(const std::string& text, const std::string& where = {});

// Reads a whole text file as lines (LF or CR LF). Throws EInOutError naming the file.
std::vector<std::string> readTextLines(const std::string& fileName);

// "file.txt line 12" for messages.
std::string fileLine(const std::string& fileName, std::size_t lineNo);

}  // namespace candora
