#pragma once
// The three answer sounds. Each WAV file is read once when the object is made and kept whole in
// memory; playing returns at once, and a new sound cuts off one still playing.
//
// Sounds are a courtesy, never a reason to stop: a missing or unplayable file is reported once when
// the object is made and that sound stays silent; a machine without audio output is silent without
// a word.

#include <memory>

#include "untMarketRecords.h"
#include "untResultSound.h"
#include "untWaveSound.h"

namespace candora {

// What actually makes the noise. The program's player uses the default audio output; tests put a
// recorder here.
class ISoundPlayer {
public:
  virtual ~ISoundPlayer() = default;
  // Stops whatever is still playing, then starts `sound` (nothing, for an empty one) and returns
  // at once. `sound` outlives the playback. Never throws and never reports.
  virtual void play(const TWaveSound& sound) = 0;
};

class TSoundEffect {
public:
  // Reads stay.wav, correct.wav and wrong.wav, in that order, from the sound folder and plays them
  // on the machine's default audio output.
  TSoundEffect();
  explicit TSoundEffect(std::unique_ptr<ISoundPlayer> player);
  ~TSoundEffect();
  TSoundEffect(const TSoundEffect&) = delete;
  TSoundEffect& operator=(const TSoundEffect&) = delete;

  void playStay() { play(TSoundKind::Stay); }
  void playCorrect() { play(TSoundKind::Correct); }
  void playWrong() { play(TSoundKind::Wrong); }
  // Does nothing while sounds are switched off.
  void play(TSoundKind kind);

  bool isSoundEnabled() const { return isSoundEnabled_; }
  void setIsSoundEnabled(bool enabled) { isSoundEnabled_ = enabled; }

  // Empty when its file could not be used.
  const TWaveSound& getSound(TSoundKind kind) const;

private:
  void loadSounds();

  TWaveSound stay_;
  TWaveSound wrong_;
  TWaveSound correct_;
  bool isSoundEnabled_ = true;
  // Declared after the sounds so that it stops playing before their bytes are freed.
  std::unique_ptr<ISoundPlayer> player_;
};

}  // namespace candora
