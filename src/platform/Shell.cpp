#include "platform/Shell.h"

namespace platform {

void UnelevatedShell::Execute(const std::string& file, const std::string& parameters, const std::string& folder) {
  if (desktop_.Elevated() && desktop_.Execute(file, parameters, folder)) return;
  direct_.Execute(file, parameters, folder);
}

}  // namespace platform
