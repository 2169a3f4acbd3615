#pragma once
// The installation and update sequence, from the first question to the launch.
// It reaches the outside world only through the services handed to it.

#include <cstdint>
#include <functional>
#include <string>

#include "common/MessageBox.h"
#include "common/ShortString.h"
#include "installer/Dossiers.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace installer {

struct InstallServices {
  platform::FileSystem& Files;
  platform::Resources& Resources;
  platform::Shell& Shell;
  MessageBoxService& Box;
  // Waits until the installed program can be opened for writing (update only).
  std::function<void()> AttendFermeture;
  // Expands the payload file into its members beside it.
  std::function<void(const ShortString& path)> ExtraitArchive;
  // Writes the desktop shortcut.
  std::function<void(const std::string& name, const std::string& target, const std::string& workingDir,
                     const std::string& description, const std::string& arguments, const std::string& iconFile,
                     uint16_t iconIndex, char hotKey)>
      CreeRaccourci;
  // The running installer's full path as started, and its first argument ("" when none).
  std::string OwnPath;
  std::string Argument;
};

inline const std::string PayloadName = "Brannoch.FCC";

// Runs the whole sequence. Returns the exit code of an ordinary end (0);
// an unhandled error propagates as an exception for the entry point's report.
int RunInstaller(InstallServices& s);

// The file name part of the installer's path: the module it finds its payload
// in, and the module the standard report names.
std::string NomDuModule(const std::string& path);

// Opens an existing file for reading and writing, letting others share
// reading only; null when the open fails. It never creates the file: stamping
// a missing program must not leave an empty one behind.
std::unique_ptr<platform::File> OuvreFichier(platform::FileSystem& fs, const ShortString& path);

}  // namespace installer
