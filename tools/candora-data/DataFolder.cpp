#include "DataFolder.h"

#include <filesystem>

#include "untNivraUtil.h"

namespace candora::data {

namespace {
std::string& rememberedToolFolder() {
  static std::string folder;
  return folder;
}
}  // namespace

void rememberToolFolder() { rememberedToolFolder() = getApplicationPath(); }
std::string toolFolder() { return rememberedToolFolder(); }

TDataFolder::TDataFolder(const std::string& folder, const std::string& pairInfoSource) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) throw EInOutError("Cannot create the folder \"" + folder + "\": " + ec.message());
  setApplicationPath(folder);
  const std::string target = getPairInfoFileName();
  if (!std::filesystem::exists(target)) {
    std::string source = pairInfoSource;
    if (source.empty() && !toolFolder().empty()) source = toolFolder() + "etc/pairinfo.txt";
    if (source.empty() || !std::filesystem::exists(source))
      throw EInOutError("\"" + target + "\" does not exist and there is no pair information to copy there" +
                        (source.empty() ? std::string() : " (\"" + source + "\" is missing)") +
                        "; give one with --pairinfo FILE");
    std::filesystem::create_directories(getEtcPath());
    std::filesystem::copy_file(source, target, ec);
    if (ec) throw EInOutError("Cannot copy \"" + source + "\" to \"" + target + "\": " + ec.message());
  }
  pairList_ = std::make_unique<TPairList>(target);
  if (pairList_->getCount() < TPair::kCount)
    throw EConvertError("\"" + target + "\" holds " + std::to_string(pairList_->getCount()) + " pairs, not " +
                        std::to_string(TPair::kCount));
  // Every price is divided by its pair's factor; a zero there would turn every rate into garbage.
  for (int p = 0; p < TPair::kCount; ++p)
    if (!(pairList_->getRecord(p).rateFactor > 0))
      throw EConvertError(fileLine(target, static_cast<std::size_t>(p) + 1) + ": the rate factor of " +
                          TPair(static_cast<uint8_t>(p)).getToString() + " is not a positive number");
  setPairList(pairList_.get());
}

TDataFolder::~TDataFolder() { setPairList(nullptr); }

}  // namespace candora::data
