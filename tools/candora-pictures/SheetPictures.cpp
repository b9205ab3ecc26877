// The two sheets the program cuts pieces from: digits and the pair and time-step labels. Their
// cell geometry is fixed by the code that cuts them.
#include <QLinearGradient>
#include <QPainterPath>

#include <array>

#include "PictureKit.h"
#include "Pictures.h"
#include "untBitmapManager.h"
#include "untMarketRecords.h"
#include "untNumbering.h"
#include "untPairInfo.h"

namespace pictures {

namespace {

struct DigitStyle {
  QColor top;
  QColor bottom;
};

// Neutral, gain, loss: white, the blue of rising candles, the red of falling ones.
const std::array<DigitStyle, 3> kDigitStyles = {{
    {QColor(0xFF, 0xFF, 0xFF), QColor(0xC4, 0xCB, 0xD6)},
    {QColor(0xA8, 0xD6, 0xFF), QColor(0x3A, 0x8A, 0xFF)},
    {QColor(0xFF, 0xA8, 0xA0), QColor(0xEE, 0x3A, 0x3A)},
}};

// Where the glyph sits inside the used part of a cell, per size: left and top inset, glyph width
// and height. The one-pixel dark rim drawn around it stays inside the cell.
struct GlyphBox {
  qreal left, top, width, height, minusThickness;
};
const std::array<GlyphBox, 3> kGlyphBoxes = {{
    {1.5, 2.0, 9.0, 15.0, 2.5},
    {2.0, 3.0, 14.0, 21.0, 3.5},
    {3.0, 4.0, 23.0, 35.0, 5.0},
}};

// Outlines of the ten digits in one font, and the box they share, so that every digit stands on the
// same baseline at the same height.
struct DigitOutlines {
  std::array<QPainterPath, 10> paths;
  QRectF shared;
};

DigitOutlines digitOutlines() {
  DigitOutlines d;
  const QFont font = headingFont(200);
  for (int i = 0; i < 10; ++i) {
    d.paths[std::size_t(i)].addText(0, 0, font, QString::number(i));
    d.shared = d.shared.united(d.paths[std::size_t(i)].boundingRect());
  }
  return d;
}

void paintGlyph(QPainter& p, const QPainterPath& glyph, const DigitStyle& style, const QRectF& box) {
  QLinearGradient g(box.topLeft(), box.bottomLeft());
  g.setColorAt(0.0, style.top);
  g.setColorAt(1.0, style.bottom);
  p.setPen(QPen(QColor(0, 0, 0, 210), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(glyph);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(glyph);
}

}  // namespace

QImage makeDigitSheet() {
  using candora::kDigitCellSizes;
  const DigitOutlines outlines = digitOutlines();
  QImage image = transparentImage(candora::kDigitCellCount * kDigitCellSizes[2].width, 300);
  QPainter p(&image);
  preparePainter(p);
  for (std::size_t row = 0; row < 3; ++row) {
    for (std::size_t size = 0; size < 3; ++size) {
      const candora::TDigitCellSize cell = kDigitCellSizes[size];
      const GlyphBox gb = kGlyphBoxes[size];
      const qreal cellTop = candora::kDigitRowOffsets[row] + cell.offset;
      for (int c = 0; c < candora::kDigitCellCount; ++c) {
        const QRectF box(c * cell.width + gb.left, cellTop + gb.top, gb.width, gb.height);
        QPainterPath glyph;
        if (c == candora::kMinusCell) {
          const qreal w = gb.width * 0.72;
          glyph.addRect(QRectF(box.center().x() - w / 2, box.center().y() - gb.minusThickness / 2, w,
                               gb.minusThickness));
        } else {
          // Scale the shared box onto the glyph box, centring each digit on its own ink.
          const QPainterPath& src = outlines.paths[std::size_t(c)];
          const qreal sx = gb.width / outlines.shared.width();
          const qreal sy = gb.height / outlines.shared.height();
          QTransform t;
          t.translate(box.center().x(), box.top());
          t.scale(sx, sy);
          t.translate(-src.boundingRect().center().x(), -outlines.shared.top());
          glyph = t.map(src);
        }
        paintGlyph(p, glyph, kDigitStyles[row], box);
      }
    }
  }
  return image;
}

namespace {

void paintLabel(QPainter& p, const QRectF& rect, const QString& text, const QFont& font) {
  QLinearGradient g(rect.topLeft(), rect.bottomLeft());
  g.setColorAt(0.0, QColor(0x27, 0x38, 0x52));
  g.setColorAt(1.0, QColor(0x16, 0x21, 0x33));
  p.setPen(QPen(QColor(0x4A, 0x68, 0x92), 1));
  p.setBrush(g);
  p.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
  drawText(p, rect, Qt::AlignCenter, text, font, color::text);
}

}  // namespace

QImage makeLabelSheet() {
  using namespace candora;
  const int rows = TPair::kCount;
  QImage image = transparentImage(kTimeStepLabelLeft + kTimeStepLabelWidth - 1, kLabelRowHeight * rows);
  QPainter p(&image);
  preparePainter(p);
  // Each label fills the top 17 rows of its 18-pixel row, one pixel short of the next column.
  const int labelHeight = kLabelRowHeight - 1;
  for (int k = 0; k < TPair::kCount; ++k) {
    const QRectF rect(kPairLabelLeft, kLabelRowHeight * k, kPairLabelWidth - 1, labelHeight);
    QFont font = headingFont(11);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.6);
    paintLabel(p, rect, QString::fromStdString(TPair(uint8_t(k)).getToString()), font);
  }
  for (int k = 0; k < TTimeStep::kCount; ++k) {
    const QRectF rect(kTimeStepLabelLeft, kLabelRowHeight * k, kTimeStepLabelWidth - 1, labelHeight);
    paintLabel(p, rect, QString::fromStdString(TTimeStep(uint8_t(k)).getToCandleString()), japaneseFixedFont(12));
  }
  return image;
}

}  // namespace pictures
