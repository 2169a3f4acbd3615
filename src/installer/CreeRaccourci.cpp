#include "installer/CreeRaccourci.h"

#include "common/Chemins.h"
#include "common/ShortString.h"
#include "installer/ShortcutLink.h"

namespace installer {
namespace {
constexpr std::size_t TextLength = 79;
constexpr const char* ExplorerKey = "Software\\MicroSoft\\Windows\\CurrentVersion\\Explorer";

std::string DesktopFolder(platform::Registry& registry) {
  std::unique_ptr<platform::RegistryKey> key = registry.OpenOrCreateCurrentUserKey(ExplorerKey);
  if (!key) return {};
  return key->ReadString("Shell Folders", "Desktop").value_or(std::string());
}

bool Holds(const ShortString& s, char c) { return s.str().find(c) != std::string::npos; }

}  // namespace

void CreeRaccourci(ShortcutServices& services, std::string_view name, std::string_view target,
                   std::string_view workingDir, std::string_view description, std::string_view arguments,
                   std::string_view iconFile, uint16_t iconIndex, char hotKey) {
  ShortString nom(name, TextLength), cible(target, TextLength), dossier(workingDir, TextLength);
  ShortString desc(description, TextLength), args(arguments, TextLength), icone(iconFile, TextLength);

  std::string bureau = DesktopFolder(services.Registry);
  TShortcutLink link(services.Links);

  if (!Holds(nom, '\\')) nom = bureau + "\\" + nom.str();
  if (!Holds(nom, '.')) nom += ".lnk";
  link.ShortcutFile = nom.str();

  if (!Holds(cible, '.')) cible += ".exe";
  link.Target = cible.str();

  if (dossier.empty()) dossier = DossierDe(cible, "\\:");
  link.WorkingDir = dossier.str();

  link.Arguments = args.str();
  link.Description = desc.str();

  if (icone.empty()) icone = cible;
  link.IconLocation = icone.str();
  link.IconNumber = iconIndex;

  link.SetHotKey(hotKey == 0 ? std::string() : std::string(1, hotKey));
  link.SetShowCmd(TShowCmd::scShowNormal);
  link.CreateShortcut();
}

}  // namespace installer
