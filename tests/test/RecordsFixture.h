#pragma once
// A data folder of its own for every test of the records: the sixteen pairs' information, a small
// conversion table, and helpers that build sessions and tests with chosen moves and answers.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "untConversionTable.h"
#include "untIDateTime.h"
#include "untPairInfo.h"
#include "untTotalResult.h"

namespace candora::testing {

constexpr uint8_t kLong = TPosition::Long, kShort = TPosition::Short, kStay = TPosition::Stay,
                  kUndefined = TPosition::Undefined;

// One answer: the position taken and how many rate units the price moved from entry to exit.
struct Answer {
  uint8_t position;
  int32_t move;
};

class RecordsTest : public ::testing::Test {
protected:
  // The day on which every yen rate is 125.000, and one on which EURJPY and USDJPY are 1.000, so
  // that profits of non-yen pairs can be made exact.
  const int32_t day125 = minutesOf(2009, 6, 1);
  const int32_t dayOne = minutesOf(2009, 6, 2);

  void SetUp() override {
    const std::string pairs =
        "0,EURUSD,0.00000,0.00001,5,10\r\n1,GBPUSD,0.00000,0.00001,5,15\r\n2,USDCHF,0.00000,0.00001,5,15\r\n"
        "3,USDJPY,0.000,0.001,3,8\r\n4,EURGBP,0.00000,0.00001,5,12\r\n5,EURCHF,0.00000,0.00001,5,20\r\n"
        "6,EURJPY,0.000,0.001,3,12\r\n7,GBPCHF,0.00000,0.00001,5,30\r\n8,GBPJPY,0.000,0.001,3,20\r\n"
        "9,CHFJPY,0.000,0.001,3,25\r\n10,USDCAD,0.00000,0.00001,5,18\r\n11,EURCAD,0.00000,0.00001,5,25\r\n"
        "12,AUDUSD,0.00000,0.00001,5,12\r\n13,AUDJPY,0.000,0.001,3,15\r\n14,NZDUSD,0.00000,0.00001,5,20\r\n"
        "15,NZDJPY,0.000,0.001,3,25\r\n";
    // minutes, USDJPY, EURJPY, GBPJPY, CHFJPY, AUDJPY, NZDJPY
    const std::string rates = std::to_string(day125) + ",125000,125000,125000,125000,125000,125000\r\n" +
                              std::to_string(dayOne) + ",1000,1000,1000,1000,1000,1000\r\n";
    pairList = std::make_unique<TPairList>(dir.write("etc/pairinfo.txt", pairs));
    setPairList(pairList.get());
    table = std::make_unique<TConversionTable>(dir.write("etc/conversionrate.txt", rates));
  }

  void TearDown() override { setPairList(nullptr); }

  // Session k of `pair`: exit at 100.000 (or 1.00000) on the 125 day, entry `move` units below it.
  // A non-yen pair's exit price of exactly one keeps its yen conversion exact.
  TSessionRecord session(int k, Answer answer, uint8_t pair = TPair::USDJPY, int32_t exitDay = -1) const {
    TSessionRecord s;
    s.pair = TPair(pair);
    s.timeStep = TTimeStep(5);
    s.sessionNo = k;
    s.entryRate = 100000 - answer.move;
    s.exitRate = 100000;
    s.chartStartTime = TIDateTime(day125 + 600);
    s.entryTime = TIDateTime(day125 + 600 + 19 * 60);
    s.exitTime = TIDateTime((exitDay < 0 ? day125 : exitDay) + 720);
    s.position = TPosition(answer.position);
    s.answerMillis = 1000 * k;
    return s;
  }

  // A test whose first answers.size() sessions are answered as given; the rest are unanswered.
  std::unique_ptr<TTestResult> makeTest(const std::vector<Answer>& answers, uint8_t pair = TPair::USDJPY,
                                        uint8_t timeStep = 5) const {
    auto test = std::make_unique<TTestResult>();
    test->pair = TPair(pair);
    test->timeStep = TTimeStep(timeStep);
    test->testDateTime = encodeDateTime(2024, 5, 1, 9, 8, 7);
    for (int k = 1; k <= kSessionCount; ++k) {
      const std::size_t i = static_cast<std::size_t>(k - 1);
      const Answer a = i < answers.size() ? answers[i] : Answer{kUndefined, 250};
      test->getSession(k) = session(k, a, pair);
      test->getSession(k).timeStep = TTimeStep(timeStep);
    }
    return test;
  }

  // Twenty times the same answer.
  static std::vector<Answer> all(Answer a) { return std::vector<Answer>(kSessionCount, a); }

  TempDir dir;
  std::unique_ptr<TPairList> pairList;
  std::unique_ptr<TConversionTable> table;
};

}  // namespace candora::testing
