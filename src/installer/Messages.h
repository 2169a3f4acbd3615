#pragma once
// The installer's questions and reports: titles, markup texts and buttons,
// and the build's identity shown at the end of every question.

#include <string>
#include <utility>
#include <vector>

#include "installer/Dossiers.h"
#include "platform/FileSystem.h"

namespace installer {

inline const std::string BuildVersion = "Version du Vendredi 17/ 4/2009 18h38";
// 2009-04-17 16:38:08.7977881 UTC.
inline constexpr platform::FileTime BuildFileTime = (uint64_t{0x01C9BF7A} << 32) | 0xE3F21399u;
inline const std::string NumeroSupport = "04 72 00 00 00";

inline const std::string OuiNon = "Oui#13Non";
inline const std::string Ok = "Ok";

inline const std::string TitreMiseAJourQuestion = "Mise à jour de Brannoch.exe © corvanel";
inline const std::string TitreMiseAJour = "Mise à jour Brannoch.exe © corvanel";
inline const std::string TitreInstallation = "Installation de Brannoch.exe © corvanel";
inline const std::string TitrePolice = PoliceInstallee;

// Every question closes with the version in italics between parentheses.
inline std::string AvecVersion(const std::string& text) { return text + BuildVersion + "</I>)"; }

inline std::string QuestionMiseAJour() {
  return AvecVersion(
      "Mise à jour de <B>Brannoch.exe © corvanel</B>.<P>Cette mise à jour va créer le répertoire "
      "\"<B>C:\\Brannoch\\MAJ</B>\"<P>puis remplacer l'ancien <B>Brannoch.exe</B> par le nouveau.<P><P>"
      "L'ancien sera d'abord renomé \"<B>ex_Brannoch.exe</B>\".<P><P><FONT COLOR=#FF SIZE=15>Voulez-vous "
      "lancer la <U>mise à jour</U> de <B>Brannoch.exe</B> ?</FONT><P><P>(<I>");
}

inline std::string QuestionInstallation() {
  return AvecVersion(
      "Installation de <B>Brannoch.exe © corvanel</B>.<P>Cette installation va créer le répertoire "
      "\"<B>C:\\Brannoch</B>\" et y copier tous les fichiers nécessaires à <B>Brannoch.exe</B>.<P><P>Rien "
      "d'autre ne sera copié ailleurs, à l'exception du raccourci sur le bureau.<P><P><FONT COLOR=#FF "
      "SIZE=15>Voulez-vous lancer l'<U>installation</U> de <B>Brannoch.exe</B> ?</FONT><P><P>(<I>");
}

inline std::string PoliceNonCopiee() {
  return "La police C:\\Brannoch\\Starmath.ttf n'a pas pu être copiée<P><P>Vous devrez le faire \"à la "
         "main\"<P><P><I>Cela n'empêchera pas le logiciel de fonctionner</I>";
}

inline std::string SauvegardeEchouee() {
  return "Mise à jour <B>Brannoch.exe © corvanel</B>La mise à jour de <B>Brannoch.exe © corvanel</B> a "
         "échoué<P><P>La copie de sauvegarde à échoué pour une raison inconnue <P>Téléphonez au " +
         NumeroSupport;
}

inline std::string MiseAJourTerminee() {
  return AvecVersion(
      "La mise à jour de <B>Brannoch.exe © corvanel</B> est terminée<P><P><FONT COLOR=#FF "
      "SIZE=15>Voulez-vous lancer <B>Brannoch.exe</B> tout de suite ?</FONT><P><P>(<I>");
}

// Lines separated by carriage returns, not "<P>": the box turns them into breaks.
inline std::string RemplacementEchoue() {
  return "La mise à jour de <B>Brannoch.exe © corvanel</B> a échoué\r\rLa copie à échoué pour une raison "
         "inconnue \rTéléphonez au " +
         NumeroSupport;
}

inline std::string InstallationTerminee() {
  return AvecVersion(
      "L'installation de <B>Brannoch.exe © corvanel</B> est terminée<P><P>Cette installation a créé un "
      "raccourci sur le bureau qui vous permetra de le lancer.<P><P><FONT COLOR=#FF SIZE=15>Voulez-vous "
      "lancer <B>Brannoch.exe</B> tout de suite ?</FONT><P><P>(<I>");
}

// The seven messages in order, as (title, markup text), for previews and tests.
inline std::vector<std::pair<std::string, std::string>> AllMessages() {
  return {{TitreMiseAJourQuestion, QuestionMiseAJour()},
          {TitreInstallation, QuestionInstallation()},
          {TitrePolice, PoliceNonCopiee()},
          {TitreMiseAJour, SauvegardeEchouee()},
          {TitreMiseAJour, MiseAJourTerminee()},
          {TitreMiseAJour, RemplacementEchoue()},
          {TitreInstallation, InstallationTerminee()}};
}

}  // namespace installer
