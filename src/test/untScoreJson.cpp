#include "untScoreJson.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string_view>
#include <vector>

namespace candora {

namespace {

// Writes one JSON text. Small objects and arrays can be kept on one line so that a table of cells
// or sessions reads as a table.
class TJsonWriter {
public:
  explicit TJsonWriter(int indent) : indent_(indent < 0 ? 0 : indent) {}

  void beginObject(bool oneLine = false) { open('{', oneLine); }
  void endObject() { close('}'); }
  void beginArray(bool oneLine = false) { open('[', oneLine); }
  void endArray() { close(']'); }

  void key(std::string_view name) {
    separate();
    writeString(name);
    out_ += indent_ > 0 ? ": " : ":";
    afterKey_ = true;
  }

  void value(int64_t number) {
    separate();
    out_ += std::to_string(number);
  }

  void value(int32_t number) { value(static_cast<int64_t>(number)); }

  void value(float number) {
    separate();
    if (!std::isfinite(number)) {
      out_ += "null";
      return;
    }
    if (number == 0.0f) number = 0.0f;  // no "-0"
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, number);
    out_.append(buffer, result.ptr);
  }

  void value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
  }

  void value(std::string_view text) {
    separate();
    writeString(text);
  }

  template <class T>
  void field(std::string_view name, T v) {
    key(name);
    value(v);
  }

  std::string take() {
    out_ += '\n';
    return std::move(out_);
  }

private:
  struct Level {
    bool empty = true;
    bool oneLine = false;
  };

  void open(char bracket, bool oneLine) {
    separate();
    out_ += bracket;
    const bool insideOneLine = !levels_.empty() && levels_.back().oneLine;
    levels_.push_back({true, oneLine || insideOneLine});
  }

  void close(char bracket) {
    const Level level = levels_.back();
    levels_.pop_back();
    if (!level.empty && !level.oneLine) newline();
    out_ += bracket;
  }

  // Puts the comma and line break that come before the next member or element.
  void separate() {
    if (afterKey_) {
      afterKey_ = false;
      return;
    }
    if (levels_.empty()) return;
    Level& level = levels_.back();
    if (!level.empty) out_ += ',';
    if (level.oneLine) {
      if (!level.empty && indent_ > 0) out_ += ' ';
    } else {
      newline();
    }
    level.empty = false;
  }

  void newline() {
    if (indent_ == 0) return;
    out_ += '\n';
    out_.append(levels_.size() * static_cast<std::size_t>(indent_), ' ');
  }

  void writeString(std::string_view text) {
    out_ += '"';
    for (const char c : text) {
      switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default:
          if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out_ += escaped;
          } else {
            out_ += c;
          }
      }
    }
    out_ += '"';
  }

  std::string out_;
  int indent_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

template <std::size_t N>
void writeFloats(TJsonWriter& json, std::string_view name, const std::array<float, N>& values) {
  json.key(name);
  json.beginArray(true);
  for (const float v : values) json.value(v);
  json.endArray();
}

void writeCell(TJsonWriter& json, const TScoreCell& cell) {
  json.beginObject(true);
  json.field("testCount", cell.testCount);
  json.field("maxGrossTotal", cell.maxGrossTotal);
  json.field("maxEvaluation", cell.maxEvaluation);
  json.field("sumGrossTotal", cell.sumGrossTotal);
  json.field("sumEvaluation", cell.sumEvaluation);
  json.field("averageEvaluation", cell.getAverageEvaluation());
  json.endObject();
}

void writeRow(TJsonWriter& json, const TScoreRow& row) {
  json.beginObject();
  json.key("timeScaleCells");
  json.beginArray();
  for (const TScoreCell& cell : row.timeScaleCells) writeCell(json, cell);
  json.endArray();
  json.key("total");
  writeCell(json, row.total);
  json.endObject();
}

std::string isoDateTime(TDateTime value) {
  const TDateParts p = decodeDateTime(value);
  char text[40];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", p.year, p.month, p.day, p.hour, p.minute,
                p.second);
  return text;
}

void writeSession(TJsonWriter& json, const TSessionRecord& s, const TConversionTable& table) {
  json.beginObject(true);
  json.field("sessionNo", s.sessionNo);
  json.field("pair", static_cast<int32_t>(s.pair.getOrdinal()));
  json.field("timeStep", static_cast<int32_t>(s.timeStep.getOrdinal()));
  json.field("chartStartTime", s.chartStartTime.getSerial());
  json.field("entryTime", s.entryTime.getSerial());
  json.field("exitTime", s.exitTime.getSerial());
  json.field("entryRate", s.entryRate);
  json.field("exitRate", s.exitRate);
  json.field("position", static_cast<int32_t>(s.position.getOrdinal()));
  json.field("answerMillis", s.answerMillis);
  json.field("grossProfit", s.getGrossProfit(table));
  json.field("netProfit", s.getNetProfit(table));
  json.endObject();
}

void writeTest(TJsonWriter& json, const TTestResult& stored, const TConversionTable& table) {
  TTestResult t = stored;
  t.calculate(table);
  json.beginObject();
  json.field("testDateTime", std::string_view(isoDateTime(t.testDateTime)));
  json.field("pair", static_cast<int32_t>(t.pair.getOrdinal()));
  json.field("timeStep", static_cast<int32_t>(t.timeStep.getOrdinal()));
  json.field("answeredCount", t.getAnsweredCount());
  json.field("isComplete", t.getIsComplete());
  json.field("grossTotal", t.grossTotal);
  json.field("grossAbsTotal", t.grossAbsTotal);
  json.field("grossWinSum", t.grossWinSum);
  json.field("grossLossSum", t.grossLossSum);
  json.field("grossWinCount", t.grossWinCount);
  json.field("grossLossCount", t.grossLossCount);
  json.field("grossEvenCount", t.grossEvenCount);
  json.field("grossWinRate", t.grossWinRate);
  json.field("grossAverage", t.grossAverage);
  json.field("grossProfitFactor", t.grossProfitFactor);
  json.field("isGrossPlus", t.isGrossPlus);
  json.field("isGrossMinus", t.isGrossMinus);
  json.field("isGrossEven", t.isGrossEven);
  json.field("netTotal", t.netTotal);
  json.field("netWinSum", t.netWinSum);
  json.field("netLossSum", t.netLossSum);
  json.field("netWinCount", t.netWinCount);
  json.field("netLossCount", t.netLossCount);
  json.field("netEvenCount", t.netEvenCount);
  json.field("netWinRate", t.netWinRate);
  json.field("netAverage", t.netAverage);
  json.field("netProfitFactor", t.netProfitFactor);
  json.field("isNetPlus", t.isNetPlus);
  json.field("isNetMinus", t.isNetMinus);
  json.field("isNetEven", t.isNetEven);
  json.field("evaluation", t.evaluation);
  writeFloats(json, "barsAfterEvaluation", t.barsAfterEvaluation);
  json.key("sessions");
  json.beginArray();
  for (const TSessionRecord& s : t.sessions) writeSession(json, s, table);
  json.endArray();
  json.endObject();
}

}  // namespace

std::string scoreHistoryToJson(const TNivraResult& h, const TScoreJsonOptions& options) {
  TJsonWriter json(options.indent);
  json.beginObject();
  json.field("testCount", h.testCount);
  json.field("answeredCount", h.answeredCount);
  json.field("grossTotal", h.grossTotal);
  json.field("grossWinSum", h.grossWinSum);
  json.field("grossLossSum", h.grossLossSum);
  json.field("grossWinCount", h.grossWinCount);
  json.field("grossLossCount", h.grossLossCount);
  json.field("grossEvenCount", h.grossEvenCount);
  json.field("grossWinRate", h.grossWinRate);
  json.field("grossAverageWin", h.grossAverageWin);
  json.field("grossAverageLoss", h.grossAverageLoss);
  json.field("grossProfitFactor", h.grossProfitFactor);
  json.field("grossPayoffRatio", h.grossPayoffRatio);
  json.field("netTotal", h.netTotal);
  json.field("netWinSum", h.netWinSum);
  json.field("netLossSum", h.netLossSum);
  json.field("netWinCount", h.netWinCount);
  json.field("netLossCount", h.netLossCount);
  json.field("netEvenCount", h.netEvenCount);
  json.field("netWinRate", h.netWinRate);
  json.field("netAverageWin", h.netAverageWin);
  json.field("netAverageLoss", h.netAverageLoss);
  json.field("netProfitFactor", h.netProfitFactor);
  json.field("netPayoffRatio", h.netPayoffRatio);
  json.field("evaluation", h.evaluation);
  writeFloats(json, "barsAfterEvaluation", h.barsAfterEvaluation);
  json.key("pairRows");
  json.beginArray();
  for (const TScoreRow& row : h.pairRows) writeRow(json, row);
  json.endArray();
  json.key("allPairsRow");
  writeRow(json, h.allPairsRow);
  if (options.includeTests) {
    json.key("tests");
    json.beginArray();
    for (const auto& test : h.getResults()) writeTest(json, *test, h.getConversionTable());
    json.endArray();
  }
  json.endObject();
  return json.take();
}

}  // namespace candora
