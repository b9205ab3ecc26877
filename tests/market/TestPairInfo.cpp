#include <gtest/gtest.h>

#include "TestSupport.h"
#include "untPairInfo.h"

using namespace candora;
using candora::testing::TempDir;

namespace {

// Sixteen rows of a pair information file; the fourth is USDJPY.
std::string pairRows() {
  std::string text;
  for (int i = 0; i < 16; ++i) {
    const bool yen = TPair(static_cast<uint8_t>(i)).getQuoteCurrency() == "JPY";
    text += std::to_string(i) + "," + TPair(static_cast<uint8_t>(i)).getToString() + "," +
            (yen ? "0.000,0.001,3," : "0.00000,0.00001,5,") + std::to_string(10 + i) + "\r\n";
  }
  return text;
}

class PairInfoTest : public ::testing::Test {
protected:
  void TearDown() override { setPairList(nullptr); }
  TempDir dir;
};

}  // namespace

TEST_F(PairInfoTest, RatesBecomePricesAndTexts) {
  TPairList list(dir.write("pairinfo.txt", pairRows()));
  setPairList(&list);
  const TPair usdjpy(TPair::USDJPY);
  EXPECT_EQ(list.getCount(), 16);
  EXPECT_EQ(usdjpy.rateToString(92345), "92.345");
  EXPECT_DOUBLE_EQ(usdjpy.rateToPrice(92345), 92.345);
  EXPECT_EQ(usdjpy.getSpread(), 13);
  EXPECT_EQ(usdjpy.getRateFormat(), "0.000");
  EXPECT_EQ(TPair(TPair::EURUSD).rateToString(135790), "1.35790");
}

TEST_F(PairInfoTest, RowsMatchPairsByPositionAndFieldsAreTrimmed) {
  // The first row names USDJPY but belongs to EURUSD; the fourth row has blanks around its fields.
  const std::string text =
      "3,USDJPY,0.000,0.001,3,0\n"
      "1,x,0.0,0.1,1,1\n"
      "2,x,0.0,0.1,1,2\n"
      " 9 ,  ABCDEF , 0.00 ,  0.01 , 2 ,  0 \n";
  TPairList list(dir.write("pairinfo.txt", text));
  setPairList(&list);
  EXPECT_EQ(TPair(TPair::EURUSD).getSpread(), 0);
  EXPECT_EQ(TPair(TPair::EURUSD).rateToString(92345), "92.345");
  EXPECT_EQ(TPair(TPair::USDJPY).rateToString(12345), "123.45");
  EXPECT_EQ(TPair(TPair::USDJPY).getSpread(), 0);
  EXPECT_THROW(TPair(TPair::EURGBP).getSpread(), EListError);
}

TEST_F(PairInfoTest, MissingFileLeavesTheListEmpty) {
  TPairList list(dir.file("nothing.txt"));
  setPairList(&list);
  EXPECT_EQ(list.getCount(), 0);
  EXPECT_THROW(TPair(TPair::USDJPY).getRateFactor(), EListError);
}

TEST_F(PairInfoTest, BadLinesNameTheFileAndLine) {
  struct Row {
    const char* text;
    const char* message;
  };
  const Row rows[] = {{"0,a,0.0,0.1,1,1\n0,a,0.0,0.1,1\n", "line 2: 5 fields, 6 expected"},
                      {"0,a,0.0,0.1,1,1\n\n", "line 2: 0 fields, 6 expected"},
                      {"0,a,0.0,0.1x,1,1\n", "line 1 field 4: '0.1x' is not a valid number"},
                      {"0,a,0.0,0.1,1,wide\n", "line 1 field 6: 'wide' is not a valid integer"}};
  for (const Row& r : rows) {
    const std::string file = dir.write("pairinfo.txt", r.text);
    try {
      TPairList list(file);
      ADD_FAILURE() << r.text;
    } catch (const std::exception& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(file), std::string::npos) << message;
      EXPECT_NE(message.find(r.message), std::string::npos) << message;
    }
  }
}

TEST_F(PairInfoTest, ShippedFileDescribesAllPairs) {
  TPairList list(std::string(CANDORA_SOURCE_DIR) + "/data/etc/pairinfo.txt");
  setPairList(&list);
  ASSERT_EQ(list.getCount(), 16);
  for (uint8_t i = 0; i < 16; ++i) {
    const TPair pair(i);
    SCOPED_TRACE(pair.getToString());
    EXPECT_EQ(list.getRecord(i).name, pair.getToString());
    const bool yen = pair.getQuoteCurrency() == "JPY";
    EXPECT_DOUBLE_EQ(pair.getRateFactor(), yen ? 0.001 : 0.00001);
    EXPECT_GT(pair.getSpread(), 0);
    EXPECT_LT(pair.getSpread(), 50);
  }
}
