#include <gtest/gtest.h>

#include "TestSupport.h"
#include "untNivraUtil.h"
#include "untNumberFormat.h"

using namespace candora;
using candora::testing::MessageRecorder;

TEST(CommaText, SplitsOnCommasAndBlanksWithQuotes) {
  using V = std::vector<std::string>;
  struct Row {
    const char* line;
    V fields;
  };
  const Row rows[] = {{"1,2,3", V{"1", "2", "3"}},
                      {" 1 , 2 ,3 ", V{"1", "2", "3"}},
                      {"a b", V{"a", "b"}},
                      {"1,,3", V{"1", "", "3"}},
                      {"1,2,", V{"1", "2", ""}},
                      {",1", V{"", "1"}},
                      {"\"a, b\",c", V{"a, b", "c"}},
                      {"\"say \"\"hi\"\"\"", V{"say \"hi\""}},
                      {"", V{}},
                      {"  ", V{}}};
  for (const Row& r : rows) EXPECT_EQ(splitCommaText(r.line), r.fields) << r.line;
}

TEST(Conversions, StrictIntegersAndNumbers) {
  EXPECT_EQ(strToInt("-999999"), -999999);
  EXPECT_EQ(strToInt("+7"), 7);
  EXPECT_THROW(strToInt("1.5"), EConvertError);
  EXPECT_THROW(strToInt(" 1"), EConvertError);
  EXPECT_THROW(strToInt("99999999999"), EConvertError);
  EXPECT_DOUBLE_EQ(strToFloat("0.001"), 0.001);
  EXPECT_THROW(strToFloat("0,001"), EConvertError);
  try {
    strToInt("x", "pairinfo.txt line 3 field 1");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "pairinfo.txt line 3 field 1: 'x' is not a valid integer");
  }
}

TEST(NumberFormat, PatternsRoundHalfToEven) {
  struct Row {
    const char* pattern;
    double value;
    const char* text;
  };
  const Row rows[] = {{"0.000", 0.001 * 92345, "92.345"},
                      {"0.00000", 0.00001 * 135791, "1.35791"},
                      {"0.00", 0.125, "0.12"},
                      {"0.00", 0.135, "0.14"},
                      {"0", 2.5, "2"},
                      {"0", 3.5, "4"},
                      {"#,##0", 1234567.0, "1,234,567"},
                      {"0.0#", 1.5, "1.5"},
                      {"0.0#", 1.256, "1.26"},
                      {"#.##", 0.5, ".5"},
                      {"0.000", -0.0004, "0.000"},
                      {"0.000", -1.5, "-1.500"},
                      {"0.00 円", 12.0, "12.00 円"}};
  for (const Row& r : rows) EXPECT_EQ(formatFloat(r.pattern, r.value), r.text) << r.pattern << " " << r.value;
}

TEST(Folders, FilesLieBelowTheApplicationFolder) {
  setApplicationPath("/opt/candora");
  EXPECT_EQ(getOhlcPath(), "/opt/candora/ohlc/");
  EXPECT_EQ(getConversionRateFileName(), "/opt/candora/etc/conversionrate.txt");
  EXPECT_EQ(getScoreFileName(), "/opt/candora/user/score.txt");
  EXPECT_EQ(getConfigFileName(), "/opt/candora/user/config.txt");
  setApplicationPath("");
  EXPECT_FALSE(getApplicationPath().empty());
  EXPECT_EQ(getApplicationPath().back(), '/');
}

TEST(Messages, ErrorReportsArePrefixedAndNeverThrow) {
  MessageRecorder box;
  showErrorMessage("TPair.getToString");
  EXPECT_EQ(box.messages, std::vector<std::string>{"Error: TPair.getToString"});
  const MessageHandler previous = setMessageHandler([](const std::string&) { throw std::runtime_error("boom"); });
  EXPECT_NO_THROW(showErrorMessage("anything"));
  setMessageHandler(previous);
}

TEST(TextFiles, ReadsLinesWithEitherLineEnd) {
  candora::testing::TempDir dir;
  const std::string file = dir.write("a.txt", "one\r\ntwo\nthree");
  EXPECT_EQ(readTextLines(file), (std::vector<std::string>{"one", "two", "three"}));
  EXPECT_THROW(readTextLines(dir.file("missing.txt")), EInOutError);
}
