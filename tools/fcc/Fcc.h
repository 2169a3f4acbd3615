#pragma once
// fcc: packs files into the installer's payload format (a size-prefixed zlib
// stream around a concatenation archive), lists a payload, and expands one
// exactly as the installer does. Paths are host paths (UTF-8); member names
// are the files' base names in cp1252.

#include <cstdint>
#include <functional>
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
  // Where the progress of the pack goes (nowhere when null), once it has run
  // ProgressAfter seconds: "fcc : lecture P % (I/N fichiers)" as the files
  // are read and compressed, then "fcc : compression de S octets" with the
  // archive's size. In place, the first line is rewritten (carriage returns)
  // after each file and at most four times a second within one; otherwise
  // it is a whole line every ProgressAfter seconds.
  std::ostream* Progress = nullptr;
  bool ProgressInPlace = true;
  double ProgressAfter = 0;
};

struct Member {
  std::string Name;  // cp1252
  uint32_t Size = 0;
};

struct Listing {
  uint32_t Count = 0;
  int NameField = 0;
  uint64_t Expanded = 0, Compressed = 0;
};

// Writes the payload and returns what it holds, reading the files in pieces
// (its memory does not depend on their sizes). Refuses (EFccError) every
// name that the installer would refuse, names longer than 254 bytes or
// without a cp1252 form, a name field too small, names equal without regard
// to case, files of 2^31 bytes or more, archives of 2^31 bytes or more, and
// the output among the inputs; a file whose size changes while it is read
// fails the pack, and a pack that fails leaves no output.
Listing Pack(const PackOptions& o);

// Reads a payload strictly, in pieces: the compressed stream must expand to
// exactly its declared size, and the archive must hold its table and data
// with nothing left over and only names the installer accepts. Once all of it
// is found sound, each member is given to each, in order: the payload is
// read a second time for it, so that nothing is held for the members and
// memory does not grow with their number.
Listing List(const std::string& payload, const std::function<void(const Member&)>& each = nullptr);

// Expands the payload with the installer's own ExtraitArchive: a temporary
// file and the members beside the payload, the temporary file deleted.
// Nothing is written outside the payload's folder. Progress goes to out.
void Extract(const std::string& payload, std::ostream& out);

// The command line: fcc pack|list|extract ... Returns the exit code
// (0 done, 1 refused or failed, 2 wrong usage); messages go to out and err,
// and the progress of a long pack to err (errTerminal: err is a terminal).
int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errTerminal = false);

}  // namespace fcc
