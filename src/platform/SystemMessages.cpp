#include "platform/SystemMessages.h"

namespace platform {

std::string FrenchSystemMessage(uint32_t code) {
  switch (code) {
    case 0: return "L'opération a réussi.";
    case 2: return "Le fichier spécifié est introuvable.";
    case 3: return "Le chemin d'accès spécifié est introuvable.";
    case 4: return "Le système ne peut pas ouvrir le fichier.";
    case 5: return "Accès refusé.";
    case 6: return "Descripteur non valide.";
    case 8: return "Espace insuffisant pour traiter cette commande.";
    case 32: return "Le processus ne peut pas accéder au fichier car ce fichier est utilisé par un autre processus.";
    case 33: return "Le processus ne peut pas accéder au fichier car un autre processus en a verrouillé une partie.";
    case 39: return "Le disque est plein.";
    case 87: return "Paramètre incorrect.";
    case 112: return "Espace insuffisant sur le disque.";
    case 123: return "La syntaxe du nom de fichier, de répertoire ou de volume est incorrecte.";
    case 183: return "Impossible de créer un fichier déjà existant.";
    case 206: return "Le nom de fichier ou l'extension est trop long.";
    case 267: return "Nom de répertoire non valide.";
  }
  return "Erreur système " + std::to_string(code) + ".";
}

}  // namespace platform
