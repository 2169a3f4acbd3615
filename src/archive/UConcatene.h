#pragma once
// Expansion of the payload: the compressed payload file is inflated into a
// temporary concatenation archive beside it, which is split into its member
// files in the same folder behind the progress window, then deleted.

#include <cstdint>
#include <string>
#include <string_view>

#include "archive/Format.h"
#include "archive/ProgressWindow.h"
#include "common/MessageBox.h"
#include "common/ShortString.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"

// What the expansion needs from the outside world.
struct ArchiveServices {
  platform::FileSystem& Files;
  platform::Clock& Clock;
  MessageBoxService& Messages;
  ProgressFactory Progress;
};

// Expands the payload file at path into its folder (the current folder for a
// bare file name). Every failure propagates as an exception; the payload file
// stays, the temporary archive is deleted only after a complete split.
void ExtraitArchive(const ArchiveServices& s, const ShortString& path);

// Inflates the compressed file source, opened with writing by others denied,
// into the file destination (created anew), in pieces: neither is held in
// memory. When the data are damaged or a write fails, the destination is
// deleted again. Errors name the file concerned, the payload for a damaged
// stream.
void Decompresse(const ArchiveServices& s, const ShortString& source, const ShortString& destination);

// Splits the concatenation archive into member files in its folder, copying
// each member in pieces through one buffer; the table is read twice (checked
// whole first, then beside the data) rather than held, so memory does not
// grow with it. Refused with EArchiveError before any member is written: a
// damaged table, a member named unsafely or named like the archive itself
// (as the file system compares names), and data that go on after the last
// member. An error on a member's file names it.
void Deconcatene(const ArchiveServices& s, const ShortString& archive);
