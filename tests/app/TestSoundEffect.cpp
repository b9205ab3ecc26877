#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "WaveBytes.h"
#include "untNivraUtil.h"
#include "untSoundEffect.h"

using namespace candora;
using namespace candora::testing;

namespace {

// Stands in for the audio output: remembers what it was asked to play.
class RecordingPlayer : public ISoundPlayer {
public:
  explicit RecordingPlayer(std::vector<const TWaveSound*>& played) : played_(played) {}
  void play(const TWaveSound& sound) override { played_.push_back(&sound); }

private:
  std::vector<const TWaveSound*>& played_;
};

// A data root of its own with three distinguishable sound files (different lengths).
class SoundEffectTest : public ::testing::Test {
protected:
  void SetUp() override {
    setApplicationPath(dir.path().string());
    dir.write("sound/stay.wav", stayBytes);
    dir.write("sound/correct.wav", correctBytes);
    dir.write("sound/wrong.wav", wrongBytes);
  }
  void TearDown() override { setApplicationPath(""); }

  std::unique_ptr<TSoundEffect> make() {
    return std::make_unique<TSoundEffect>(std::make_unique<RecordingPlayer>(played));
  }
  std::vector<std::string> playedNames() const {
    std::vector<std::string> names;
    for (const TWaveSound* s : played)
      names.push_back(s->isEmpty() ? "(silence)" : std::filesystem::path(s->getFileName()).filename().string());
    return names;
  }

  TempDir dir;
  MessageRecorder messages;
  std::vector<const TWaveSound*> played;
  const std::string stayBytes = pcm16Wav(10, 1);
  const std::string correctBytes = pcm16Wav(20, 2);
  const std::string wrongBytes = pcm16Wav(30, 3);
};

using Names = std::vector<std::string>;

}  // namespace

TEST(ChooseSound, FollowsTheGrossOutcomeWithTheZeroTolerance) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  struct Row {
    float gross;
    uint8_t position;
    TSoundKind kind;
  };
  const Row rows[] = {
      {0.35f, TPosition::Long, TSoundKind::Correct},    {0.35f, TPosition::Short, TSoundKind::Correct},
      {-0.12f, TPosition::Long, TSoundKind::Wrong},     {-0.12f, TPosition::Short, TSoundKind::Wrong},
      {0.0002f, TPosition::Long, TSoundKind::Correct},  {-0.0002f, TPosition::Short, TSoundKind::Wrong},
      {0.0001f, TPosition::Long, TSoundKind::Stay},     {-0.00005f, TPosition::Short, TSoundKind::Stay},
      {0.0f, TPosition::Long, TSoundKind::Stay},        {0.0f, TPosition::Stay, TSoundKind::Stay},
      {0.0f, TPosition::Undefined, TSoundKind::Stay},   {nan, TPosition::Long, TSoundKind::Stay},
  };
  for (const Row& r : rows)
    EXPECT_EQ(chooseSound(r.gross, TPosition(r.position)), r.kind)
        << "gross " << r.gross << " position " << int(r.position);
}

TEST_F(SoundEffectTest, EachPlayStartsItsOwnFileFromMemory) {
  auto effects = make();
  EXPECT_TRUE(effects->isSoundEnabled());
  EXPECT_TRUE(messages.messages.empty());
  // Held in memory: the files may go away once the object is made.
  std::filesystem::remove_all(dir.path() / "sound");

  effects->playCorrect();
  effects->playWrong();
  effects->playStay();
  effects->play(chooseSound(-1.0f, TPosition(TPosition::Short)));
  EXPECT_EQ(playedNames(), (Names{"correct.wav", "wrong.wav", "stay.wav", "wrong.wav"}));
  EXPECT_EQ(played[0]->getBytes(), correctBytes);
  EXPECT_EQ(played[1]->getBytes(), wrongBytes);
  EXPECT_EQ(played[2]->getBytes(), stayBytes);
}

TEST_F(SoundEffectTest, SwitchedOffPlaysNothingAndOnAgainPlaysTheNext) {
  auto effects = make();
  effects->setIsSoundEnabled(false);
  effects->playCorrect();
  effects->playWrong();
  effects->playStay();
  EXPECT_TRUE(played.empty());
  effects->setIsSoundEnabled(true);
  effects->playWrong();
  EXPECT_EQ(playedNames(), (Names{"wrong.wav"}));
}

TEST_F(SoundEffectTest, MissingOrBrokenFilesAreReportedOnceAndStaySilent) {
  std::filesystem::remove(dir.path() / "sound/correct.wav");
  dir.write("sound/wrong.wav", "RIFF but nothing more");
  auto effects = make();

  ASSERT_EQ(messages.messages.size(), 1u);
  const std::string& text = messages.messages.front();
  EXPECT_NE(text.find(getSoundPath() + "correct.wav"), std::string::npos) << text;
  EXPECT_NE(text.find(getSoundPath() + "wrong.wav"), std::string::npos) << text;
  EXPECT_EQ(text.find("stay.wav"), std::string::npos) << text;

  // The good sound still plays; the others are silence, which still cuts off a sound playing.
  effects->playStay();
  effects->playCorrect();
  effects->playWrong();
  EXPECT_EQ(playedNames(), (Names{"stay.wav", "(silence)", "(silence)"}));
  EXPECT_EQ(messages.messages.size(), 1u);
}

TEST_F(SoundEffectTest, NoSoundFolderAtAllIsOneMessage) {
  std::filesystem::remove_all(dir.path() / "sound");
  auto effects = make();
  ASSERT_EQ(messages.messages.size(), 1u);
  for (const char* name : {"stay.wav", "correct.wav", "wrong.wav"})
    EXPECT_NE(messages.messages.front().find(name), std::string::npos) << name;
  effects->playCorrect();
  ASSERT_EQ(played.size(), 1u);
  EXPECT_TRUE(played[0]->isEmpty());
}
