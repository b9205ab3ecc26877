#include "untQtSoundPlayer.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QMediaDevices>

namespace candora {
namespace {

QAudioFormat::SampleFormat toQt(TSampleFormat format) {
  switch (format) {
    case TSampleFormat::UInt8: return QAudioFormat::UInt8;
    case TSampleFormat::Int16: return QAudioFormat::Int16;
    case TSampleFormat::Int32: return QAudioFormat::Int32;
    case TSampleFormat::Float32: return QAudioFormat::Float;
  }
  return QAudioFormat::Unknown;
}

QAudioFormat toQt(const TWaveFormat& wave) {
  QAudioFormat format;
  format.setSampleRate(wave.sampleRate);
  format.setChannelCount(wave.channelCount);
  format.setSampleFormat(toQt(wave.sampleFormat));
  return format;
}

}  // namespace

TQtSoundPlayer::TQtSoundPlayer() : TQtSoundPlayer(&QMediaDevices::defaultAudioOutput) {}

TQtSoundPlayer::TQtSoundPlayer(DeviceSource outputDevice) : outputDevice_(std::move(outputDevice)) {}

TQtSoundPlayer::~TQtSoundPlayer() { stop(); }

bool TQtSoundPlayer::isPlaying() const { return sink_ && sink_->state() == QAudio::ActiveState; }

void TQtSoundPlayer::stop() {
  if (sink_) {
    sink_->stop();
    sink_.reset();
  }
  buffer_.close();
}

void TQtSoundPlayer::play(const TWaveSound& sound) {
  stop();
  if (sound.isEmpty()) return;

  // Checked here rather than left to the sink: a sink on no device complains on every start.
  const QAudioDevice device = outputDevice_ ? outputDevice_() : QAudioDevice();
  if (device.isNull()) return;
  const QAudioFormat format = toQt(sound.getFormat());
  if (!device.isFormatSupported(format)) return;

  // The samples stay in the sound's own bytes; the buffer only reads them.
  const std::string_view samples = sound.getSamples();
  samples_ = QByteArray::fromRawData(samples.data(), static_cast<qsizetype>(samples.size()));
  buffer_.setBuffer(&samples_);
  if (!buffer_.open(QIODevice::ReadOnly)) return;

  sink_ = std::make_unique<QAudioSink>(device, format);
  QAudioSink* sink = sink_.get();
  // Release the output stream as soon as the sound has run out instead of holding it until the
  // next answer.
  QObject::connect(sink, &QAudioSink::stateChanged, sink, [sink](QAudio::State state) {
    if (state == QAudio::IdleState) sink->stop();
  });
  sink->start(&buffer_);
}

}  // namespace candora
