#include "untSoundEffect.h"

#include <stdexcept>
#include <string>

#include "untMyMath.h"
#include "untNivraUtil.h"
#include "untQtSoundPlayer.h"

namespace candora {

TSoundEffect::TSoundEffect() : TSoundEffect(std::make_unique<TQtSoundPlayer>()) {}

TSoundEffect::TSoundEffect(std::unique_ptr<ISoundPlayer> player) : player_(std::move(player)) { loadSounds(); }

TSoundEffect::~TSoundEffect() = default;

void TSoundEffect::loadSounds() {
  std::string problems;
  auto load = [&](TWaveSound& sound, const char* name) {
    try {
      sound = TWaveSound::fromFile(getSoundPath() + name);
    } catch (const std::exception& e) {
      problems += std::string("\n") + e.what();
    }
  };
  load(stay_, "stay.wav");
  load(correct_, "correct.wav");
  load(wrong_, "wrong.wav");
  // One message for all of them: the user learns what is wrong once and the program goes on.
  if (!problems.empty()) showErrorMessage("Some answer sounds will stay silent." + problems);
}

const TWaveSound& TSoundEffect::getSound(TSoundKind kind) const {
  switch (kind) {
    case TSoundKind::Correct: return correct_;
    case TSoundKind::Wrong: return wrong_;
    case TSoundKind::Stay: break;
  }
  return stay_;
}

void TSoundEffect::play(TSoundKind kind) {
  if (!isSoundEnabled_ || !player_) return;
  player_->play(getSound(kind));
}

}  // namespace candora
