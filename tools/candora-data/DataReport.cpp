#include "DataReport.h"

namespace candora::data {

void TDataReport::problem(const std::string& kind, const std::string& text) {
  ++total_;
  if (++byKind_[kind] <= limit_) problems_ << text << '\n';
}

void TDataReport::note(const std::string& text) { out_ << text << '\n'; }

void TDataReport::summarizeHidden() {
  for (const auto& [kind, count] : byKind_)
    if (count > limit_) problems_ << "... and " << count - limit_ << " more: " << kind << '\n';
}

std::size_t TDataReport::problemCount(const std::string& kind) const {
  const auto it = byKind_.find(kind);
  return it == byKind_.end() ? 0 : it->second;
}

}  // namespace candora::data
