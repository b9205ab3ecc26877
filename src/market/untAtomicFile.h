#pragma once
// Replaces a file as a whole: the new content goes to a temporary file in the same folder, is
// flushed to disk and renamed over the old one. A failure at any step leaves the old file as it was
// and throws EInOutError naming the file and the reason.

#include <string>

namespace candora {

void writeFileAtomically(const std::string& fileName, const std::string& content);

}  // namespace candora
