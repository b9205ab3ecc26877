#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMediaDevices>
#include <QtGlobal>

#include <string>
#include <vector>

#include "WaveBytes.h"
#include "untQtSoundPlayer.h"
#include "untWaveSound.h"

using namespace candora;
using namespace candora::testing;

namespace {

std::vector<std::string>& qtMessages() {
  static std::vector<std::string> messages;
  return messages;
}

// Catches what Qt would print, to show that playing without an output says nothing.
class QtMessageCatcher {
public:
  QtMessageCatcher() {
    qtMessages().clear();
    previous_ = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
      qtMessages().push_back(text.toStdString());
    });
  }
  ~QtMessageCatcher() { qInstallMessageHandler(previous_); }

private:
  QtMessageHandler previous_;
};

class QtSoundPlayerTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "test_app";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
  }

  const TWaveSound beep = TWaveSound::fromBytes(pcm16Wav(4410), "beep.wav");
};

}  // namespace

TEST_F(QtSoundPlayerTest, WithoutAnOutputDeviceItIsSilentAndQuiet) {
  QtMessageCatcher catcher;
  int asked = 0;
  TQtSoundPlayer player([&] {
    ++asked;
    return QAudioDevice();
  });
  for (int i = 0; i < 5; ++i) {
    player.play(beep);
    EXPECT_FALSE(player.isPlaying());
  }
  player.play(TWaveSound());
  EXPECT_EQ(asked, 5);  // the device is looked for on every sound, never for silence
  EXPECT_TRUE(qtMessages().empty()) << qtMessages().front();
}

// On the machine's real default output: whatever it is (none on a build server), playing returns
// at once, repeatedly, without a complaint each time.
TEST_F(QtSoundPlayerTest, DefaultOutputNeverBlocksOrNagsOnEveryPlay) {
  TQtSoundPlayer player;
  player.play(beep);  // the first use may bring up the audio service, which can report once
  const bool haveOutput = !QMediaDevices::defaultAudioOutput().isNull();

  QtMessageCatcher catcher;
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < 5; ++i) player.play(beep);
  EXPECT_LT(timer.elapsed(), 2000);
  if (!haveOutput) {
    EXPECT_FALSE(player.isPlaying());
  }
  EXPECT_TRUE(qtMessages().empty()) << qtMessages().front();
}
