#include <gtest/gtest.h>

#include <string>

#include "TestSupport.h"
#include "WaveBytes.h"
#include "untNivraUtil.h"
#include "untWaveSound.h"

using namespace candora;
using namespace candora::testing;

TEST(WaveSound, KeepsTheWholeFileAndFindsItsSamples) {
  const std::string bytes = pcm16Wav(100, 5);
  const TWaveSound sound = TWaveSound::fromBytes(bytes, "beep.wav");
  EXPECT_EQ(sound.getBytes(), bytes);
  EXPECT_EQ(sound.getFormat().sampleRate, 44100);
  EXPECT_EQ(sound.getFormat().channelCount, 1);
  EXPECT_EQ(sound.getFormat().sampleFormat, TSampleFormat::Int16);
  ASSERT_EQ(sound.getSamples().size(), 200u);
  EXPECT_EQ(sound.getSamples()[0], 5);  // the first sample, low byte
  EXPECT_EQ(sound.getSamples().data(), sound.getBytes().data() + 44);
  EXPECT_NEAR(sound.getDurationSeconds(), 100.0 / 44100, 1e-12);
}

TEST(WaveSound, ToleratesWhatRealWritersProduce) {
  // An odd-sized chunk before the samples is padded to an even length.
  const std::string withList =
      riff(chunk("fmt ", fmtBody(1, 1, 22050, 16)) + chunk("LIST", "abc") + chunk("data", std::string(8, '\1')));
  EXPECT_EQ(TWaveSound::fromBytes(withList, "list.wav").getSamples(), std::string(8, '\1'));

  // A data chunk cut off mid-frame plays the whole frames that are there.
  std::string cut = riff(chunk("fmt ", fmtBody(1, 2, 8000, 16)) + chunk("data", std::string(16, '\2')));
  cut.resize(cut.size() - 7);
  EXPECT_EQ(TWaveSound::fromBytes(cut, "cut.wav").getSamples().size(), 8u);

  // 32-bit float in an extensible header: the real tag sits at the start of the sub-format GUID.
  std::string ext = fmtBody(0xFFFE, 2, 48000, 32);
  putU16(ext, 22);
  putU16(ext, 32);
  putU32(ext, 3);
  putU16(ext, 3);  // IEEE float
  ext += std::string(14, '\0');
  const TWaveSound f = TWaveSound::fromBytes(riff(chunk("fmt ", ext) + chunk("data", std::string(16, '\0'))), "f.wav");
  EXPECT_EQ(f.getFormat().sampleFormat, TSampleFormat::Float32);
  EXPECT_EQ(f.getFormat().channelCount, 2);

  const TWaveSound u8 =
      TWaveSound::fromBytes(riff(chunk("fmt ", fmtBody(1, 1, 11025, 8)) + chunk("data", "\x80\x80")), "u8.wav");
  EXPECT_EQ(u8.getFormat().sampleFormat, TSampleFormat::UInt8);

  // A file with a header and no samples is valid and simply silent.
  EXPECT_TRUE(TWaveSound::fromBytes(pcm16Wav(0), "empty.wav").isEmpty());
}

TEST(WaveSound, RejectsWhatNoPlayerCanUseNamingTheFile) {
  const std::string fmt16 = chunk("fmt ", fmtBody(1, 1, 44100, 16));
  const std::string data = chunk("data", std::string(4, '\0'));
  std::string badAlign = fmtBody(1, 2, 44100, 16);
  badAlign[12] = 3;
  struct Row {
    const char* what;
    std::string bytes;
    const char* problem;
  };
  const Row rows[] = {
      {"text", "this is not a sound", "not a WAV file"},
      {"empty file", "", "not a WAV file"},
      {"no format", riff(data), "before their format header"},
      {"format only", riff(fmt16), "no sample data"},
      {"nothing inside", riff(""), "no format header"},
      {"24-bit", riff(chunk("fmt ", fmtBody(1, 1, 44100, 24)) + data), "24-bit samples"},
      {"ADPCM", riff(chunk("fmt ", fmtBody(2, 1, 44100, 4)) + data), "compressed"},
      {"frame size", riff(chunk("fmt ", badAlign) + data), "frame size"},
      {"no channels", riff(chunk("fmt ", fmtBody(1, 0, 44100, 16)) + data), "0 channels"},
      {"short format", riff(chunk("fmt ", std::string(10, '\0')) + data), "too short"},
      {"format cut off", riff(fmt16).substr(0, 30), "cut off"},
  };
  for (const Row& r : rows) {
    try {
      TWaveSound::fromBytes(r.bytes, "/x/sound/odd.wav");
      ADD_FAILURE() << r.what << " was accepted";
    } catch (const EConvertError& e) {
      const std::string text = e.what();
      EXPECT_NE(text.find("\"/x/sound/odd.wav\""), std::string::npos) << r.what << ": " << text;
      EXPECT_NE(text.find(r.problem), std::string::npos) << r.what << ": " << text;
    }
  }
}

TEST(WaveSound, UnreadableFileIsAnInputOutputError) {
  TempDir dir;
  try {
    TWaveSound::fromFile(dir.file("gone.wav"));
    ADD_FAILURE() << "a missing file was read";
  } catch (const EInOutError& e) {
    EXPECT_NE(std::string(e.what()).find("gone.wav"), std::string::npos) << e.what();
  }
}

// The files the build generates must be ones the program can play, and begin and end on silence
// so that neither a start nor a cut-off clicks.
TEST(GeneratedSounds, ArePlayableShortAndStartAndEndSilent) {
  for (const char* name : {"stay.wav", "correct.wav", "wrong.wav"}) {
    const TWaveSound s = TWaveSound::fromFile(std::string(CANDORA_SOUND_DIR) + "/" + name);
    EXPECT_EQ(s.getFormat().sampleRate, 44100) << name;
    EXPECT_EQ(s.getFormat().channelCount, 1) << name;
    EXPECT_EQ(s.getFormat().sampleFormat, TSampleFormat::Int16) << name;
    EXPECT_GT(s.getDurationSeconds(), 0.05) << name;
    EXPECT_LT(s.getDurationSeconds(), 1.0) << name;
    const std::string_view pcm = s.getSamples();
    ASSERT_GE(pcm.size(), 4u);
    EXPECT_EQ(pcm.substr(0, 2), std::string_view("\0\0", 2)) << name;
    EXPECT_EQ(pcm.substr(pcm.size() - 2), std::string_view("\0\0", 2)) << name;
  }
}
