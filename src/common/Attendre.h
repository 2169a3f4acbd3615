#pragma once
// A wait that spins on the clock and lets no window message run.

#include "platform/Clock.h"

// Returns once the given number of milliseconds have passed on the clock.
void Attendre(platform::Clock& clock, int milliseconds);
