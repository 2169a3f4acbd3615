#include "common/Errors.h"

#include <cstdio>

Exception::Exception(std::string message)
    : message_(std::move(message)), address_(__builtin_extract_return_addr(__builtin_return_address(0))) {}

std::string InOutErrorMessage(uint32_t code) {
  switch (code) {
    case 2: return "Fichier introuvable";
    case 3: return "Nom de fichier incorrect";
    case 4: return "Trop de fichiers ouverts";
    case 5: return "Accès au fichier refusé";
    case EInOutError::ReadPastEnd: return "Lecture au-delà de la fin de fichier";
    case EInOutError::DiskFull: return "Disque plein";
  }
  return "Erreur E/S " + std::to_string(code);
}

EInOutError::EInOutError(uint32_t code) : Exception(InOutErrorMessage(code)), code_(code) {}

EInOutError::EInOutError(uint32_t code, const std::string& detail)
    : Exception(InOutErrorMessage(code) + " : " + detail), code_(code) {}

std::string FOpenErrorMessage(const std::string& path, const std::string& systemMessage) {
  return "Impossible d'ouvrir le fichier \"" + path + "\". " + systemMessage;
}

std::string FCreateErrorMessage(const std::string& path, const std::string& systemMessage) {
  return "Impossible de créer le fichier \"" + path + "\". " + systemMessage;
}

std::string StandardReport(const char* className, const std::string& module, const void* address,
                           const std::string& message) {
  char addr[32];
  std::snprintf(addr, sizeof addr, "%0*llX", static_cast<int>(sizeof(void*) * 2),
                static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(address)));
  std::string text = "Exception " + std::string(className) + " dans le module " + module + " dans " + addr + ".";
  std::string second = message;
  if (second.empty() || second.back() != '.') second += '.';
  return text + "\r" + second;
}
