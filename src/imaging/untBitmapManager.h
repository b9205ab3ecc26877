#pragma once
// The program's pictures, loaded once at start-up from the image folder and never changed: the chart
// background and mask, the prompt and result cards, the score board sheets, and the sheet the pair and
// time-step labels are cut from.

#include <string>

#include "untBitmap32.h"
#include "untMarketRecords.h"
#include "untPairInfo.h"

namespace candora {

// The label sheet: rows of kLabelRowHeight pixels, pair k and time step k in row k.
constexpr int32_t kLabelRowHeight = 18;
constexpr int32_t kPairLabelLeft = 0;
constexpr int32_t kPairLabelWidth = 100;       // the label bitmap; its last column stays transparent
constexpr int32_t kTimeStepLabelLeft = 99;
constexpr int32_t kTimeStepLabelWidth = 120;   // likewise

class TBitmapManager {
public:
  // Loads the fourteen sheets from getImagePath().
  TBitmapManager();
  // Loads them from another folder (with or without a trailing separator).
  explicit TBitmapManager(const std::string& imageFolder);

  TBitmapManager(const TBitmapManager&) = delete;
  TBitmapManager& operator=(const TBitmapManager&) = delete;

  // The target becomes the 100 × 18 label of the pair, in blend mode.
  void getPairLabel(TBitmap32& target, TPair pair) const;
  // The target becomes the 120 × 18 label of the time step, in blend mode.
  void getTimeStepLabel(TBitmap32& target, TTimeStep timeStep) const;

  TBitmap32 partsImage;      // plane_parts.png
  TBitmap32 questionImage;   // plane_qu.png
  TBitmap32 todayImage;      // plane_today.png
  TBitmap32 totalImage;      // plane_total.png
  TBitmap32 pairImage;       // plane_pair.png
  TBitmap32 timeStepImage;   // plane_timestep.png
  TBitmap32 bgMaskImage;     // plane_bgmask.png
  TBitmap32 correctImage;    // plane_correct.png
  TBitmap32 evenImage;       // plane_even.png
  TBitmap32 wrongImage;      // plane_wrong.png
  TBitmap32 promptImage;     // plane_prompt.png
  TBitmap32 tableImage;      // plane_table.png
  TBitmap32 maxProfitImage;  // plane_maxprofit.png
  TBitmap32 barAfterImage;   // plane_barafter.png

private:
  void loadAll(const std::string& folder);
};

}  // namespace candora
