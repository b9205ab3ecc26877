#pragma once
// When the currency market trades and how busy it is: the weekly closure, the New York noon fixing
// of the daily reference rates, and the 24-hour activity profile that shapes synthesized movement.
// All minutes are TIDateTime serials in UTC.

#include <cstdint>

namespace candora::data {

int64_t floorDiv(int64_t a, int64_t b);
int64_t floorMod(int64_t a, int64_t b);

int weekdayOf(int32_t minute);  // 0 Sunday … 6 Saturday
// Closed from Friday 22:00 to Sunday 22:00 UTC.
bool isMarketOpen(int32_t minute);

// Whether New York keeps daylight saving time on that date (rules of 1987–2006 and from 2007).
bool isUsDaylightSaving(int year, int month, int day);
// The minute of the noon New York fixing on that date: 16:00 UTC in summer, 17:00 in winter.
int32_t fixingMinute(int year, int month, int day);

// Relative variance of price movement per minute: the activity profile by time of day for open
// minutes, a small constant for closed ones (the weekend gap). Mean over an open day is 1.
double minuteWeight(int32_t minute);
// Sum of minuteWeight over [from, to), in O(1).
double weightBetween(int32_t from, int32_t to);
// Sum of minuteWeight over one whole open day: the unit that a "day" of variance is measured in.
double weightPerDay();

}  // namespace candora::data
