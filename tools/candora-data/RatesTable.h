#pragma once
// The daily reference rates the sample is built from: one row per published day with the seven
// dollar legs (yen, euro, pound, franc, Australian, New Zealand and Canadian dollar against the US
// dollar), read from the H.10 compilation in CSV form.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "DataReport.h"

namespace candora::data {

constexpr int kLegCount = 7;

struct TLegInfo {
  const char* currency;  // "JPY"
  const char* column;    // the CSV column that quotes it, "DEXJPUS"
  bool perDollar;        // the column counts units of the currency per US dollar
};

// Leg order: JPY, EUR, GBP, CHF, AUD, NZD, CAD.
const std::array<TLegInfo, kLegCount>& legInfos();
// Leg index of a currency, or -1 for USD (the unit every leg is measured in) and unknown codes.
int legOf(const std::string& currency);

struct TRateRow {
  int year = 0, month = 0, day = 0;
  // Natural logarithm of the US dollars one unit of the leg's currency buys; NaN when not published.
  std::array<double, kLegCount> logUsdValue{};
};

struct TRatesTable {
  std::vector<TRateRow> rows;  // in date order
};

// Reads the CSV: a header naming the columns (at least `date` and the seven legs), then
// `YYYY-MM-DD,rate,…` with empty cells (or ".") for days without a rate. Throws EInOutError for a
// missing file, EConvertError when the header lacks a column; a bad row is reported and skipped.
TRatesTable readRatesTable(const std::string& fileName, TDataReport& report);

}  // namespace candora::data
