// The seven score board sheets. The score board draws only numbers, two labels and bars onto them,
// at fixed pixel positions; every caption, unit and grid line here is placed around those positions.
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>

#include <cmath>

#include "PictureKit.h"
#include "Pictures.h"
#include "untMarketRecords.h"
#include "untPairInfo.h"

namespace pictures {

namespace {

constexpr int kSheetWidth = 768;
constexpr int kSheetHeight = 410;

// Heights of the score board's digit pictures: small and medium.
constexpr int kSmallDigitHeight = 20;
constexpr int kSmallDigitWidth = 13;
constexpr int kMediumDigitHeight = 28;

QImage sheetCanvas() {
  QImage image(kSheetWidth, kSheetHeight, QImage::Format_RGB32);
  image.fill(color::backgroundBottom);
  return image;
}

// A unit or short word beside a row of digits, centred on the digits' height.
void drawUnit(QPainter& p, qreal x, qreal top, qreal digitHeight, const QString& text, const QFont& font,
              const QColor& c = color::silver) {
  drawText(p, QRectF(x, top, 120, digitHeight - 1), Qt::AlignLeft | Qt::AlignVCenter, text, font, c);
}

// A faint well behind a number that ends at `right`, wide enough for `cells` small digits.
void drawNumberWell(QPainter& p, qreal right, qreal top, int cells) {
  const QRectF r(right - cells * kSmallDigitWidth - 4, top - 2, cells * kSmallDigitWidth + 6, kSmallDigitHeight + 3);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x0A, 0x0F, 0x17));
  p.drawRoundedRect(r, 3, 3);
  p.restore();
}

// --- the latest test ---------------------------------------------------------------------------

void drawTodayLeftPanel(QPainter& p) {
  drawPanel(p, QRectF(6, 6, 290, 398));
  const QFont caption = japaneseFont(12);
  const QFont small = headingFont(9, false);
  const QFont unit = japaneseFont(13);

  // Title and the test number at (204, 22), six small digits.
  drawTextAt(p, 18, 15, QStringLiteral("Test Result"), headingFont(15), color::text);
  drawTextAt(p, 19, 37, QString::fromUtf8("最新のテスト"), japaneseFont(11), color::dim);
  drawText(p, QRectF(150, 22, 50, 19), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("No."), headingFont(11),
           color::silver);
  drawNumberWell(p, 204 + 6 * kSmallDigitWidth, 22, 6);
  drawHLine(p, 14, 288, 56, color::grid);

  // Pair label at (30, 86), 100 × 18; time-step label at (166, 86), 120 × 18.
  drawTextAt(p, 30, 64, QString::fromUtf8("通貨ペア"), caption, color::silver);
  drawTextAt(p, 84, 66, QStringLiteral("PAIR"), small, color::dim);
  drawTextAt(p, 166, 64, QString::fromUtf8("時間足"), caption, color::silver);
  drawTextAt(p, 208, 66, QStringLiteral("TIME SCALE"), small, color::dim);
  p.save();
  p.setPen(QPen(color::gridStrong, 1, Qt::DotLine));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(28.5, 84.5, 102, 20));
  p.drawRect(QRectF(164.5, 84.5, 122, 20));
  p.restore();
  drawHLine(p, 14, 288, 116, color::grid);

  // Totals: right edges 143 and 270, top 153.
  drawTextAt(p, 30, 126, QString::fromUtf8("総収支"), caption, color::silver);
  drawTextAt(p, 70, 128, QStringLiteral("GROSS"), small, color::dim);
  drawTextAt(p, 166, 126, QString::fromUtf8("純収支"), caption, color::silver);
  drawTextAt(p, 206, 128, QStringLiteral("NET"), small, color::dim);
  drawNumberWell(p, 143, 153, 8);
  drawNumberWell(p, 270, 153, 7);
  drawUnit(p, 147, 153, kSmallDigitHeight, QString::fromUtf8("円"), unit);
  drawUnit(p, 274, 153, kSmallDigitHeight, QString::fromUtf8("円"), unit);
  drawHLine(p, 14, 288, 186, color::grid);

  // Win rates and counts: rows at 213 (gross) and 238 (net).
  drawTextAt(p, 18, 191, QString::fromUtf8("勝率"), caption, color::silver);
  drawTextAt(p, 46, 193, QStringLiteral("WIN RATE"), small, color::dim);
  for (const int top : {213, 238}) {
    drawUnit(p, 20, top, kSmallDigitHeight, QString::fromUtf8(top == 213 ? "総" : "純"), unit, color::dim);
    drawUnit(p, 85, top, kSmallDigitHeight, QStringLiteral("%"), headingFont(13, false));
    drawUnit(p, 169, top, kSmallDigitHeight, QString::fromUtf8("勝"), unit);
    drawUnit(p, 216, top, kSmallDigitHeight, QString::fromUtf8("敗"), unit);
    drawUnit(p, 264, top, kSmallDigitHeight, QString::fromUtf8("引分"), unit);
  }
  drawHLine(p, 14, 288, 266, color::grid);

  // Profit factors at (43, 307) gross and (163, 307) net, times 100.
  drawTextAt(p, 18, 272, QStringLiteral("Profit Factor"), headingFont(11), color::silver);
  drawTextAt(p, 104, 273, QString::fromUtf8("プロフィットファクター ×0.01"), japaneseFont(10), color::dim);
  drawUnit(p, 20, 307, kSmallDigitHeight, QString::fromUtf8("総"), unit, color::dim);
  drawUnit(p, 140, 307, kSmallDigitHeight, QString::fromUtf8("純"), unit, color::dim);
  drawHLine(p, 14, 288, 338, color::grid);

  // Evaluation at (43, 365), out of 100.
  drawTextAt(p, 18, 344, QString::fromUtf8("評価"), caption, color::silver);
  drawTextAt(p, 46, 346, QStringLiteral("RATING"), small, color::dim);
  drawUnit(p, 86, 365, kSmallDigitHeight, QStringLiteral("/ 100"), headingFont(12, false), color::dim);
}

void drawTodaySessions(QPainter& p) {
  drawPanel(p, QRectF(300, 6, 462, 398));
  const QFont bandTitle = headingFont(11);
  const QFont bandCaption = japaneseFont(11);
  const QFont cellCaption = headingFont(9, false);
  const QFont unit = japaneseFont(12);
  // Session k (1..20): a number ending at x 388 + 88·((k−1) mod 5), top 64 + 96·((k−1) div 5).
  for (int r = 0; r < 4; ++r) {
    const int top = 64 + 96 * r;
    const QRectF band(306, top - 42, 450, 78);
    drawPanel(p, band, r % 2 == 0 ? color::panelRaised : QColor(0x15, 0x1D, 0x2A), color::grid, 5);
    const qreal w = drawTextAt(p, 316, top - 37, QStringLiteral("%1 Bar").arg(10 * (r + 1)), bandTitle, color::text);
    drawTextAt(p, 316 + w + 8, top - 36,
               QString::fromUtf8("%1本後を予想 ・ 第%2〜%3問").arg(10 * (r + 1)).arg(5 * r + 1).arg(5 * r + 5),
               bandCaption, color::dim);
    for (int c = 0; c < 5; ++c) {
      const int right = 388 + 88 * c;
      const int session = 5 * r + c + 1;
      drawTextAt(p, right - 72, top - 17, QStringLiteral("Q%1").arg(session), cellCaption, color::faint);
      drawHLine(p, right - 72, right + 12, top + 24, color::gridStrong);
      drawUnit(p, right + 2, top + 1, kSmallDigitHeight, QString::fromUtf8("円"), unit, color::dim);
    }
  }
}

// --- the totals over all tests -----------------------------------------------------------------

void drawTotalTable(QPainter& p) {
  // Rows of medium digits at tops 29, 69, … 349; gross numbers end at 387, net ones at 627.
  struct Row {
    const char* japanese;
    const char* english;
    const char* unit;
    bool latinUnit;
    bool net;
  };
  const Row rows[] = {
      {"テスト回数", "TESTS", "回", false, false},
      {"総収支", "PROFIT", "円", false, true},
      {"勝率", "WIN RATE", "%", true, true},
      {"勝ち", "WINS", "勝", false, true},
      {"負け", "LOSSES", "敗", false, true},
      {"引き分け", "EVENS", "分", false, true},
      {"プロフィットファクター", "PROFIT FACTOR", "×0.01", true, true},
      {"ペイオフレシオ", "PAYOFF RATIO", "×0.01", true, true},
      {"評価", "RATING", "/ 100", true, false},
  };
  drawPanel(p, QRectF(6, 1, 756, 404));
  drawTextAt(p, 20, 4, QStringLiteral("Total Result"), headingFont(13), color::text);
  const QFont colTitle = headingFont(11);
  drawText(p, QRectF(246, 4, 210, 14), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("GROSS"), colTitle, color::text);
  drawText(p, QRectF(486, 4, 210, 14), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("NET"), colTitle, color::text);
  const QFont jp = japaneseFont(14);
  const QFont en = headingFont(9, false);
  const QFont unit = japaneseFont(15);
  for (int k = 0; k < 9; ++k) {
    const int top = 29 + 40 * k;
    const QRectF band(12, top - 6, 744, 40);
    if (k % 2 == 0) {
      p.fillRect(band, QColor(0x17, 0x20, 0x2D));
    }
    drawTextAt(p, 28, top + 1, QString::fromUtf8(rows[k].japanese), jp, color::silver);
    drawTextAt(p, 29, top + 18, QString::fromUtf8(rows[k].english), en, color::dim);
    const QFont unitFont = rows[k].latinUnit ? headingFont(12, false) : unit;
    drawUnit(p, 392, top, kMediumDigitHeight, QString::fromUtf8(rows[k].unit), unitFont);
    if (rows[k].net) drawUnit(p, 632, top, kMediumDigitHeight, QString::fromUtf8(rows[k].unit), unitFont);
  }
  for (int k = 1; k < 9; ++k) drawHLine(p, 12, 756, 23 + 40 * k, color::grid);
  drawVLine(p, 236, 20, 383, color::gridStrong);
  drawVLine(p, 476, 20, 383, color::gridStrong);
  drawText(p, QRectF(20, 386, 730, 14), Qt::AlignLeft | Qt::AlignVCenter,
           QString::fromUtf8("完了したテストの集計    GROSS: スプレッド差し引き前    NET: スプレッド差し引き後"),
           japaneseFont(10), color::dim);
}

// --- the tables per pair and time scale --------------------------------------------------------

// The score board writes into cell (s, p) at x 159 + 102·s (ratings, left edge) or up to 219 + 102·s
// (profits, right edge), top 44 + 22·p. Row p covers y 43 + 22·p to 65 + 22·p; the columns are
// placed so that the numbers sit in their middle: from 120 + 102·s for the ratings (two or three
// digits from 159) and from 131 + 102·s for the profits (up to five digits ending at 219).
constexpr int kRatingTableLeft = 120;
constexpr int kProfitTableLeft = 131;
constexpr int kColumnWidth = 102;
constexpr int kTableTop = 43;
constexpr int kRowHeight = 22;

QString timeScaleEnglish(int nivraStep) {
  static const char* const names[] = {"1 MIN", "5 MIN", "30 MIN", "1 HOUR", "6 HOURS", "1 DAY"};
  return QString::fromUtf8(names[nivraStep]);
}

QString timeScaleJapanese(int nivraStep) {
  return QString::fromStdString(candora::TNivraTimeStep(uint8_t(nivraStep)).toTimeStep().getToCandleString());
}

void drawPairTimeScaleGrid(QPainter& p, int tableLeft, const QString& title, const QString& caption,
                           const QString& legend) {
  const int right = tableLeft + 6 * kColumnWidth;
  const int bottom = kTableTop + 16 * kRowHeight;
  drawPanel(p, QRectF(4, 2, 760, 406));
  drawTextAt(p, 16, 6, title, headingFont(13), color::text);
  drawTextAt(p, 16, 24, caption, japaneseFont(11), color::dim);
  for (int s = 0; s < 6; ++s) {
    const QRectF head(tableLeft + kColumnWidth * s, 5, kColumnWidth, 36);
    drawText(p, head.adjusted(0, 1, 0, -18), Qt::AlignCenter, timeScaleJapanese(s), japaneseFont(13), color::text);
    drawText(p, head.adjusted(0, 20, 0, -2), Qt::AlignCenter, timeScaleEnglish(s), headingFont(9, false), color::dim);
  }
  for (int row = 0; row < 16; ++row) {
    const QRectF band(10, kTableTop + kRowHeight * row, right - 10, kRowHeight);
    if (row % 2 == 0) p.fillRect(band, QColor(0x17, 0x20, 0x2D));
    const QString pair = QString::fromStdString(candora::TPair(uint8_t(row)).getToString());
    drawText(p, QRectF(20, band.top(), tableLeft - 24, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter, pair, headingFont(12),
             color::silver);
  }
  for (int row = 0; row <= 16; ++row) {
    drawHLine(p, 10, right, kTableTop + kRowHeight * row, row == 0 || row == 16 ? color::gridStrong : color::grid);
  }
  for (int s = 0; s <= 6; ++s) {
    drawVLine(p, tableLeft + kColumnWidth * s, 5, bottom, color::gridStrong);
  }
  drawText(p, QRectF(16, bottom + 1, 740, 13), Qt::AlignLeft | Qt::AlignVCenter, legend, japaneseFont(10), color::dim);
}

// --- bar charts ----------------------------------------------------------------------------------

// An evaluation a (0..1) becomes a bar from y = Round((100 − 100·a)·2.98) + 42 down to 340.
constexpr int kBarBottom = 340;
constexpr int kBarTop = 42;
constexpr qreal kPixelsPerPercent = 2.98;
constexpr int kPlotLeft = 80;

qreal percentY(int percent) { return (100 - percent) * kPixelsPerPercent + kBarTop; }

// The plot runs from kPlotLeft to a little right of the view's last bar.
void drawBarChartFrame(QPainter& p, int plotRight, const QString& title, const QString& caption) {
  drawPanel(p, QRectF(4, 2, 760, 406));
  drawTextAt(p, 16, 6, title, headingFont(14), color::text);
  const qreal w = QFontMetricsF(headingFont(14)).horizontalAdvance(title);
  drawTextAt(p, 16 + w + 10, 9, caption, japaneseFont(12), color::dim);
  // The good and poor zones of the rating table: 65 and more, below 35.
  p.fillRect(QRectF(kPlotLeft, percentY(100), plotRight - kPlotLeft, percentY(65) - percentY(100)),
             QColor(0x2F, 0x6B, 0xFF, 22));
  p.fillRect(QRectF(kPlotLeft, percentY(35), plotRight - kPlotLeft, percentY(0) - percentY(35)),
             QColor(0xE8, 0x32, 0x32, 22));
  const QFont axis = headingFont(10, false);
  for (int percent = 0; percent <= 100; percent += 10) {
    const qreal y = std::round(percentY(percent));
    const QColor c = percent == 50 ? QColor(0x6A, 0x7A, 0x92) : (percent % 50 == 0 ? color::gridStrong : color::grid);
    drawHLine(p, kPlotLeft, plotRight, y, c);
    drawText(p, QRectF(kPlotLeft - 44, y - 7, 38, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(percent),
             axis, color::dim);
  }
  drawVLine(p, kPlotLeft, kBarTop, kBarBottom, color::gridStrong);
  drawVLine(p, plotRight, kBarTop, kBarBottom, color::gridStrong);
  drawText(p, QRectF(16, kBarBottom + 46, 700, 14), Qt::AlignLeft | Qt::AlignVCenter,
           QString::fromUtf8("バーの高さ = 平均評価 (0〜100)    青の帯: 65以上    赤の帯: 35未満"), japaneseFont(10),
           color::dim);
}

// The lane a bar stands in, so that an empty lane still shows where its bar would be.
void drawBarLane(QPainter& p, int left, int right) {
  p.fillRect(QRectF(left, kBarTop, right - left, kBarBottom - kBarTop), QColor(0xFF, 0xFF, 0xFF, 9));
  drawHLine(p, left, right, kBarBottom, QColor(0x3C, 0xD0, 0x5A, 150), 2);
}

}  // namespace

QImage makeTodaySheet() {
  QImage image = sheetCanvas();
  QPainter p(&image);
  preparePainter(p);
  fillBackground(p, image.rect());
  drawTodayLeftPanel(p);
  drawTodaySessions(p);
  return image;
}

QImage makeTotalSheet() {
  QImage image = sheetCanvas();
  QPainter p(&image);
  preparePainter(p);
  fillBackground(p, image.rect());
  drawTotalTable(p);
  return image;
}

QImage makeRatingTableSheet() {
  QImage image = sheetCanvas();
  QPainter p(&image);
  preparePainter(p);
  fillBackground(p, image.rect());
  drawPairTimeScaleGrid(p, kRatingTableLeft, QStringLiteral("Rating"), QString::fromUtf8("平均評価 (0〜100)"),
                        QString::fromUtf8("青: 65以上    赤: 35未満    空欄: テストなし"));
  return image;
}

QImage makeMaxProfitSheet() {
  QImage image = sheetCanvas();
  QPainter p(&image);
  preparePainter(p);
  fillBackground(p, image.rect());
  drawPairTimeScaleGrid(p, kProfitTableLeft, QStringLiteral("Max Profit"), QString::fromUtf8("最高収益額 (円)"),
                        QString::fromUtf8("1テストの総収支の最高額 (円)    空欄: 利益の出たテストなし"));
  return image;
}

QImage makePairBarsSheet() {
  QImage image = sheetCanvas();
  QPainter p(&image);
  preparePainter(p);
  fillBackground(p, image.rect());
  drawBarChartFrame(p, 90 + 39 * 15 + 29 + 10, QStringLiteral("Pair"), QString::fromUtf8("ペア別の平均評価"));
  for (int i = 0; i < candora::TPair::kCount; ++i) {
    const int left = 90 + 39 * i, right = 119 + 39 * i;
    drawBarLane(p, left, right);
    candora::TPair pair(static_cast<uint8_t>(i));
    const QRectF below(left - 5, kBarBottom + 5, right - left + 10, 14);
    drawText(p, below, Qt::AlignCenter, QString::fromStdString(pair.getBaseCurrency()), headingFont(10), color::silver);
    drawText(p, below.translated(0, 14), Qt::AlignCenter, QString::fromStdString(pair.getQuoteCurrency()),
             headingFont(10), color::silver);
  }
  return image;
}

QImage makeTimeScaleBarsSheet() {
  QImage image = sheetCanvas();
  QPainter p(&image);
  preparePainter(p);
  fillBackground(p, image.rect());
  drawBarChartFrame(p, 186 + 106 * 5 + 10, QStringLiteral("Time Scale"), QString::fromUtf8("タイムスケール別の平均評価"));
  for (int i = 0; i < 6; ++i) {
    const int left = 100 + 106 * i, right = 186 + 106 * i;
    drawBarLane(p, left, right);
    const QRectF below(left - 8, kBarBottom + 5, right - left + 16, 16);
    drawText(p, below, Qt::AlignCenter, timeScaleJapanese(i), japaneseFont(13), color::silver);
    drawText(p, below.translated(0, 16), Qt::AlignCenter, timeScaleEnglish(i), headingFont(9, false), color::dim);
  }
  return image;
}

QImage makeBarsAfterSheet() {
  QImage image = sheetCanvas();
  QPainter p(&image);
  preparePainter(p);
  fillBackground(p, image.rect());
  drawBarChartFrame(p, 220 + 168 * 3 + 10, QStringLiteral("Bar"), QString::fromUtf8("予測先バー数ごとの平均評価"));
  for (int i = 0; i < 4; ++i) {
    const int left = 92 + 168 * i, right = 220 + 168 * i;
    drawBarLane(p, left, right);
    const QRectF below(left - 10, kBarBottom + 5, right - left + 20, 16);
    drawText(p, below, Qt::AlignCenter, QString::fromUtf8("%1 Bar 後").arg(10 * (i + 1)), japaneseFont(13),
             color::silver);
    drawText(p, below.translated(0, 16), Qt::AlignCenter,
             QString::fromUtf8("第%1〜%2問").arg(5 * i + 1).arg(5 * i + 5), japaneseFont(10), color::dim);
  }
  return image;
}

}  // namespace pictures
