#include "untNivraUtil.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

namespace candora {

namespace {

MessageHandler& messageHandler() {
  static MessageHandler handler = [](const std::string& text) { std::cerr << text << '\n'; };
  return handler;
}

std::string& applicationPathOverride() {
  static std::string path;
  return path;
}

std::string withSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

std::string executableFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return withSeparator(std::filesystem::current_path().string());
  return withSeparator(exe.parent_path().string());
}

bool isBlankOrControl(unsigned char c) { return c <= ' ' || c == 0x7f; }

std::string describeWhere(const std::string& where) { return where.empty() ? std::string() : where + ": "; }

}  // namespace

MessageHandler setMessageHandler(MessageHandler handler) {
  MessageHandler previous = std::move(messageHandler());
  messageHandler() = std::move(handler);
  return previous;
}

void showMessage(const std::string& text) {
  try {
    if (messageHandler()) messageHandler()(text);
  } catch (...) {
    // A failing message box must not take the caller down with it.
  }
}

void showErrorMessage(const std::string& text) { showMessage("Error: " + text); }

std::string getApplicationPath() {
  const std::string& forced = applicationPathOverride();
  if (!forced.empty()) return forced;
  static const std::string exeFolder = executableFolder();
  return exeFolder;
}

void setApplicationPath(const std::string& folder) { applicationPathOverride() = withSeparator(folder); }

std::string getEtcPath() { return getApplicationPath() + "etc/"; }
std::string getOhlcPath() { return getApplicationPath() + "ohlc/"; }
std::string getUserPath() { return getApplicationPath() + "user/"; }
std::string getValueListPath() { return getApplicationPath() + "valueList/"; }
std::string getImagePath() { return getApplicationPath() + "image/"; }
std::string getSoundPath() { return getApplicationPath() + "sound/"; }
std::string getHelpPath() { return getApplicationPath() + "help/"; }
std::string getConversionRateFileName() { return getEtcPath() + "conversionrate.txt"; }
std::string getScoreFileName() { return getUserPath() + "score.txt"; }
std::string getConfigFileName() { return getUserPath() + "config.txt"; }
std::string getPairInfoFileName() { return getEtcPath() + "pairinfo.txt"; }

std::vector<std::string> splitCommaText(const std::string& line) {
  std::vector<std::string> fields;
  const std::size_t n = line.size();
  std::size_t i = 0;
  auto isBlank = [&](std::size_t k) { return isBlankOrControl(static_cast<unsigned char>(line[k])); };
  auto skipBlanks = [&] { while (i < n && isBlank(i)) ++i; };
  auto readField = [&] {
    std::string field;
    if (i < n && line[i] == '"') {
      ++i;
      while (i < n) {
        if (line[i] != '"') { field += line[i++]; continue; }
        if (i + 1 < n && line[i + 1] == '"') { field += '"'; i += 2; continue; }
        ++i;
        break;
      }
    }
    while (i < n && line[i] != ',' && !isBlank(i)) field += line[i++];
    return field;
  };

  skipBlanks();
  if (i == n) return fields;
  for (;;) {
    fields.push_back(readField());
    skipBlanks();
    if (i == n) break;
    if (line[i] == ',') {
      ++i;
      skipBlanks();
      if (i == n) {  // a trailing comma closes one empty field
        fields.emplace_back();
        break;
      }
    }
  }
  return fields;
}

std::string trimText(const std::string& text) {
  std::size_t b = 0, e = text.size();
  while (b < e && isBlankOrControl(static_cast<unsigned char>(text[b]))) ++b;
  while (e > b && isBlankOrControl(static_cast<unsigned char>(text[e - 1]))) --e;
  return text.substr(b, e - b);
}

long long strToInt64(const std::string& text, const std::string& where) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  long long value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (text.empty() || ec != std::errc() || ptr != last)
    throw EConvertError(describeWhere(where) + "'" + text + "' is not a valid integer");
  return value;
}

int strToInt(const std::string& text, const std::string& where) {
  const long long value = strToInt64(text, where);
  if (value < INT32_MIN || value > INT32_MAX)
    throw EConvertError(describeWhere(where) + "'" + text + "' is out of the integer range");
  return static_cast<int>(value);
}

double strToFloat(const std::string& text, const std::string& where) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') ++first;
  double value = 0;
  const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
  if (text.empty() || ec != std::errc() || ptr != last)
    throw EConvertError(describeWhere(where) + "'" + text + "' is not a valid number");
  return value;
}

std::vector<std::string> readTextLines(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EInOutError("Cannot open \"" + fileName + "\": " + std::strerror(errno));
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
  }
  if (in.bad()) throw EInOutError("Cannot read \"" + fileName + "\": " + std::strerror(errno));
  return lines;
}

std::string fileLine(const std::string& fileName, std::size_t lineNo) {
  return "\"" + fileName + "\" line " + std::to_string(lineNo);
}

}  // namespace candora
