#include "common/Attendre.h"

void Attendre(platform::Clock& clock, int milliseconds) {
  const double end = clock.Now() + milliseconds / 86400000.0;
  while (clock.Now() < end) {
  }
}
