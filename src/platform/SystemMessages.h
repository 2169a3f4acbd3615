#pragma once
// The texts that a French Windows gives for the system error codes, for the
// file systems that stand in for it off Windows (the host tools and the tests).

#include <cstdint>
#include <string>

namespace platform {

// The text for code, ending with a full stop; "Erreur système <code>." for a
// code without a text of its own.
std::string FrenchSystemMessage(uint32_t code);

}  // namespace platform
