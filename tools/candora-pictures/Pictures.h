#pragma once
// Each function draws one of the program's picture files.

#include <QImage>

namespace pictures {

QImage makeDigitSheet();        // numbering.png
QImage makeLabelSheet();        // plane_parts.png

QImage makeChartBackground();   // plane_qu.png
QImage makeChartMask();         // plane_bgmask.png
QImage makePrompt();            // plane_prompt.png

enum class Outcome { correct, wrong, even };
QImage makeResultCard(Outcome outcome);  // plane_correct.png, plane_wrong.png, plane_even.png

QImage makeTodaySheet();        // plane_today.png
QImage makeTotalSheet();        // plane_total.png
QImage makeRatingTableSheet();  // plane_table.png
QImage makeMaxProfitSheet();    // plane_maxprofit.png
QImage makePairBarsSheet();     // plane_pair.png
QImage makeTimeScaleBarsSheet();  // plane_timestep.png
QImage makeBarsAfterSheet();    // plane_barafter.png

}  // namespace pictures
