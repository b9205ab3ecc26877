// The score history file: its text, reading it back, damaged lines and safe replacement.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "RecordsFixture.h"
#include "untScoreFile.h"
#include "untTotalResult.h"

using namespace candora;
using namespace candora::testing;

namespace {

std::string readFile(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(text);
  while (std::getline(in, part, separator)) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

std::vector<std::string> filesIn(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class ScoreFileTest : public RecordsTest {
protected:
  std::string scoreFile() const { return dir.file("user/score.txt"); }

  // A line of a test: a winning USDJPY test of 2024-05-01 09:08:07.
  std::string goodLine() const { return formatScoreLine(*makeTest(all({kShort, -300}))); }

  std::unique_ptr<TNivraResult> load(TSaveAtClose save = TSaveAtClose::No) const {
    return std::make_unique<TNivraResult>(*table, scoreFile(), save);
  }

  // Tests whose every stored field differs from its neighbours', the last one unfinished.
  std::vector<std::unique_ptr<TTestResult>> variedTests() const {
    std::vector<std::unique_ptr<TTestResult>> tests;
    const uint8_t steps[] = {0, 5, 9};
    for (int n = 0; n < 3; ++n) {
      auto t = std::make_unique<TTestResult>();
      t->pair = TPair(static_cast<uint8_t>(n == 1 ? 0 : 3 + n * 5));
      t->timeStep = TTimeStep(steps[n]);
      t->testDateTime = encodeDateTime(2023 + n, 12 - n, 31 - n, 23 - n, 59 - n, 58 - n, 789);
      for (int k = 1; k <= kSessionCount; ++k) {
        TSessionRecord& s = t->getSession(k);
        s.pair = TPair(static_cast<uint8_t>((k + n) % 16));
        s.timeStep = TTimeStep(static_cast<uint8_t>((k * 3 + n) % 14));
        s.chartStartTime = TIDateTime(-100000 + k * 1000 + n);
        s.entryTime = TIDateTime(5785920 + k * 60 + n);
        s.exitTime = TIDateTime(2147483647 - k - n);
        s.entryRate = -2147483647 - 1 + k + n;
        s.exitRate = 123456 * k - n;
        s.position = TPosition(static_cast<uint8_t>(n == 2 && k > 9 ? kUndefined : (k + n) % 3));
        s.answerMillis = k * 7919 + n;
      }
      tests.push_back(std::move(t));
    }
    return tests;
  }
};

TEST_F(ScoreFileTest, WriteThenReadKeepsEveryStoredField) {
  MessageRecorder messages;
  auto written = variedTests();
  {
    TNivraResult h(*table, scoreFile());  // written when it goes
    for (auto& t : variedTests()) h.addTestResult(std::move(t));
  }
  auto loaded = load();
  const TResultList& tests = loaded->getResults();
  ASSERT_EQ(tests.getCount(), 3);
  for (int n = 0; n < 3; ++n) {
    SCOPED_TRACE(n);
    const TTestResult& a = *written[static_cast<std::size_t>(n)];
    const TTestResult& b = tests.getItem(n);
    EXPECT_EQ(b.pair, a.pair);
    EXPECT_EQ(b.timeStep, a.timeStep);
    EXPECT_EQ(b.testDateTime, encodeDateTime(2023 + n, 12 - n, 31 - n, 23 - n, 59 - n, 58 - n));  // no fraction
    for (int k = 1; k <= kSessionCount; ++k) {
      const TSessionRecord& x = a.getSession(k);
      const TSessionRecord& y = b.getSession(k);
      EXPECT_EQ(y.sessionNo, k);
      EXPECT_EQ(y.pair, x.pair);
      EXPECT_EQ(y.timeStep, x.timeStep);
      EXPECT_EQ(y.chartStartTime, x.chartStartTime);
      EXPECT_EQ(y.entryTime, x.entryTime);
      EXPECT_EQ(y.exitTime, x.exitTime);
      EXPECT_EQ(y.entryRate, x.entryRate);
      EXPECT_EQ(y.exitRate, x.exitRate);
      EXPECT_EQ(y.position, x.position);
      EXPECT_EQ(y.answerMillis, x.answerMillis);
    }
  }
  // The last line holds the unfinished test: it is current and out of the statistics.
  EXPECT_TRUE(loaded->getHasUnfinishedTest());
  EXPECT_EQ(loaded->testCount, 2);
  EXPECT_TRUE(messages.messages.empty());
}

TEST_F(ScoreFileTest, LinesHave184FieldsInTheirOrderAndEndInCrLf) {
  {
    TNivraResult h(*table, scoreFile());
    auto t = makeTest({{kLong, 1000}, {kShort, -5}});
    t->getSession(1).entryRate = -42;
    h.addTestResult(std::move(t));
    h.addTestResult(makeTest({}));
  }
  const std::string text = readFile(scoreFile());
  const std::vector<std::string> lines = split(text, '\n');
  ASSERT_EQ(lines.size(), 3u);  // two lines and nothing after the last line end
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 2);
  for (int n = 0; n < 2; ++n) {
    ASSERT_EQ(lines[n].back(), '\r');
    const std::vector<std::string> fields = split(lines[n].substr(0, lines[n].size() - 1), ',');
    EXPECT_EQ(fields.size(), 184u);
  }
  const std::string chart = std::to_string(day125 + 600), entry = std::to_string(day125 + 600 + 1140),
                    exit = std::to_string(day125 + 720);
  const std::string start = "2024/05/01,09:08:07,3,5,3,5," + chart + "," + entry + "," + exit + ",-42,100000,0,1000,";
  EXPECT_EQ(lines[0].substr(0, start.size()), start);
  EXPECT_NE(lines[0].find(",100005,100000,1,2000,"), std::string::npos);
  EXPECT_NE(lines[1].find(",99750,100000,3,20000\r"), std::string::npos);
}

TEST_F(ScoreFileTest, EmptyHistoryIsWrittenAsAnEmptyFile) {
  { TNivraResult h(*table, scoreFile()); }
  ASSERT_TRUE(std::filesystem::exists(scoreFile()));
  EXPECT_EQ(std::filesystem::file_size(scoreFile()), 0u);
  // Replacing leaves no temporary file behind.
  EXPECT_EQ(filesIn(dir.path() / "user"), std::vector<std::string>{"score.txt"});
}

TEST_F(ScoreFileTest, LineEndsAndByteOrderMarksAllRead) {
  const std::string a = goodLine(), b = formatScoreLine(*makeTest({}));
  auto utf16 = [](const std::string& text) {
    std::string out = "\xFF\xFE";
    for (char c : text) out += std::string{c, '\0'};
    return out;
  };
  const std::pair<const char*, std::string> files[] = {
      {"CR LF with a final line end", a + "\r\n" + b + "\r\n"},
      {"LF", a + "\n" + b + "\n"},
      {"CR", a + "\r" + b + "\r"},
      {"no final line end", a + "\r\n" + b},
      {"blank lines between", a + "\r\n\r\n  \r\n" + b + "\r\n\r\n"},
      {"UTF-8 mark", "\xEF\xBB\xBF" + a + "\r\n" + b + "\r\n"},
      {"UTF-16 mark", utf16(a + "\r\n" + b + "\r\n")},
      {"blanks around fields", a.substr(0, 20) + " 3 " + a.substr(21) + "\r\n" + b + "\r\n"},
      {"more than 184 fields", a + ",7,8,9\r\n" + b + ",\r\n"},
  };
  for (const auto& [name, content] : files) {
    SCOPED_TRACE(name);
    MessageRecorder messages;
    dir.write("user/score.txt", content);
    auto h = load();
    ASSERT_EQ(h->getResults().getCount(), 2);
    EXPECT_TRUE(h->getResults().getItem(0).getIsComplete());
    EXPECT_EQ(h->getResults().getItem(0).getSession(20).position, TPosition(kShort));
    EXPECT_EQ(h->getResults().getItem(1).getAnsweredCount(), 0);
    EXPECT_EQ(h->testCount, 1);
    EXPECT_TRUE(messages.messages.empty());
  }
}

TEST_F(ScoreFileTest, EachDamagedLineIsLeftOutAndNamed) {
  const std::string good = goodLine();
  std::vector<std::string> fields = split(good, ',');
  auto with = [&](int field, const std::string& text) {
    std::vector<std::string> f = fields;
    f[static_cast<std::size_t>(field - 1)] = text;
    std::string line;
    for (const auto& x : f) line += x + ",";
    line.pop_back();
    return line;
  };
  const std::pair<std::string, std::string> damaged[] = {
      {good.substr(0, good.rfind(',')), "183 fields, 184 expected"},
      {"", ""},  // a blank line is no test and no damage
      {with(10, "12a"), "field 10 (session 1 entry rate): '12a' is not a decimal integer"},
      {with(10, "99999999999"), "is not a decimal integer"},
      {with(10, ""), "'' is not a decimal integer"},
      {with(1, "2024/13/01"), "field 1 (date): '2024/13/01' is not a date"},
      {with(1, "2024-05-01"), "is not a date"},
      {with(2, "24:00:00"), "field 2 (time): '24:00:00' is not a time"},
      {with(3, "16"), "field 3 (pair): 16 is outside 0 to 15"},
      {with(4, "14"), "field 4 (time step): 14 is outside 0 to 13"},
      {with(5 + 9 * 19, "-1"), "field 176 (session 20 pair): -1 is outside 0 to 15"},
      {with(12 + 9 * 2, "4"), "field 30 (session 3 position): 4 is outside 0 to 3"},
  };
  for (const auto& [line, reason] : damaged) {
    SCOPED_TRACE(line.substr(0, 40));
    MessageRecorder messages;
    dir.write("user/score.txt", good + "\r\n" + line + "\r\n" + good + "\r\n");
    auto h = load();
    EXPECT_EQ(h->getResults().getCount(), 2);
    if (reason.empty()) {
      EXPECT_TRUE(messages.messages.empty());
      continue;
    }
    ASSERT_EQ(h->getSkippedLines().size(), 1u);
    EXPECT_EQ(h->getSkippedLines()[0].lineNo, 2u);
    EXPECT_NE(h->getSkippedLines()[0].reason.find(reason), std::string::npos) << h->getSkippedLines()[0].reason;
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].find(scoreFile()), std::string::npos);
    EXPECT_NE(messages.messages[0].find("line 2: "), std::string::npos);
  }
}

TEST_F(ScoreFileTest, ManyDamagedLinesMakeOneMessage) {
  const std::string good = goodLine();
  std::string content = good + "\r\n";
  for (int n = 0; n < 14; ++n) content += "broken\r\n";
  dir.write("user/score.txt", content + good + "\r\n");
  MessageRecorder messages;
  auto h = load();
  EXPECT_EQ(h->getResults().getCount(), 2);
  EXPECT_EQ(h->getSkippedLines().size(), 14u);
  ASSERT_EQ(messages.messages.size(), 1u);
  const std::string& text = messages.messages[0];
  EXPECT_EQ(text.rfind("Error: ", 0), 0u);
  EXPECT_NE(text.find("has 14 lines that could not be read"), std::string::npos);
  EXPECT_NE(text.find("line 11: 1 fields, 184 expected"), std::string::npos);
  EXPECT_NE(text.find("and 4 more, lines 12 to 15"), std::string::npos);
}

TEST_F(ScoreFileTest, DamagedFileIsKeptBesideItBeforeTheFirstSave) {
  const std::string original = goodLine() + "\r\nbroken\r\n";
  dir.write("user/score.txt", original);
  MessageRecorder messages;
  {
    TNivraResult h(*table, scoreFile());
    h.setClock([] { return encodeDateTime(2024, 5, 1, 12, 34, 56, 999); });
    h.addTestResult(makeTest({}));
    h.saveToFile();
    EXPECT_EQ(h.getBackupFileName(), scoreFile() + ".bak-20240501-123456");
    h.saveToFile();  // kept once; later saves replace only the history
  }
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_NE(messages.messages[0].find("kept beside it as \"score.txt.bak-"), std::string::npos);
  EXPECT_EQ(filesIn(dir.path() / "user"), (std::vector<std::string>{"score.txt", "score.txt.bak-20240501-123456"}));
  EXPECT_EQ(readFile(scoreFile() + ".bak-20240501-123456"), original);
  auto reloaded = load();
  EXPECT_EQ(reloaded->getResults().getCount(), 2);
  EXPECT_TRUE(reloaded->getSkippedLines().empty());
}

TEST_F(ScoreFileTest, KeptCopyNeverOverwritesAnEarlierOne) {
  dir.write("user/score.txt", "broken\r\n");
  dir.write("user/score.txt.bak-20240501-123456", "earlier copy");
  {
    MessageRecorder messages;
    TNivraResult h(*table, scoreFile());
    h.setClock([] { return encodeDateTime(2024, 5, 1, 12, 34, 56); });
  }
  EXPECT_EQ(readFile(scoreFile() + ".bak-20240501-123456"), "earlier copy");
  EXPECT_EQ(readFile(scoreFile() + ".bak-20240501-123456-2"), "broken\r\n");
  EXPECT_EQ(std::filesystem::file_size(scoreFile()), 0u);
}

TEST_F(ScoreFileTest, CleanFileIsReplacedWithoutACopy) {
  dir.write("user/score.txt", goodLine() + "\r\n");
  { TNivraResult h(*table, scoreFile()); }
  EXPECT_EQ(filesIn(dir.path() / "user"), std::vector<std::string>{"score.txt"});
  EXPECT_EQ(readFile(scoreFile()), goodLine() + "\r\n");
}

TEST_F(ScoreFileTest, UnreadableFileIsReportedAndNeverReplaced) {
  // A folder where the file should be cannot be read, copied or replaced.
  dir.write("user/score.txt/inside.txt", "keep me");
  MessageRecorder messages;
  {
    TNivraResult h(*table, scoreFile());
    EXPECT_EQ(h.getResults().getCount(), 0);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].find("Cannot read \"" + scoreFile() + "\""), std::string::npos);
    h.addTestResult(makeTest({}));
    EXPECT_THROW(h.saveToFile(), EInOutError);
  }
  ASSERT_EQ(messages.messages.size(), 2u);  // the save at close failed and said so
  EXPECT_NE(messages.messages[1].find(scoreFile()), std::string::npos);
  EXPECT_EQ(readFile(dir.file("user/score.txt/inside.txt")), "keep me");
}

TEST_F(ScoreFileTest, FailedSaveNamesTheFile) {
  dir.write("user", "a file where the user folder should be");
  MessageRecorder messages;
  {
    TNivraResult h(*table, scoreFile());
    try {
      h.saveToFile();
      FAIL() << "the save should fail";
    } catch (const EInOutError& e) {
      EXPECT_NE(std::string(e.what()).find(scoreFile()), std::string::npos) << e.what();
    }
  }
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].rfind("Error: The score history could not be saved. ", 0), 0u);
  EXPECT_EQ(readFile(dir.file("user")), "a file where the user folder should be");
}

TEST_F(ScoreFileTest, LookingOnlyNeverWrites) {
  dir.write("user/score.txt", "broken\r\n");
  MessageRecorder messages;
  { TNivraResult h(*table, scoreFile(), TSaveAtClose::No); }
  ASSERT_EQ(messages.messages.size(), 1u);
  EXPECT_EQ(messages.messages[0].find(".bak-"), std::string::npos);  // no copy is promised
  EXPECT_EQ(readFile(scoreFile()), "broken\r\n");
  EXPECT_EQ(filesIn(dir.path() / "user"), std::vector<std::string>{"score.txt"});
}

}  // namespace
