// The pictures the chart shows: its background and corner mask, the question prompt and the three
// result cards.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRadialGradient>

#include "PictureKit.h"
#include "Pictures.h"

namespace pictures {

namespace {

// The chart's default size; the chart stretches the background over whatever size it has.
constexpr int kChartWidth = 846;
constexpr int kChartHeight = 466;

}  // namespace

QImage makeChartBackground() {
  QImage image(kChartWidth, kChartHeight, QImage::Format_RGB32);
  QPainter p(&image);
  preparePainter(p);
  fillBackground(p, image.rect());
  // A faint light from the top centre keeps the large dark area from looking flat.
  QRadialGradient glow(QPointF(kChartWidth * 0.5, -kChartHeight * 0.25), kChartWidth * 0.75);
  glow.setColorAt(0.0, QColor(0x30, 0x48, 0x70, 70));
  glow.setColorAt(1.0, QColor(0x30, 0x48, 0x70, 0));
  p.fillRect(image.rect(), glow);
  return image;
}

QImage makeChartMask() {
  // The corner above the chart's frame: the name of the program on a tab whose slanted end answers
  // the title tab on the other side of the frame.
  QImage image = transparentImage(236, 30);
  QPainter p(&image);
  preparePainter(p);
  QPainterPath tab;
  tab.moveTo(0, 0);
  tab.lineTo(236, 0);
  tab.lineTo(212, 26);
  tab.lineTo(0, 26);
  tab.closeSubpath();
  QLinearGradient g(0, 0, 0, 26);
  g.setColorAt(0.0, QColor(0x1C, 0x27, 0x38, 235));
  g.setColorAt(1.0, QColor(0x10, 0x16, 0x20, 235));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(tab);
  p.setPen(QPen(color::gridStrong, 1));
  p.drawLine(QPointF(0, 26.5), QPointF(212, 26.5));
  p.drawLine(QPointF(212, 26.5), QPointF(236, 0.5));

  // Three small candles: up, down, up.
  struct Candle {
    qreal x, wickTop, bodyTop, bodyBottom, wickBottom;
    QColor color;
  };
  const Candle candles[] = {{12, 5, 9, 19, 22, QColor(0x2F, 0x6B, 0xFF)},
                            {20, 4, 7, 15, 20, QColor(0xE8, 0x32, 0x32)},
                            {28, 3, 6, 13, 17, QColor(0x2F, 0x6B, 0xFF)}};
  for (const Candle& c : candles) {
    p.setPen(QPen(color::silver, 1));
    p.drawLine(QPointF(c.x + 0.5, c.wickTop), QPointF(c.x + 0.5, c.wickBottom));
    p.setPen(Qt::NoPen);
    p.setBrush(c.color);
    p.drawRect(QRectF(c.x - 2, c.bodyTop, 5, c.bodyBottom - c.bodyTop));
  }
  const qreal w = drawTextAt(p, 40, 4, QStringLiteral("Candora"), headingFont(15), color::silver);
  drawTextAt(p, 40 + w + 8, 9, QString::fromUtf8("FXチャート練習"), japaneseFont(11), color::dim);
  return image;
}

QImage makePrompt() {
  // The question text is drawn later, centred in the box left 24, top 28, 450 × 21.
  const QRectF textBox(24, 28, 450, 21);
  QImage image = transparentImage(498, 84);
  QPainter p(&image);
  preparePainter(p);
  QLinearGradient g(0, 0, 0, 84);
  g.setColorAt(0.0, QColor(0x18, 0x22, 0x33, 248));
  g.setColorAt(1.0, QColor(0x0C, 0x11, 0x1A, 248));
  p.setPen(QPen(QColor(0x3D, 0x6E, 0xC8), 1.5));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(1, 1, 496, 82), 9, 9);

  drawHeading(p, 24, 8, QStringLiteral("QUESTION"), QString::fromUtf8("値動きを予想"), 11, 11);
  p.setPen(QPen(QColor(0x2C, 0x3D, 0x58), 1));
  p.setBrush(QColor(0x0A, 0x0F, 0x18, 230));
  p.drawRoundedRect(textBox.adjusted(-4, -2, 4, 2), 4, 4);

  // The three answers, coloured as the candles of the move they bet on.
  struct Chip {
    const char* english;
    const char* japanese;
    QColor color;
  };
  const Chip chips[] = {{"LONG", "買い", color::blue}, {"SHORT", "売り", color::red}, {"STAY", "見送り", QColor(0x6A, 0x74, 0x84)}};
  qreal x = 24;
  for (const Chip& c : chips) {
    const QFont en = headingFont(10);
    const QFont jp = japaneseFont(11);
    const qreal w = QFontMetricsF(en).horizontalAdvance(QString::fromUtf8(c.english)) +
                    QFontMetricsF(jp).horizontalAdvance(QString::fromUtf8(c.japanese)) + 22;
    const QRectF chip(x, 59, w, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(c.color.red(), c.color.green(), c.color.blue(), 70));
    p.drawRoundedRect(chip, 8, 8);
    p.setBrush(c.color);
    p.drawEllipse(QPointF(chip.left() + 8, chip.center().y()), 3, 3);
    const qreal ew = drawTextAt(p, chip.left() + 14, chip.top() + 2.5, QString::fromUtf8(c.english), en, color::text);
    drawTextAt(p, chip.left() + 18 + ew, chip.top() + 2, QString::fromUtf8(c.japanese), jp, color::silver);
    x += w + 8;
  }
  return image;
}

namespace {

struct CardStyle {
  QColor accent;
  QColor accentLight;
  const char* english;
  const char* japanese;
};

CardStyle cardStyle(Outcome outcome) {
  switch (outcome) {
    case Outcome::correct: return {QColor(0x2F, 0x7B, 0xFF), QColor(0x7A, 0xBE, 0xFF), "CORRECT", "正解"};
    case Outcome::wrong: return {QColor(0xE0, 0x30, 0x30), QColor(0xFF, 0x7A, 0x72), "WRONG", "不正解"};
    case Outcome::even: break;
  }
  return {QColor(0x8C, 0x96, 0xA6), QColor(0xD8, 0xDE, 0xE8), "EVEN", "引き分け"};
}

// The mark: a ring for a correct answer, a cross for a wrong one, a triangle for an even one.
void paintMark(QPainter& p, Outcome outcome, const QPointF& centre, qreal r, const QColor& colour) {
  p.save();
  for (int pass = 0; pass < 2; ++pass) {
    // First a dark rim, then the colour, so the mark stands out from the band behind it.
    const qreal width = pass == 0 ? 10.0 : 6.5;
    p.setPen(QPen(pass == 0 ? QColor(0, 0, 0, 150) : colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    switch (outcome) {
      case Outcome::correct: p.drawEllipse(centre, r, r); break;
      case Outcome::wrong:
        p.drawLine(centre + QPointF(-r, -r), centre + QPointF(r, r));
        p.drawLine(centre + QPointF(-r, r), centre + QPointF(r, -r));
        break;
      case Outcome::even: {
        const QPointF pts[] = {centre + QPointF(0, -r * 1.05), centre + QPointF(r * 1.1, r * 0.85),
                               centre + QPointF(-r * 1.1, r * 0.85)};
        p.drawPolygon(pts, 3);
        break;
      }
    }
  }
  p.restore();
}

}  // namespace

QImage makeResultCard(Outcome outcome) {
  // Six rows of white text are drawn later from x 94: the session's profit (large) at y 80, the
  // position at 126, entry at 150, exit at 174, the win rate at 212 and the running total at 236.
  const CardStyle style = cardStyle(outcome);
  const int width = 340, height = 270;
  QImage image = transparentImage(width, height);
  QPainter p(&image);
  preparePainter(p);

  const QRectF card(1, 1, width - 2, height - 2);
  QLinearGradient body(0, 0, 0, height);
  body.setColorAt(0.0, QColor(0x16, 0x1E, 0x2B, 250));
  body.setColorAt(1.0, QColor(0x0B, 0x10, 0x18, 250));
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  p.drawRoundedRect(card, 12, 12);

  // The coloured band with the mark and the word.
  QPainterPath band;
  band.addRoundedRect(card, 12, 12);
  QPainterPath top;
  top.addRect(QRectF(0, 0, width, 68));
  QLinearGradient bandFill(0, 0, width, 0);
  QColor a = style.accent;
  a.setAlpha(150);
  QColor b = style.accent;
  b.setAlpha(25);
  bandFill.setColorAt(0.0, a);
  bandFill.setColorAt(1.0, b);
  p.setBrush(bandFill);
  p.drawPath(band.intersected(top));
  drawHLine(p, 1, width - 1, 68, style.accent, 2);

  paintMark(p, outcome, QPointF(47, 34), 20, style.accentLight);
  drawTextAt(p, 94, 9, QString::fromUtf8(style.english), headingFont(27), QColor(0xFF, 0xFF, 0xFF));
  drawTextAt(p, 96, 44, QString::fromUtf8(style.japanese), japaneseFont(13), style.accentLight);

  // Captions left of the rows, ending at x 84.
  const QFont captionFont = japaneseFont(11);
  struct Caption {
    qreal y;
    const char* text;
  };
  const Caption captions[] = {{92, "損益"}, {128, "売買"}, {152, "約定"}, {176, "決済"}, {214, "勝率"}, {238, "累計"}};
  for (const Caption& c : captions) {
    drawText(p, QRectF(10, c.y, 74, 14), Qt::AlignRight | Qt::AlignVCenter, QString::fromUtf8(c.text), captionFont,
             color::dim);
  }
  drawVLine(p, 88, 82, 254, QColor(style.accent.red(), style.accent.green(), style.accent.blue(), 120));
  drawHLine(p, 18, width - 18, 121, color::grid);
  drawHLine(p, 18, width - 18, 202, color::grid);

  p.setPen(QPen(style.accent, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(card, 12, 12);
  return image;
}

}  // namespace pictures
