#pragma once
// The clock, read as a date-time value: days, 1.0 being 24 hours.

namespace platform {

class Clock {
public:
  virtual ~Clock() = default;
  // A steady reading with millisecond resolution or better.
  virtual double Now() = 0;
};

}  // namespace platform
