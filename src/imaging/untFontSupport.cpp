#include "untFontSupport.h"

#include <cmath>
#include <algorithm>
#include <mutex>

#include <QStringList>

#include "untBitmap32.h"

namespace candora {

namespace {

void installSubstitutions() {
  static std::once_flag once;
  std::call_once(once, [] {
    // IPAGothic is fixed-pitch like the face the texts were laid out for, and holds the kana and
    // kanji of the time-step names and the result card.
    const QStringList fallbacks = {QStringLiteral("IPAGothic"), QString::fromUtf8("IPAゴシック"),
                                   QStringLiteral("Noto Sans Mono CJK JP")};
    QFont::insertSubstitutions(QString::fromUtf8(kDefaultFontName), fallbacks);
  });
}

}  // namespace

int32_t fontSizeToPixels(int32_t pointSize) {
  return int32_t(std::lround(double(pointSize) * 96.0 / 72.0));
}

QFont makeFont(const std::string& name, int32_t pointSize, bool antialiased) {
  installSubstitutions();
  QFont font(QString::fromStdString(name));
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(std::max(1, fontSizeToPixels(pointSize)));
  font.setStyleStrategy(antialiased ? QFont::PreferAntialias : QFont::NoAntialias);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

}  // namespace candora
