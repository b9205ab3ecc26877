#include "PictureKit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

namespace pictures {

namespace {

QFont makeFont(const char* family, int pixels, bool bold) {
  QFont f(QString::fromUtf8(family));
  f.setPixelSize(pixels);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setStyleStrategy(QFont::PreferAntialias);
  return f;
}

}  // namespace

QFont headingFont(int pixels, bool bold) { return makeFont("DejaVu Sans", pixels, bold); }
QFont japaneseFont(int pixels, bool bold) { return makeFont("IPAPGothic", pixels, bold); }
QFont japaneseFixedFont(int pixels, bool bold) { return makeFont("IPAGothic", pixels, bold); }

QImage transparentImage(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

void preparePainter(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, true);
  p.setRenderHint(QPainter::TextAntialiasing, true);
  p.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

void fillBackground(QPainter& p, const QRectF& rect) {
  QLinearGradient g(rect.topLeft(), rect.bottomLeft());
  g.setColorAt(0.0, color::backgroundTop);
  g.setColorAt(1.0, color::backgroundBottom);
  p.fillRect(rect, g);
}

void drawPanel(QPainter& p, const QRectF& rect, const QColor& fill, const QColor& border, qreal radius) {
  p.save();
  p.setPen(QPen(border, 1));
  p.setBrush(fill);
  p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  p.restore();
}

void drawHLine(QPainter& p, qreal x1, qreal x2, qreal y, const QColor& c, qreal width) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(c, width));
  p.drawLine(QPointF(x1, y), QPointF(x2, y));
  p.restore();
}

void drawVLine(QPainter& p, qreal x, qreal y1, qreal y2, const QColor& c, qreal width) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QPen(c, width));
  p.drawLine(QPointF(x, y1), QPointF(x, y2));
  p.restore();
}

void drawText(QPainter& p, const QRectF& box, int flags, const QString& text, const QFont& font, const QColor& c) {
  p.save();
  p.setFont(font);
  p.setPen(c);
  p.drawText(box, flags, text);
  p.restore();
}

qreal drawTextAt(QPainter& p, qreal x, qreal y, const QString& text, const QFont& font, const QColor& c) {
  const QFontMetricsF m(font);
  p.save();
  p.setFont(font);
  p.setPen(c);
  p.drawText(QPointF(x, y + m.ascent()), text);
  p.restore();
  return m.horizontalAdvance(text);
}

void drawHeading(QPainter& p, qreal x, qreal y, const QString& english, const QString& japanese, int englishPixels,
                 int japanesePixels) {
  const QFont en = headingFont(englishPixels);
  const QFont jp = japaneseFont(japanesePixels);
  const qreal w = drawTextAt(p, x, y, english, en, color::text);
  // Both sit on one baseline.
  const qreal baseline = y + QFontMetricsF(en).ascent();
  drawTextAt(p, x + w + 8, baseline - QFontMetricsF(jp).ascent(), japanese, jp, color::dim);
}

}  // namespace pictures
