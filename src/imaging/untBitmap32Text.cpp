// Text on a TBitmap32 goes through Qt. Qt's glyph blending works on premultiplied pixels, so the text
// is drawn into a small transparent premultiplied picture first and then blended into the bitmap
// pixel by pixel; the bitmap keeps straight alpha throughout.
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QString>

#include <algorithm>

#include "untBitmap32.h"
#include "untFontSupport.h"

namespace candora {

namespace {

QString toQString(const std::string& text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

}  // namespace

int32_t TBitmap32::textWidth(const std::string& text) const {
  const QFontMetrics metrics(makeFont(fontName_, fontSize_));
  return metrics.horizontalAdvance(toQString(text));
}

int32_t TBitmap32::textHeight(const std::string& text) const {
  // The line height of the font, the same for every text, as the label spacing expects.
  const QFontMetrics metrics(makeFont(fontName_, fontSize_));
  return metrics.height();
}

void TBitmap32::renderText(int32_t x, int32_t y, const std::string& text, TColor32 color, bool antialiased) {
  if (isEmpty() || text.empty() || alphaOf(color) == 0) return;
  const QFont font = makeFont(fontName_, fontSize_, antialiased);
  const QFontMetrics metrics(font);
  const QString s = toQString(text);
  // Where the glyphs can fall, with room for overhangs, clipped to the bitmap.
  const QRect ink = metrics.boundingRect(s).translated(x, y + metrics.ascent()).adjusted(-2, -2, 2, 2);
  const QRect area =
      ink.united(QRect(x, y, metrics.horizontalAdvance(s), metrics.height())).intersected(QRect(0, 0, width_, height_));
  if (area.isEmpty()) return;

  QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
  layer.fill(Qt::transparent);
  {
    QPainter painter(&layer);
    painter.setRenderHint(QPainter::TextAntialiasing, antialiased);
    painter.setRenderHint(QPainter::Antialiasing, antialiased);
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(color));
    painter.drawText(QPoint(x - area.left(), y - area.top() + metrics.ascent()), s);
  }
  for (int row = 0; row < area.height(); ++row) {
    const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(row));
    TColor32* dst = scanLine(area.top() + row) + area.left();
    for (int col = 0; col < area.width(); ++col) {
      if (qAlpha(src[col]) == 0) continue;
      dst[col] = blendSourceOver(qUnpremultiply(src[col]), dst[col]);
    }
  }
}

}  // namespace candora
