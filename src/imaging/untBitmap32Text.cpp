// Text on a TBitmap32 goes through Qt: a QImage wraps the pixel buffer in place, so the glyphs are
// blended straight into the bitmap.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include "untBitmap32.h"
#include "untFontSupport.h"

namespace candora {

int32_t TBitmap32::textWidth(const std::string& text) const {
  const QFontMetrics metrics(makeFont(fontName_, fontSize_));
  return metrics.horizontalAdvance(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

int32_t TBitmap32::textHeight(const std::string& text) const {
  // The line height of the font, the same for every text, as the label spacing expects.
  const QFontMetrics metrics(makeFont(fontName_, fontSize_));
  return metrics.height();
}

void TBitmap32::renderText(int32_t x, int32_t y, const std::string& text, TColor32 color, bool antialiased) {
  if (isEmpty() || text.empty()) return;
  QImage image(reinterpret_cast<uchar*>(bits_.data()), width_, height_, qsizetype(width_) * 4, QImage::Format_ARGB32);
  const QFont font = makeFont(fontName_, fontSize_, antialiased);
  QPainter painter(&image);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
  painter.setRenderHint(QPainter::Antialiasing, antialiased);
  painter.setFont(font);
  painter.setPen(QColor::fromRgba(color));
  const QFontMetrics metrics(font, &image);
  painter.drawText(QPoint(x, y + metrics.ascent()), QString::fromUtf8(text.data(), qsizetype(text.size())));
}

}  // namespace candora
