#include "platform/win32/ComStartup.h"

#include "platform/win32/Handles.h"

namespace win32 {
namespace {

int startups = 0;
bool initialised = false;

}  // namespace

ComStartup::ComStartup() {
  if (startups++ == 0) initialised = SUCCEEDED(CoInitialize(nullptr));
}

ComStartup::~ComStartup() {
  if (--startups == 0 && initialised) {
    CoUninitialize();
    initialised = false;
  }
}

int ComStartup::Count() { return startups; }

}  // namespace win32
