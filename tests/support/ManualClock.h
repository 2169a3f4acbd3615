#pragma once
// A clock that moves only when told: by Advance, or by Step on every reading
// (so that a wait spinning on it comes to an end).

#include "platform/Clock.h"

class ManualClock : public platform::Clock {
public:
  static constexpr double Millisecond = 1.0 / 86400000.0;

  // The reading returned next, in days.
  double Time = 0;
  // Added to Time after every reading; 0 keeps the clock still.
  double Step = 0;
  int Readings = 0;

  double Now() override {
    ++Readings;
    double t = Time;
    Time += Step;
    return t;
  }
  void Advance(double milliseconds) { Time += milliseconds * Millisecond; }
};
