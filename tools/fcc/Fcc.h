#pragma once
// fcc: packs files into the installer's payload format (a size-prefixed zlib
// stream around a concatenation archive), lists a payload, and expands one
// exactly as the installer does. Paths are host paths (UTF-8); member names
// are the files' base names in cp1252.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "common/Errors.h"

namespace fcc {

// A refusal of fcc itself (bad arguments, a name the installer would refuse,
// a damaged payload); its message is cp1252 like every message of the system.
BRANNOCH_EXCEPTION(EFccError, Exception);

struct PackOptions {
  std::string Output;
  std::vector<std::string> Files;
  // Size of every name field; default: the longest name + 1.
  std::optional<int> NameField;
  // With PadTo: one more member, last, named PadMember (UTF-8), generated
  // with the size that makes the expanded archive exactly PadTo bytes.
  std::optional<uint64_t> PadTo;
  std::string PadMember;
  // When set: a line rewritten in place (carriage returns) with how much of the
  // files has been read, then a line while the archive is compressed.
  std::ostream* Progress = nullptr;
};

struct Member {
  std::string Name;  // cp1252
  uint32_t Size = 0;
};

struct Listing {
  std::vector<Member> Members;
  int NameField = 0;
  uint64_t Expanded = 0, Compressed = 0;
};

// Writes the payload and returns what it holds. Refuses (EFccError) every
// name that the installer would refuse, names longer than 254 bytes or
// without a cp1252 form, a name field too small, names equal without regard
// to case, files of 2^31 bytes or more, and archives of 2^31 bytes or more.
Listing Pack(const PackOptions& o);

// Reads a payload strictly: the compressed stream must expand to exactly its
// declared size, and the archive must hold its table and data with nothing
// left over and only names the installer accepts.
Listing List(const std::string& payload);

// Expands the payload with the installer's own ExtraitArchive: a temporary
// file and the members beside the payload, the temporary file deleted.
// Nothing is written outside the payload's folder. Progress goes to out.
void Extract(const std::string& payload, std::ostream& out);

// The command line: fcc pack|list|extract ... Returns the exit code
// (0 done, 1 refused or failed, 2 wrong usage); messages go to out and err.
int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace fcc
