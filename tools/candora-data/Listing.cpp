#include "Listing.h"

#include "TextFields.h"

namespace candora::data {

TListing TListing::fromArguments(const TArguments& a) {
  TListing listing;
  if (const auto from = a.value("from")) {
    if (!parseDateTimeArgument(*from, listing.from))
      throw EUsageError("--from '" + *from + "' is not a time YYYY-MM-DDTHH:MM (or a date YYYY-MM-DD)");
  }
  if (const auto count = a.value("count")) {
    int64_t n = 0;
    if (!parseWholeNumber(*count, n) || n < 0) throw EUsageError("--count '" + *count + "' is not a count of 0 or more");
    listing.count = n;
  }
  listing.all = a.has("all");
  return listing;
}

}  // namespace candora::data
