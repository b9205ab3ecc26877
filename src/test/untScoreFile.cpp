#include "untScoreFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace candora {

namespace {

// --- writing ----------------------------------------------------------------------------------
void appendInt(std::string& out, int64_t value) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  out.append(buffer, result.ptr);
  out += ',';
}

void appendPadded(std::string& out, int value, int width) {
  char buffer[16];
  const int n = std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  out.append(buffer, static_cast<std::size_t>(n));
}

void appendDateAndTime(std::string& out, TDateTime value) {
  const TDateParts p = decodeDateTime(value);
  appendPadded(out, p.year, 4);
  out += '/';
  appendPadded(out, p.month, 2);
  out += '/';
  appendPadded(out, p.day, 2);
  out += ',';
  appendPadded(out, p.hour, 2);
  out += ':';
  appendPadded(out, p.minute, 2);
  out += ':';
  appendPadded(out, p.second, 2);
  out += ',';
}

void appendLine(std::string& out, const TTestResult& test) {
  appendDateAndTime(out, test.testDateTime);
  appendInt(out, test.pair.getOrdinal());
  appendInt(out, test.timeStep.getOrdinal());
  for (const TSessionRecord& s : test.sessions) {
    appendInt(out, s.pair.getOrdinal());
    appendInt(out, s.timeStep.getOrdinal());
    appendInt(out, s.chartStartTime.getSerial());
    appendInt(out, s.entryTime.getSerial());
    appendInt(out, s.exitTime.getSerial());
    appendInt(out, s.entryRate);
    appendInt(out, s.exitRate);
    appendInt(out, s.position.getOrdinal());
    appendInt(out, s.answerMillis);
  }
  out.pop_back();  // the separator after the last field
}

// --- reading ----------------------------------------------------------------------------------
bool isBlank(char c) { return static_cast<unsigned char>(c) <= ' ' || c == 0x7f; }

// Commas separate fields; blanks separate them too and are never part of one, as in every
// comma-text file of the program.
struct TFields {
  std::array<std::string_view, kScoreFieldCount> items;
  int count = 0;
};

TFields splitFields(std::string_view line) {
  TFields fields;
  const std::size_t n = line.size();
  std::size_t i = 0;
  auto skipBlanks = [&] {
    while (i < n && isBlank(line[i])) ++i;
  };
  auto push = [&](std::string_view field) {
    if (fields.count < kScoreFieldCount) fields.items[static_cast<std::size_t>(fields.count)] = field;
    ++fields.count;
  };
  skipBlanks();
  if (i == n) return fields;
  while (fields.count < kScoreFieldCount) {
    const std::size_t start = i;
    while (i < n && line[i] != ',' && !isBlank(line[i])) ++i;
    push(line.substr(start, i - start));
    skipBlanks();
    if (i == n) break;
    if (line[i] == ',') {
      ++i;
      skipBlanks();
      if (i == n) {  // a trailing comma closes one empty field
        push({});
        break;
      }
    }
  }
  return fields;
}

const std::array<const char*, kScoreSessionFieldCount> kSessionFieldNames = {
    "pair", "time step", "chart start time", "entry time", "exit time", "entry rate", "exit rate", "position",
    "answer time"};

// "field 23 (session 3 entry rate)"
std::string describeField(int index) {
  std::string text = "field " + std::to_string(index + 1);
  switch (index) {
    case 0: return text + " (date)";
    case 1: return text + " (time)";
    case 2: return text + " (pair)";
    case 3: return text + " (time step)";
    default: break;
  }
  const int k = (index - kScoreTestFieldCount) / kScoreSessionFieldCount + 1;
  const int offset = (index - kScoreTestFieldCount) % kScoreSessionFieldCount;
  return text + " (session " + std::to_string(k) + " " + kSessionFieldNames[static_cast<std::size_t>(offset)] + ")";
}

bool readInt(std::string_view text, int32_t& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  const auto result = std::from_chars(first, last, value);
  return first != last && result.ec == std::errc() && result.ptr == last;
}

// Reads "a<sep>b<sep>c" of unsigned decimal numbers.
bool readTriple(std::string_view text, char separator, std::array<int, 3>& parts) {
  for (std::size_t k = 0; k < parts.size(); ++k) {
    const std::size_t end = k + 1 < parts.size() ? text.find(separator) : text.size();
    if (end == std::string_view::npos) return false;
    const std::string_view part = text.substr(0, end);
    if (part.empty() || part.size() > 4) return false;
    const auto result = std::from_chars(part.data(), part.data() + part.size(), parts[k]);
    if (result.ec != std::errc() || result.ptr != part.data() + part.size() || parts[k] < 0) return false;
    text.remove_prefix(end == text.size() ? end : end + 1);
  }
  return true;
}

class TLineReader {
public:
  explicit TLineReader(std::string_view line) : fields_(splitFields(line)) {
    if (fields_.count < kScoreFieldCount)
      throw EConvertError(std::to_string(fields_.count) + " fields, " + std::to_string(kScoreFieldCount) +
                          " expected");
  }

  TDateTime dateTime() {
    std::array<int, 3> date{}, time{};
    const std::string_view dateText = next(), timeText = next();
    if (!readTriple(dateText, '/', date) || !isValidDate(date[0], date[1], date[2]))
      fail(index_ - 2, "'" + std::string(dateText) + "' is not a date yyyy/mm/dd");
    if (!readTriple(timeText, ':', time) || time[0] > 23 || time[1] > 59 || time[2] > 59)
      fail(index_ - 1, "'" + std::string(timeText) + "' is not a time hh:nn:ss");
    return encodeDateTime(date[0], date[1], date[2], time[0], time[1], time[2]);
  }

  int32_t integer() {
    const std::string_view text = next();
    int32_t value = 0;
    if (!readInt(text, value)) fail(index_ - 1, "'" + std::string(text) + "' is not a decimal integer");
    return value;
  }

  // An ordinal of a vocabulary with `count` values.
  uint8_t ordinal(int count) {
    const int32_t value = integer();
    if (value < 0 || value >= count)
      fail(index_ - 1, std::to_string(value) + " is outside 0 to " + std::to_string(count - 1));
    return static_cast<uint8_t>(value);
  }

  TIDateTime serial() { return TIDateTime(integer()); }

private:
  std::string_view next() { return fields_.items[static_cast<std::size_t>(index_++)]; }

  [[noreturn]] static void fail(int index, const std::string& problem) {
    throw EConvertError(describeField(index) + ": " + problem);
  }

  TFields fields_;
  int index_ = 0;
};

// Lines as they are in the file, numbered from 1, whatever ends them.
template <class Visit>
void forEachLine(std::string_view text, Visit visit) {
  std::size_t lineNo = 0;
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    ++lineNo;
    if (end == std::string_view::npos) {
      visit(lineNo, text);
      return;
    }
    visit(lineNo, text.substr(0, end));
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
  }
}

// The file holds ASCII only; any other character of a UTF-16 file becomes one that no field
// accepts, so its line is reported rather than misread.
std::string decodeUtf16(std::string_view bytes, bool bigEndian) {
  std::string text;
  text.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    const auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    text += hi == 0 && lo < 0x80 ? static_cast<char>(lo) : '?';
  }
  return text;
}

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

std::string formatScoreLine(const TTestResult& test) {
  std::string line;
  appendLine(line, test);
  return line;
}

std::string formatScoreFile(const TResultList& results) {
  std::string text;
  text.reserve(static_cast<std::size_t>(results.getCount()) * 1200);
  for (const auto& test : results) {
    appendLine(text, *test);
    text += "\r\n";
  }
  return text;
}

std::unique_ptr<TTestResult> parseScoreLine(std::string_view line) {
  TLineReader reader(line);
  auto test = std::make_unique<TTestResult>();
  test->testDateTime = reader.dateTime();
  test->pair = TPair(reader.ordinal(TPair::kCount));
  test->timeStep = TTimeStep(reader.ordinal(TTimeStep::kCount));
  for (int k = 1; k <= kSessionCount; ++k) {
    TSessionRecord& s = test->getSession(k);
    s.sessionNo = k;
    s.pair = TPair(reader.ordinal(TPair::kCount));
    s.timeStep = TTimeStep(reader.ordinal(TTimeStep::kCount));
    s.chartStartTime = reader.serial();
    s.entryTime = reader.serial();
    s.exitTime = reader.serial();
    s.entryRate = reader.integer();
    s.exitRate = reader.integer();
    s.position = TPosition(reader.ordinal(TPosition::kCount));
    s.answerMillis = reader.integer();
  }
  return test;
}

TScoreFileContent parseScoreFile(std::string_view content) {
  std::string decoded;
  if (startsWith(content, "\xEF\xBB\xBF")) {
    content.remove_prefix(3);
  } else if (startsWith(content, "\xFF\xFE") || startsWith(content, "\xFE\xFF")) {
    decoded = decodeUtf16(content.substr(2), content[0] == '\xFE');
    content = decoded;
  }
  TScoreFileContent result;
  forEachLine(content, [&](std::size_t lineNo, std::string_view line) {
    if (std::all_of(line.begin(), line.end(), isBlank)) return;
    try {
      result.results.add(parseScoreLine(line));
    } catch (const EConvertError& e) {
      result.skippedLines.push_back({lineNo, e.what()});
    }
  });
  return result;
}

TScoreFileContent readScoreFile(const std::string& fileName) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw EInOutError("Cannot read \"" + fileName + "\": " + std::strerror(errno));
  std::string content;
  char buffer[1 << 16];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      throw EInOutError("Cannot read \"" + fileName + "\": " + std::strerror(error));
    }
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return parseScoreFile(content);
}

std::string describeSkippedLines(const std::string& fileName, const std::vector<TSkippedLine>& skipped) {
  constexpr std::size_t kDetailed = 10;
  std::string text = "The score history \"" + fileName + "\" has " + std::to_string(skipped.size()) +
                     (skipped.size() == 1 ? " line" : " lines") + " that could not be read and " +
                     (skipped.size() == 1 ? "is" : "are") + " left out:";
  for (std::size_t i = 0; i < skipped.size() && i < kDetailed; ++i)
    text += "\nline " + std::to_string(skipped[i].lineNo) + ": " + skipped[i].reason;
  if (skipped.size() > kDetailed) {
    text += "\nand " + std::to_string(skipped.size() - kDetailed) + " more, lines " +
            std::to_string(skipped[kDetailed].lineNo) + " to " + std::to_string(skipped.back().lineNo);
  }
  return text;
}

std::string backupFileNameFor(const std::string& fileName, TDateTime when) {
  const TDateParts p = decodeDateTime(when);
  char stamp[40];
  std::snprintf(stamp, sizeof stamp, ".bak-%04d%02d%02d-%02d%02d%02d", p.year, p.month, p.day, p.hour, p.minute,
                p.second);
  return fileName + stamp;
}

TDateTime currentDateTime() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  return encodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec, static_cast<int>(millis < 0 ? millis + 1000 : millis));
}

}  // namespace candora
