#include "untBitmapManager.h"

#include <utility>

#include "untImageUtil.h"
#include "untNivraUtil.h"

namespace candora {

TBitmapManager::TBitmapManager() { loadAll(getImagePath()); }

TBitmapManager::TBitmapManager(const std::string& imageFolder) {
  std::string folder = imageFolder;
  if (!folder.empty() && folder.back() != '/') folder += '/';
  loadAll(folder);
}

void TBitmapManager::loadAll(const std::string& folder) {
  const std::pair<TBitmap32*, const char*> sheets[] = {
      {&partsImage, "plane_parts.png"},   {&questionImage, "plane_qu.png"},
      {&todayImage, "plane_today.png"},   {&totalImage, "plane_total.png"},
      {&tableImage, "plane_table.png"},   {&maxProfitImage, "plane_maxprofit.png"},
      {&pairImage, "plane_pair.png"},     {&barAfterImage, "plane_barafter.png"},
      {&timeStepImage, "plane_timestep.png"}, {&bgMaskImage, "plane_bgmask.png"},
      {&correctImage, "plane_correct.png"},   {&wrongImage, "plane_wrong.png"},
      {&evenImage, "plane_even.png"},     {&promptImage, "plane_prompt.png"},
  };
  for (const auto& [bitmap, name] : sheets) {
    bitmap->setDrawMode(TDrawMode::dmBlend);
    loadPngImage(*bitmap, folder + name);
  }
}

namespace {

void cutLabel(const TBitmap32& sheet, TBitmap32& target, int32_t left, int32_t width, int32_t row) {
  target.setDrawMode(TDrawMode::dmBlend);
  target.setSize(width, kLabelRowHeight);
  // A target of the same size would keep its old picture, and the new label's transparent pixels
  // would let it show through; the label always starts from transparent, which is also what its
  // last column and row keep.
  target.clear(0);
  const int32_t top = kLabelRowHeight * row;
  sheet.drawTo(target, TRect{0, 0, width - 1, kLabelRowHeight - 1},
               TRect{left, top, left + width - 1, top + kLabelRowHeight - 1});
}

}  // namespace

void TBitmapManager::getPairLabel(TBitmap32& target, TPair pair) const {
  cutLabel(partsImage, target, kPairLabelLeft, kPairLabelWidth, pair.getOrdinal());
}

void TBitmapManager::getTimeStepLabel(TBitmap32& target, TTimeStep timeStep) const {
  cutLabel(partsImage, target, kTimeStepLabelLeft, kTimeStepLabelWidth, timeStep.getOrdinal());
}

}  // namespace candora
