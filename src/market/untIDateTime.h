#pragma once
// Date-time serials. Every bar, indicator value, conversion row and session counts time as whole
// minutes since 2000-01-01 00:00 (TIDateTime); the calendar date-time (TDateTime) is days since
// 1899-12-30 with the time of day as the fraction.

#include <cstdint>
#include <string>

namespace candora {

using TDateTime = double;

constexpr TDateTime kDateTime2000 = 36526.0;  // 2000-01-01 00:00
constexpr int32_t kMinutesPerDay = 1440;

struct TDateParts {
  int year = 2000, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Calendar conversions of the platform's date-time (proleptic Gregorian).
TDateTime encodeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                         int millisecond = 0);
TDateParts decodeDateTime(TDateTime value);
bool isValidDate(int year, int month, int day);

// Whole minutes from the first date-time to the second. A difference that lies a hair below a whole
// minute in floating point still counts in full: the start is moved 5 ms earlier before measuring.
int64_t myTimeBetween(TDateTime fromDateTime, TDateTime toDateTime);
int32_t dateTimeToMinutes(TDateTime value);
TDateTime minutesToDateTime(int32_t minutes);

class TIDateTime {
public:
  constexpr TIDateTime() = default;
  constexpr explicit TIDateTime(int32_t serial) : serial_(serial) {}

  constexpr int32_t getSerial() const { return serial_; }
  constexpr void setSerial(int32_t serial) { serial_ = serial; }

  std::string getSerialString() const;
  void setSerialString(const std::string& text);  // throws EConvertError

  void setDateTime(TDateTime value);
  TDateTime toDateTime() const;
  TDateTime getDate() const;        // 00:00 of the serial's calendar day
  std::string getToString() const;  // "yy/mm/dd hh:nn"

  friend constexpr bool operator==(TIDateTime a, TIDateTime b) = default;
  friend constexpr auto operator<=>(TIDateTime a, TIDateTime b) = default;

private:
  int32_t serial_ = 0;
};

// Serial of a calendar minute, for tests and tools that think in calendar terms.
int32_t minutesOf(int year, int month, int day, int hour = 0, int minute = 0);

// "YYYY-MM-DD HH:MM" of a serial.
std::string formatIsoMinutes(int32_t minutes);

}  // namespace candora
