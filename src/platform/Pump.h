#pragma once
// The message pump: the only way pending window messages get processed.

namespace platform {

class Pump {
public:
  virtual ~Pump() = default;
  // Removes, translates and dispatches every pending message of the thread.
  virtual void ProcessMessages() = 0;
};

}  // namespace platform
