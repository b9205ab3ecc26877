#pragma once
// Plays in-memory WAV samples on an audio output through Qt Multimedia. Without an output device
// (a server, a container, a machine with no sound card) it stays silent and says nothing, however
// often it is asked.

#include <QAudioDevice>
#include <QBuffer>
#include <QByteArray>

#include <functional>
#include <memory>

#include "untSoundEffect.h"

class QAudioSink;

namespace candora {

class TQtSoundPlayer : public ISoundPlayer {
public:
  // Asked on every play, so an output plugged in while the program runs is used from then on.
  using DeviceSource = std::function<QAudioDevice()>;

  // Uses the system's default audio output.
  TQtSoundPlayer();
  explicit TQtSoundPlayer(DeviceSource outputDevice);
  ~TQtSoundPlayer() override;

  void play(const TWaveSound& sound) override;
  // True from a successful start until the sound has run out or been cut off.
  bool isPlaying() const;

private:
  void stop();

  DeviceSource outputDevice_;
  std::unique_ptr<QAudioSink> sink_;
  QByteArray samples_;
  QBuffer buffer_;
};

}  // namespace candora
