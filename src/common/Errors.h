#pragma once
// The run-time library's exception classes, with its French messages. Every
// failure of the system is one of these, thrown where it happens and caught
// only by the entry point, which shows the standard report.

#include <cstdint>
#include <string>

// Root of the hierarchy: a message and the class name the report shows.
class Exception {
public:
  explicit Exception(std::string message);
  virtual ~Exception() = default;
  virtual const char* ClassName() const { return "Exception"; }
  const std::string& Message() const { return message_; }
  // Where the error was raised, as the report shows it.
  const void* Address() const { return address_; }

private:
  std::string message_;
  const void* address_;
};

#define BRANNOCH_EXCEPTION(Name, Base)                       \
  class Name : public Base {                                 \
  public:                                                    \
    using Base::Base;                                        \
    const char* ClassName() const override { return #Name; } \
  }

// An input/output error carrying the system (or run-time) error code.
class EInOutError : public Exception {
public:
  explicit EInOutError(uint32_t code);
  // The same error saying what failed: its text, " : " and the detail (a
  // file's name, a member's).
  EInOutError(uint32_t code, const std::string& detail);
  const char* ClassName() const override { return "EInOutError"; }
  uint32_t ErrorCode() const { return code_; }

  // Run-time codes for short transfers.
  static constexpr uint32_t ReadPastEnd = 100;  // "Lecture au-delà de la fin de fichier"
  static constexpr uint32_t DiskFull = 101;     // "Disque plein"

private:
  uint32_t code_;
};

BRANNOCH_EXCEPTION(EStreamError, Exception);
BRANNOCH_EXCEPTION(EFOpenError, EStreamError);
BRANNOCH_EXCEPTION(EFCreateError, EStreamError);
BRANNOCH_EXCEPTION(EReadError, EStreamError);
BRANNOCH_EXCEPTION(EWriteError, EStreamError);
BRANNOCH_EXCEPTION(EOutOfMemory, Exception);
BRANNOCH_EXCEPTION(ERangeError, Exception);
BRANNOCH_EXCEPTION(EConvertError, Exception);
BRANNOCH_EXCEPTION(ECompressionError, Exception);
BRANNOCH_EXCEPTION(EShortcutError, Exception);
BRANNOCH_EXCEPTION(EOSError, Exception);
BRANNOCH_EXCEPTION(EResNotFound, Exception);
// The bitmap loader's error: the file is not a bitmap it can read.
BRANNOCH_EXCEPTION(EInvalidGraphic, Exception);
// A JPEG picture that cannot be decoded.
BRANNOCH_EXCEPTION(EJPEG, EInvalidGraphic);
// An archive member name or table that would be unsafe to write.
BRANNOCH_EXCEPTION(EArchiveError, Exception);

// The run-time library's text for an input/output error code.
std::string InOutErrorMessage(uint32_t code);

// Messages of the run-time library used in several places.
inline constexpr const char* SOutOfMemory = "Mémoire insuffisante";
inline constexpr const char* SMemoryStreamError = "Mémoire insuffisante lors de l'extension du flux mémoire";
inline constexpr const char* SRangeError = "Erreur de vérification d'étendue";
inline constexpr const char* SInvalidBitmap = "Image bitmap incorrecte";

// "Impossible d'ouvrir le fichier "%s". %s" and its "créer" twin.
std::string FOpenErrorMessage(const std::string& path, const std::string& systemMessage);
std::string FCreateErrorMessage(const std::string& path, const std::string& systemMessage);

// The standard report of an unhandled error: the first line
// "Exception %s dans le module %s dans %p." and the message on the second,
// with a full stop added when it has none.
std::string StandardReport(const char* className, const std::string& module, const void* address,
                           const std::string& message);
