// `candora-data stats`, run as a user runs it: the statistics of a score history as JSON.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "RecordsFixture.h"
#include "untScoreFile.h"
#include "untTotalResult.h"

using namespace candora;
using namespace candora::testing;

namespace {

struct ToolRun {
  int status = -1;
  std::string out, err;
};

class StatsCommandTest : public RecordsTest {
protected:
  ToolRun run(const std::string& arguments) const {
    const std::string errFile = dir.file("stderr.txt");
    const std::string command = std::string(CANDORA_DATA_TOOL) + " stats " + arguments + " 2>" + errFile;
    ToolRun result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return result;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, n);
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    std::ostringstream err;
    err << in.rdbuf();
    result.err = err.str();
    return result;
  }

  static QJsonObject parse(const std::string& text) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return doc.object();
  }

  // A history of a finished EURUSD test, a finished USDJPY test and an unfinished one.
  std::string writeHistory() const {
    TResultList tests;
    tests.add(makeTest(all({kLong, 40}), TPair::EURUSD));
    tests.add(makeTest(all({kShort, -300})));
    tests.add(makeTest({{kLong, 100}}));
    return dir.write("user/score.txt", formatScoreFile(tests));
  }
};

TEST_F(StatsCommandTest, PrintsTheStatisticsOfTheHistoryWithoutTouchingIt) {
  const std::string file = writeHistory();
  const std::string before = formatScoreFile(TNivraResult(*table, file, TSaveAtClose::No).getResults());
  const ToolRun r = run(file + " --data " + dir.path().string());
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");

  TNivraResult expected(*table, file, TSaveAtClose::No);
  const QJsonObject json = parse(r.out);
  EXPECT_EQ(json["testCount"].toInt(), 2);
  EXPECT_EQ(static_cast<float>(json["grossTotal"].toDouble()), expected.grossTotal);
  EXPECT_EQ(static_cast<float>(json["netProfitFactor"].toDouble()), expected.netProfitFactor);
  EXPECT_EQ(json["pairRows"].toArray()[TPair::EURUSD].toObject()["total"].toObject()["testCount"].toInt(), 1);
  const QJsonArray tests = json["tests"].toArray();
  ASSERT_EQ(tests.size(), 3);
  // 40 rate units × 0.00001 × 125 yen.
  EXPECT_EQ(static_cast<float>(tests[0].toObject()["sessions"].toArray()[0].toObject()["grossProfit"].toDouble()),
            0.05f);
  EXPECT_FALSE(tests[2].toObject()["isComplete"].toBool());

  std::ifstream in(file, std::ios::binary);
  std::ostringstream after;
  after << in.rdbuf();
  EXPECT_EQ(after.str(), before);
}

TEST_F(StatsCommandTest, UsageAndHelp) {
  const ToolRun none = run("");
  EXPECT_EQ(none.status, 2);
  EXPECT_NE(none.err.find("give exactly one score history file"), std::string::npos);
  EXPECT_NE(none.err.find("usage: candora-data stats FILE [--data DIR]"), std::string::npos);
  EXPECT_EQ(none.out, "");

  const ToolRun help = run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: candora-data stats FILE [--data DIR]", 0), 0u);

  EXPECT_EQ(run(writeHistory() + " --color").status, 2);
}

TEST_F(StatsCommandTest, InputErrorsNameTheFile) {
  const std::string file = writeHistory();
  const std::string missing = dir.file("user/none.txt");
  const ToolRun noFile = run(missing + " --data " + dir.path().string());
  EXPECT_EQ(noFile.status, 2);
  EXPECT_NE(noFile.err.find("\"" + missing + "\" does not exist"), std::string::npos) << noFile.err;

  const std::string emptyData = dir.file("empty");
  std::filesystem::create_directories(emptyData);
  const ToolRun noPairs = run(file + " --data " + emptyData);
  EXPECT_EQ(noPairs.status, 2);
  EXPECT_NE(noPairs.err.find(emptyData + "/etc/pairinfo.txt"), std::string::npos) << noPairs.err;

  // Pair information but no yen rates: the EURUSD test cannot be turned into yen.
  std::filesystem::create_directories(dir.path() / "noRates/etc");
  std::filesystem::copy_file(dir.file("etc/pairinfo.txt"), dir.file("noRates/etc/pairinfo.txt"));
  const ToolRun noRates = run(file + " --data " + dir.file("noRates"));
  EXPECT_EQ(noRates.status, 2);
  EXPECT_NE(noRates.err.find("conversionrate.txt\" is missing or empty"), std::string::npos) << noRates.err;
}

TEST_F(StatsCommandTest, DamagedLinesAreNamedAndTheRestIsStillPrinted) {
  const std::string good = formatScoreLine(*makeTest(all({kShort, -300})));
  const std::string file = dir.write("user/score.txt", good + "\r\nnot a test\r\n" + good + "\r\n");
  const ToolRun r = run(file + " --data " + dir.path().string());
  EXPECT_EQ(r.status, 2);
  EXPECT_NE(r.err.find(file), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("line 2: "), std::string::npos) << r.err;
  EXPECT_EQ(parse(r.out)["testCount"].toInt(), 2);
}

}  // namespace
