#pragma once
// The shell's link object, the writer of ".lnk" files. Texts are cp1252.

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// One shell link object; the destructor releases it. The setters' results are
// of no interest to their callers and are not reported.
class ShellLinkObject {
public:
  virtual ~ShellLinkObject() = default;
  virtual void SetPath(const std::string& path) = 0;
  virtual void SetWorkingDirectory(const std::string& folder) = 0;
  virtual void SetArguments(const std::string& arguments) = 0;
  virtual void SetDescription(const std::string& description) = 0;
  // A show-command number of the platform (SW_...).
  virtual void SetShowCmd(int32_t showCmd) = 0;
  // Virtual-key code in the low byte, modifier flags in the high byte.
  virtual void SetHotkey(uint16_t hotkey) = 0;
  virtual void SetIconLocation(const std::string& file, int index) = 0;
  // Writes the link to path (replacing a file of that name) and makes path
  // the object's current file. Returns the platform's result code, 0 on success.
  virtual int32_t Save(const std::string& path) = 0;
};

class ShellLinks {
public:
  virtual ~ShellLinks() = default;
  // A new link object; null when the platform cannot make one, with the
  // system's message for the reason in failure.
  virtual std::unique_ptr<ShellLinkObject> Create(std::string& failure) = 0;
};

}  // namespace platform
