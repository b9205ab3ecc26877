#pragma once
// The look shared by every picture: the palette of a dark trading screen, the fonts, and the few
// drawing steps the sheets repeat (panels, captions, separators).

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace pictures {

// Palette. The chart draws silver text and frames, blue up bars and red down bars; the pictures
// keep to that and add one green for the score board's bars.
namespace color {
inline const QColor backgroundTop(0x13, 0x1A, 0x25);
inline const QColor backgroundBottom(0x09, 0x0D, 0x13);
inline const QColor panel(0x12, 0x19, 0x24);
inline const QColor panelRaised(0x18, 0x21, 0x2F);
inline const QColor panelBorder(0x2A, 0x37, 0x4A);
inline const QColor grid(0x25, 0x30, 0x40);
inline const QColor gridStrong(0x3A, 0x49, 0x5E);
inline const QColor silver(0xC0, 0xC0, 0xC0);
inline const QColor text(0xE8, 0xEC, 0xF2);
inline const QColor dim(0x86, 0x92, 0xA4);
inline const QColor faint(0x5A, 0x66, 0x78);
inline const QColor blue(0x2F, 0x6B, 0xFF);
inline const QColor lightBlue(0x62, 0xB0, 0xFF);
inline const QColor red(0xE8, 0x32, 0x32);
inline const QColor lightRed(0xFF, 0x62, 0x62);
inline const QColor green(0x3C, 0xD0, 0x5A);
}  // namespace color

// Latin headings and figures; Japanese captions (fixed-pitch for the chart's face, proportional
// for running captions).
QFont headingFont(int pixels, bool bold = true);
QFont japaneseFont(int pixels, bool bold = false);
QFont japaneseFixedFont(int pixels, bool bold = false);

// A transparent picture of the given size, and a painter set up for smooth drawing on it.
QImage transparentImage(int width, int height);
void preparePainter(QPainter& p);

// The screen background: a dark vertical gradient.
void fillBackground(QPainter& p, const QRectF& rect);
// A rounded panel with a hairline border.
void drawPanel(QPainter& p, const QRectF& rect, const QColor& fill = color::panel,
               const QColor& border = color::panelBorder, qreal radius = 6);
void drawHLine(QPainter& p, qreal x1, qreal x2, qreal y, const QColor& c = color::grid, qreal width = 1);
void drawVLine(QPainter& p, qreal x, qreal y1, qreal y2, const QColor& c = color::grid, qreal width = 1);

// Text placed by its box: `flags` are Qt::Align… flags within `box`.
void drawText(QPainter& p, const QRectF& box, int flags, const QString& text, const QFont& font, const QColor& c);
// Text with its top-left corner at (x, y); returns the advance width.
qreal drawTextAt(QPainter& p, qreal x, qreal y, const QString& text, const QFont& font, const QColor& c);
// A heading: an English word in bold with a Japanese caption after it on the same line.
void drawHeading(QPainter& p, qreal x, qreal y, const QString& english, const QString& japanese,
                 int englishPixels = 13, int japanesePixels = 11);

}  // namespace pictures
