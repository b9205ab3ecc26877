#include "untIDateTime.h"

#include <cmath>
#include <cstdio>

#include "untNivraUtil.h"

namespace candora {

namespace {

// Days from 1970-01-01 of a civil date, and back (H. Hinnant's algorithms).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = static_cast<int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(y + (month <= 2));
}

// 1899-12-30 is day -25569 counted from 1970-01-01.
constexpr int64_t kEpochOffsetDays = 25569;
constexpr double kFiveMillisecondsInDays = 5.0 / 86400000.0;

}  // namespace

bool isValidDate(int year, int month, int day) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12 || day < 1) return false;
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

TDateTime encodeDateTime(int year, int month, int day, int hour, int minute, int second, int millisecond) {
  const int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) + kEpochOffsetDays;
  const double fraction = (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / 86400000.0;
  return static_cast<double>(days) + fraction;
}

TDateParts decodeDateTime(TDateTime value) {
  TDateParts parts;
  // Round to the millisecond first so that 13:45 never decodes as 13:44:59.999.
  const int64_t totalMs = std::llround(value * 86400000.0);
  int64_t days = totalMs / 86400000;
  int64_t msOfDay = totalMs % 86400000;
  if (msOfDay < 0) {
    msOfDay += 86400000;
    --days;
  }
  civilFromDays(days - kEpochOffsetDays, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int>(msOfDay / 3600000);
  parts.minute = static_cast<int>(msOfDay / 60000 % 60);
  parts.second = static_cast<int>(msOfDay / 1000 % 60);
  parts.millisecond = static_cast<int>(msOfDay % 1000);
  return parts;
}

int64_t myTimeBetween(TDateTime fromDateTime, TDateTime toDateTime) {
  if (fromDateTime > toDateTime) showMessage("myTimeBetween の起点と終点の設定が不正です。");
  const double d = toDateTime - (fromDateTime - kFiveMillisecondsInDays);
  return static_cast<int64_t>(std::fabs(d) * kMinutesPerDay);
}

int32_t dateTimeToMinutes(TDateTime value) {
  return static_cast<int32_t>(myTimeBetween(kDateTime2000, value));
}

TDateTime minutesToDateTime(int32_t minutes) {
  const long double total = 36526.0L * kMinutesPerDay + static_cast<long double>(minutes);
  return static_cast<double>(total / kMinutesPerDay);
}

std::string TIDateTime::getSerialString() const { return std::to_string(serial_); }

void TIDateTime::setSerialString(const std::string& text) { serial_ = strToInt(text, "TIDateTime"); }

void TIDateTime::setDateTime(TDateTime value) { serial_ = dateTimeToMinutes(value); }

TDateTime TIDateTime::toDateTime() const { return minutesToDateTime(serial_); }

TDateTime TIDateTime::getDate() const {
  const int32_t dayStart = serial_ - (((serial_ % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay);
  return minutesToDateTime(dayStart);
}

std::string TIDateTime::getToString() const {
  const TDateParts p = decodeDateTime(toDateTime());
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d/%02d/%02d %02d:%02d", ((p.year % 100) + 100) % 100, p.month, p.day,
                p.hour, p.minute);
  return buffer;
}

int32_t minutesOf(int year, int month, int day, int hour, int minute) {
  const int64_t days = daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) -
                       daysFromCivil(2000, 1, 1);
  return static_cast<int32_t>(days * kMinutesPerDay + hour * 60 + minute);
}

std::string formatIsoMinutes(int32_t minutes) {
  const TDateParts p = decodeDateTime(minutesToDateTime(minutes));
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d", p.year, p.month, p.day, p.hour, p.minute);
  return buffer;
}

}  // namespace candora
