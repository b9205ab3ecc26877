// The history's statistics as JSON, read back with an independent parser.

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "RecordsFixture.h"
#include "untScoreJson.h"
#include "untTotalResult.h"

using namespace candora;
using namespace candora::testing;

namespace {

class JsonTest : public RecordsTest {
protected:
  QJsonObject parse(const std::string& text) {
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    EXPECT_TRUE(doc.isObject());
    return doc.object();
  }

  static float single(const QJsonValue& v) {
    EXPECT_TRUE(v.isDouble());
    return static_cast<float>(v.toDouble());
  }
};

TEST_F(JsonTest, HistoryStatisticsTablesAndTestsUnderTheirNames) {
  TNivraResult h(*table, dir.file("user/score.txt"), TSaveAtClose::No);
  std::vector<Answer> answers;
  for (const Answer a : {Answer{kLong, 1000}, Answer{kShort, 500}, Answer{kLong, 200}, Answer{kStay, 300}})
    answers.insert(answers.end(), 5, a);
  h.addTestResult(makeTest(answers));
  h.addTestResult(makeTest(std::vector<Answer>(7, {kLong, 9000})));

  const QJsonObject json = parse(scoreHistoryToJson(h));
  EXPECT_EQ(json["testCount"].toInt(), 1);
  EXPECT_EQ(json["answeredCount"].toInt(), 20);
  // Every real reads back as exactly the single-precision value it came from.
  const std::pair<const char*, float> reals[] = {
      {"grossTotal", h.grossTotal},           {"netTotal", h.netTotal},
      {"grossWinSum", h.grossWinSum},         {"grossLossSum", h.grossLossSum},
      {"netWinSum", h.netWinSum},             {"netLossSum", h.netLossSum},
      {"grossWinRate", h.grossWinRate},       {"netWinRate", h.netWinRate},
      {"grossAverageWin", h.grossAverageWin}, {"grossAverageLoss", h.grossAverageLoss},
      {"netAverageWin", h.netAverageWin},     {"netAverageLoss", h.netAverageLoss},
      {"grossProfitFactor", h.grossProfitFactor}, {"netProfitFactor", h.netProfitFactor},
      {"grossPayoffRatio", h.grossPayoffRatio},   {"netPayoffRatio", h.netPayoffRatio},
      {"evaluation", h.evaluation}};
  for (const auto& [name, value] : reals) EXPECT_EQ(single(json[name]), value) << name;
  for (const auto& [name, value] : {std::pair{"grossWinCount", h.grossWinCount}, {"grossLossCount", h.grossLossCount},
                                    {"grossEvenCount", h.grossEvenCount}, {"netWinCount", h.netWinCount},
                                    {"netLossCount", h.netLossCount}, {"netEvenCount", h.netEvenCount}})
    EXPECT_EQ(json[name].toInt(), value) << name;
  ASSERT_EQ(json["barsAfterEvaluation"].toArray().size(), 4);
  EXPECT_EQ(single(json["barsAfterEvaluation"].toArray()[2]), 1.0f);

  const QJsonArray rows = json["pairRows"].toArray();
  ASSERT_EQ(rows.size(), 16);
  for (const QJsonValue& row : rows) EXPECT_EQ(row.toObject()["timeScaleCells"].toArray().size(), 6);
  const QJsonObject cell = rows[TPair::USDJPY].toObject()["timeScaleCells"].toArray()[3].toObject();
  EXPECT_EQ(cell["testCount"].toInt(), 1);
  EXPECT_EQ(single(cell["maxGrossTotal"]), h.pairRows[TPair::USDJPY].timeScaleCells[3].maxGrossTotal);
  EXPECT_EQ(single(cell["averageEvaluation"]), h.pairRows[TPair::USDJPY].timeScaleCells[3].getAverageEvaluation());
  EXPECT_EQ(rows[TPair::USDJPY].toObject()["total"].toObject()["testCount"].toInt(), 1);
  EXPECT_EQ(json["allPairsRow"].toObject()["timeScaleCells"].toArray()[3].toObject()["testCount"].toInt(), 1);

  const QJsonArray tests = json["tests"].toArray();
  ASSERT_EQ(tests.size(), 2);
  const QJsonObject first = tests[0].toObject();
  EXPECT_EQ(first["testDateTime"].toString(), "2024-05-01T09:08:07");
  EXPECT_EQ(first["pair"].toInt(), TPair::USDJPY);
  EXPECT_EQ(first["timeStep"].toInt(), 5);
  EXPECT_TRUE(first["isComplete"].toBool());
  EXPECT_EQ(single(first["evaluation"]), h.getResults().getItem(0).evaluation);
  EXPECT_EQ(first["grossEvenCount"].toInt(), 5);
  EXPECT_TRUE(first["isGrossPlus"].toBool());
  EXPECT_EQ(first["barsAfterEvaluation"].toArray()[3].toDouble(), 0.0);
  const QJsonArray sessions = first["sessions"].toArray();
  ASSERT_EQ(sessions.size(), 20);
  const QJsonObject sixth = sessions[5].toObject();
  EXPECT_EQ(sixth["sessionNo"].toInt(), 6);
  EXPECT_EQ(sixth["position"].toInt(), kShort);
  EXPECT_EQ(sixth["entryRate"].toInt(), 99500);
  EXPECT_EQ(sixth["exitRate"].toInt(), 100000);
  EXPECT_EQ(sixth["exitTime"].toInt(), day125 + 720);
  EXPECT_EQ(sixth["answerMillis"].toInt(), 6000);
  EXPECT_EQ(single(sixth["grossProfit"]), -0.5f);
  EXPECT_EQ(single(sixth["netProfit"]), -0.508f);

  // The unfinished test carries its own statistics though the history leaves it out.
  const QJsonObject second = tests[1].toObject();
  EXPECT_FALSE(second["isComplete"].toBool());
  EXPECT_EQ(second["answeredCount"].toInt(), 7);
  EXPECT_EQ(single(second["grossTotal"]), 63.0f);
}

TEST_F(JsonTest, EmptyHistoryAndCompactForm) {
  TNivraResult h(*table, dir.file("user/score.txt"), TSaveAtClose::No);
  const std::string text = scoreHistoryToJson(h, {.indent = 0, .includeTests = true});
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 1);
  const QJsonObject json = parse(text);
  EXPECT_EQ(json["testCount"].toInt(), 0);
  EXPECT_EQ(single(json["grossPayoffRatio"]), kUndividedFactor);
  EXPECT_TRUE(json["tests"].toArray().isEmpty());
  EXPECT_EQ(json["allPairsRow"].toObject()["total"].toObject()["testCount"].toInt(), 0);

  EXPECT_FALSE(parse(scoreHistoryToJson(h, {.indent = 2, .includeTests = false})).contains("tests"));
}

}  // namespace
