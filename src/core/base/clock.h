// Today's date, the clock in seconds and the short pause, injected so tests can fix them.
#pragma once

#include <cstdint>
#include <string>

namespace tallivan {

struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const Date&, const Date&) = default;
};

// 1 = Sunday ... 7 = Saturday, for any date of the proleptic Gregorian calendar.
int weekdayOf(const Date& date);

// "星期日" ... "星期六" (GBK) for weekday 1..7.
std::string weekdayName(int weekday);

// "YYYY-MM-DD".
std::string isoDate(const Date& date);

// Parses "YYYY-MM-DD" (also "Y-M-D" with shorter parts); false on anything else or an
// impossible date.
bool parseIsoDate(const std::string& text, Date& date);

class Clock {
  public:
    virtual ~Clock() = default;
    virtual Date today() const = 0;
    virtual std::int64_t secondsNow() const = 0;
    // The 100 ms pause between two reads of the clock.
    virtual void pause() = 0;
};

// The machine's local date and real time.
class SystemClock : public Clock {
  public:
    Date today() const override;
    std::int64_t secondsNow() const override;
    void pause() override;
};

// A clock for tests and scripted runs: fixed date; seconds advance by one at each pause.
class FixedClock : public Clock {
  public:
    explicit FixedClock(Date today, std::int64_t seconds = 0) : today_(today), seconds_(seconds) {}
    Date today() const override { return today_; }
    std::int64_t secondsNow() const override { return seconds_; }
    void pause() override { ++seconds_; }
    void setToday(Date d) { today_ = d; }

  private:
    Date today_;
    std::int64_t seconds_;
};

}  // namespace tallivan
