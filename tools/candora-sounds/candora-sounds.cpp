// Writes the three answer sounds, stay.wav, correct.wav and wrong.wav, into the folder named on
// the command line. They are synthesised from fixed recipes with no randomness, so every build
// produces the same files.
//
// All three are 16-bit PCM, mono, 44.1 kHz. Every sound starts and ends on silence through smooth
// envelopes, so nothing clicks when a sound starts or is cut off by the next.

#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <numbers>
#include <string>
#include <vector>

#include "untAtomicFile.h"

namespace {

constexpr int kSampleRate = 44100;
constexpr double kPi = std::numbers::pi;

using Samples = std::vector<double>;

Samples silence(double seconds) { return Samples(static_cast<std::size_t>(std::lround(seconds * kSampleRate)), 0.0); }

// Rises from 0 to 1 along half a cosine: no corner for the ear to hear as a click.
double smoothRise(double t, double length) { return t >= length ? 1.0 : 0.5 * (1.0 - std::cos(kPi * t / length)); }

struct Partial {
  double ratio;      // of the note's frequency
  double amplitude;  // relative to the fundamental
  double decay;      // time constant in seconds
};

// A struck note: quick smooth attack, each partial dying away on its own time constant. The pitch
// may slide by `glide` (a frequency ratio reached at `seconds`).
void addNote(Samples& out, double start, double seconds, double frequency, double attack,
             const std::vector<Partial>& partials, double glide = 1.0) {
  const auto first = static_cast<std::size_t>(std::lround(start * kSampleRate));
  const auto count = static_cast<std::size_t>(std::lround(seconds * kSampleRate));
  std::vector<double> phase(partials.size(), 0.0);
  for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
    const double t = static_cast<double>(i) / kSampleRate;
    const double f = frequency * std::pow(glide, t / seconds);
    const double rise = smoothRise(t, attack);
    double value = 0.0;
    for (std::size_t k = 0; k < partials.size(); ++k) {
      value += partials[k].amplitude * std::exp(-t / partials[k].decay) * std::sin(phase[k]);
      phase[k] += 2.0 * kPi * f * partials[k].ratio / kSampleRate;
    }
    out[first + i] += rise * value;
  }
}

// Brings the tail smoothly to exact silence over its last `seconds`.
void fadeOut(Samples& s, double seconds) {
  const auto n = std::min(s.size(), static_cast<std::size_t>(std::lround(seconds * kSampleRate)));
  for (std::size_t i = 0; i < n; ++i) {
    const double left = static_cast<double>(n - 1 - i) / static_cast<double>(n - 1);  // 1 down to 0
    s[s.size() - n + i] *= smoothRise(left, 1.0);
  }
}

// Scales to the given peak (a fraction of full scale) and rounds to 16 bits.
std::vector<int16_t> toPcm(const Samples& s, double peak) {
  double largest = 0.0;
  for (double v : s) largest = std::max(largest, std::abs(v));
  const double gain = largest > 0.0 ? peak * 32767.0 / largest : 0.0;
  std::vector<int16_t> pcm(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) pcm[i] = static_cast<int16_t>(std::lround(s[i] * gain));
  return pcm;
}

void putU16(std::string& out, uint32_t v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

void putU32(std::string& out, uint32_t v) {
  putU16(out, v & 0xFFFF);
  putU16(out, v >> 16);
}

std::string toWav(const std::vector<int16_t>& pcm) {
  const auto dataBytes = static_cast<uint32_t>(pcm.size() * 2);
  std::string out = "RIFF";
  putU32(out, 36 + dataBytes);
  out += "WAVEfmt ";
  putU32(out, 16);
  putU16(out, 1);  // linear PCM
  putU16(out, 1);  // mono
  putU32(out, kSampleRate);
  putU32(out, kSampleRate * 2);
  putU16(out, 2);   // bytes per frame
  putU16(out, 16);  // bits per sample
  out += "data";
  putU32(out, dataBytes);
  for (int16_t v : pcm) putU16(out, static_cast<uint16_t>(v));
  return out;
}

// Two bell-like notes a fourth apart, the second answering the first: G5 then C6.
std::string correctSound() {
  const std::vector<Partial> bell = {{1.0, 1.0, 0.30}, {2.0, 0.25, 0.12}, {3.0, 0.08, 0.06}};
  Samples s = silence(0.75);
  addNote(s, 0.00, 0.75, 783.99, 0.004, bell);
  addNote(s, 0.12, 0.63, 1046.50, 0.004, bell);
  fadeOut(s, 0.08);
  return toWav(toPcm(s, 0.5));  // -6 dBFS
}

// One soft low note that sinks slightly: G3 falling a little under a semitone.
std::string wrongSound() {
  const std::vector<Partial> hum = {{1.0, 1.0, 0.35}, {2.0, 0.35, 0.20}, {3.0, 0.12, 0.12}};
  Samples s = silence(0.50);
  addNote(s, 0.0, 0.50, 196.00, 0.025, hum, 0.95);
  fadeOut(s, 0.10);
  return toWav(toPcm(s, 0.4));  // about -8 dBFS
}

// A short wooden tick, neither glad nor sorry.
std::string stayTick() {
  const std::vector<Partial> wood = {{1.0, 1.0, 0.018}, {2.37, 0.30, 0.010}};
  Samples s = silence(0.09);
  addNote(s, 0.0, 0.09, 1000.0, 0.0015, wood);
  fadeOut(s, 0.02);
  return toWav(toPcm(s, 0.316));  // -10 dBFS
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::cerr << "usage: candora-sounds FOLDER\n"
                 "Writes stay.wav, correct.wav and wrong.wav into FOLDER.\n";
    return 2;
  }
  try {
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    candora::writeFileAtomically((folder / "stay.wav").string(), stayTick());
    candora::writeFileAtomically((folder / "correct.wav").string(), correctSound());
    candora::writeFileAtomically((folder / "wrong.wav").string(), wrongSound());
  } catch (const std::exception& e) {
    std::cerr << "candora-sounds: " << e.what() << '\n';
    return 1;
  }
  return 0;
}
