#include "archive/UConcatene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <span>

#include "archive/Streams.h"
#include "archive/ZComp32.h"
#include "common/Attendre.h"
#include "common/Chemins.h"
#include "common/Echappe.h"
#include "common/Errors.h"
#include "common/LittleEndian.h"
#include "common/TextUtils.h"

namespace {

using platform::Access;
using platform::Disposition;
using platform::File;
using platform::Share;

constexpr const char* Realise = "Réalisé";
constexpr const char* Interrompu = "interrompu";

std::string Joint(const std::string& folder, std::string_view name) {
  std::string r = folder;
  if (r.empty() || r.back() != '\\') r += '\\';
  r += name;
  return r;
}

std::string Guillemets(std::string_view text) { return "\"" + EchappeControles(text) + "\""; }

// A file read in sequence through a buffer of its own, so that the table's
// small fields do not each cost a call of the file; larger reads go straight
// to the caller's buffer once what is buffered has been given.
class Lecteur {
public:
  Lecteur(platform::FileSystem& fs, File& f, std::string path) : fs_(fs), f_(f), path_(std::move(path)) {}

  // Reads exactly n bytes; fewer raise "Lecture au-delà de la fin de fichier".
  void Lit(void* buf, uint32_t n) {
    auto p = static_cast<uint8_t*>(buf);
    while (n > 0) {
      if (at_ == end_) {
        if (n >= Taille) {
          Appel(p, n);
          return;
        }
        Appel(buffer_.get(), Taille, true);
        at_ = 0;
      }
      uint32_t k = std::min(n, end_ - at_);
      std::memcpy(p, buffer_.get() + at_, k);
      at_ += k;
      p += k;
      n -= k;
    }
  }

private:
  static constexpr uint32_t Taille = 64 * 1024;

  static uint8_t* Reserve() {
    auto* p = new (std::nothrow) uint8_t[Taille];
    if (p == nullptr) throw EOutOfMemory(SOutOfMemory);
    return p;
  }

  // One call of the file for n bytes, or for up to n when filling the buffer.
  void Appel(uint8_t* p, uint32_t n, bool remplit = false) {
    uint32_t done = 0;
    if (uint32_t e = f_.Read(p, n, &done)) throw ErreurSur(fs_, e, path_);
    if (remplit) end_ = done;
    if (done == 0 || (!remplit && done < n)) throw EInOutError(EInOutError::ReadPastEnd, Guillemets(path_));
  }

  platform::FileSystem& fs_;
  File& f_;
  std::string path_;
  std::unique_ptr<uint8_t[]> buffer_{Reserve()};
  uint32_t at_ = 0, end_ = 0;
};

std::unique_ptr<File> Ouvre(platform::FileSystem& fs, const std::string& path, Access access, Share share,
                            Disposition disposition) {
  uint32_t e = 0;
  std::unique_ptr<File> f = fs.Open(path, access, share, disposition, &e);
  if (!f) throw ErreurSur(fs, e ? e : platform::ErrorAccessDenied, path);
  return f;
}

// The table of the archive, read entry by entry and checked as it comes:
// read once whole before anything is written, and again beside the data, so
// that its size does not count in memory.
class Table {
public:
  Table(const ArchiveServices& s, const std::string& archive)
      : s_(s), archive_(archive), file_(Ouvre(s.Files, archive, Access::Read, Share::Read, Disposition::OpenExisting)),
        in_(s.Files, *file_, archive) {
    std::size_t name = archive.rfind('\\');
    temporaire_ = platform::FoldName(name == std::string::npos ? archive : archive.substr(name + 1));
  }

  // The archive's size, and the count and name field of its head.
  uint64_t Longueur() { return file_->Size(); }
  TTete Tete() {
    uint8_t head[TailleDeTete];
    in_.Lit(head, 4);
    // The count is refused before L is read.
    if (!NombreDansLeFormat(LitLe32(head))) throw ERangeError(SRangeError);
    in_.Lit(head + 4, 1);
    TTete t = LitTete(head);
    l_ = t.L;
    return t;
  }

  // Entry i (from 1), refused with EArchiveError when it is damaged or names
  // a member unsafely.
  TEntree Suivant(uint32_t i) {
    uint8_t entry[255 + TailleDeTaille];
    in_.Lit(entry, l_ + TailleDeTaille);
    TEntree m;
    if (TRefus r = LitEntree(entry, l_, i, &m)) throw EArchiveError(r.Texte(Guillemets(archive_)));
    // The file system would take it for the archive being read, which is
    // deleted at the end.
    if (platform::FoldName(m.Nom) == temporaire_) {
      TRefus r{"Nom de membre interdit",
               "membre " + std::to_string(i) + ", " + Guillemets(m.Nom) + " (nom du fichier temporaire)"};
      throw EArchiveError(r.Texte(Guillemets(archive_)));
    }
    return m;
  }

  uint8_t L() const { return l_; }
  // The rest of the archive, from where the table ends.
  Lecteur& Donnees() { return in_; }
  void Ferme() {
    uint32_t e = file_->Close();
    if (e) throw ErreurSur(s_.Files, e, archive_);
  }

private:
  const ArchiveServices& s_;
  std::string archive_, temporaire_;
  std::unique_ptr<File> file_;
  Lecteur in_;
  uint8_t l_ = 0;
};

// Copies taille bytes from in to the file f at path, in pieces of the buffer.
void Copie(const ArchiveServices& s, Lecteur& in, std::span<uint8_t> buffer, File& f, const std::string& path,
           uint32_t taille) {
  for (uint32_t left = taille; left > 0;) {
    const auto part = static_cast<uint32_t>(std::min<std::size_t>(left, buffer.size()));
    in.Lit(buffer.data(), part);
    uint32_t done = 0;
    uint32_t e = f.Write(buffer.data(), part, &done);
    if (e == 0 && done < part) e = EInOutError::DiskFull;
    if (e) throw ErreurSur(s.Files, e, path);
    left -= part;
  }
}

// Closes the progress window on the way out of a failure as well.
class FenetreOuverte {
public:
  explicit FenetreOuverte(std::unique_ptr<ProgressWindow> w) : w_(std::move(w)) {}
  ~FenetreOuverte() {
    if (w_ && shown_) {
      try {
        w_->Hide();
      } catch (...) {
      }
    }
  }
  ProgressWindow* operator->() { return w_.get(); }
  void Show() {
    w_->Show();
    shown_ = true;
  }
  void Close() {
    shown_ = false;
    w_->Hide();
    w_.reset();
  }

private:
  std::unique_ptr<ProgressWindow> w_;
  bool shown_ = false;
};

}  // namespace

void Decompresse(const ArchiveServices& s, const ShortString& source, const ShortString& destination) {
  uint32_t e = 0;
  std::unique_ptr<File> in = s.Files.Open(source.str(), Access::Read, Share::Read, Disposition::OpenExisting, &e);
  if (!in) throw EFOpenError(FOpenErrorMessage(source.str(), s.Files.SystemMessage(e)));
  std::unique_ptr<File> out = s.Files.Open(destination.str(), Access::Write, Share::None, Disposition::CreateAlways,
                                           &e);
  if (!out) throw EFCreateError(FCreateErrorMessage(destination.str(), s.Files.SystemMessage(e)));
  try {
    TFileStream from(*in, s.Files, source.str()), to(*out, s.Files, destination.str());
    try {
      TZCompress().DecompressStream(from, to, nullptr);
    } catch (const ECompressionError& refus) {
      throw ECompressionError(refus.Message() + " : " + Guillemets(source.str()));
    }
    if (uint32_t c = out->Close()) throw ErreurSur(s.Files, c, destination.str());
  } catch (...) {
    // A partial archive must not outlive the failure: it could be taken for
    // a whole one.
    out.reset();
    s.Files.DeleteFile(destination.str());
    throw;
  }
  if (uint32_t c = in->Close()) throw ErreurSur(s.Files, c, source.str());
}

void Deconcatene(const ArchiveServices& s, const ShortString& archive) {
  std::string folder(DossierDe(archive.str()));
  if (folder.empty()) folder = s.Files.GetCurrentDirectory();

  // The table, read whole and checked, before anything else happens.
  Table table(s, archive.str());
  const uint64_t length = table.Longueur();
  const uint32_t count = table.Tete().Nombre;
  // The table must lie within the file before it is read.
  uint64_t offset = FinDeTable(count, table.L());
  if (offset > length)
    throw EInOutError(EInOutError::ReadPastEnd, "table de " + std::to_string(count) + " membres dans l'archive " +
                                                    Guillemets(archive.str()) + " de " + std::to_string(length) +
                                                    " octets");
  uint64_t data = 0;
  uint32_t largest = 0;
  for (uint32_t i = 1; i <= count; ++i) {
    TEntree m = table.Suivant(i);
    data += m.Taille;
    largest = std::max(largest, m.Taille);
  }
  // Data that the table does not account for: a count too small or bytes
  // added; the members would be written shifted. Data missing are found
  // where they are missing, as a short read.
  if (TRefus r = DonneesEnTrop(length, offset + data)) throw EArchiveError(r.Texte(Guillemets(archive.str())));

  // Every member goes through this one buffer, in pieces.
  const auto piece = static_cast<uint32_t>(std::min<uint64_t>({largest, length - offset, MorceauDeCopie}));
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[piece]);
  if (!buffer) throw EOutOfMemory(SOutOfMemory);
  Lecteur& in = table.Donnees();
  Table entries(s, archive.str());
  entries.Tete();

  FenetreOuverte w(s.Progress());
  w->SetCaption("Déconcaténation de " + archive.str());
  w->SetLabel1("Extraction des fichiers de l'archive " + archive.str());
  w->SetLabel6("");
  w->SetLabel2(Realise);
  w->SetPosition(0);
  w.Show();

  for (uint32_t i = 1; i <= count; ++i) {
    const TEntree m = entries.Suivant(i);
    w->SetLabel6("Extraction de " + m.Nom);
    if (w->Label2() == Interrompu)
      s.Messages.BoiteMessage("Interruption Interdite",
                              "<BLOCKQUOTE><FONT COLOR=#FF0000><B>L'Interruption est Interdite</FONT></BLOCKQUOTE>"
                              "<P><FONT COLOR=#FF SIZE=12>Le traitement va être maintenu</FONT>",
                              "Ok", 0);
    w->SetLabel2(Realise);
    w->SetPosition(static_cast<int>(std::nearbyint(i * 100.0 / count)));

    const std::string path = Joint(folder, m.Nom);
    std::unique_ptr<File> f = Ouvre(s.Files, path, Access::Write, Share::None, Disposition::CreateAlways);
    // A size beyond the end of the file is a short read: refused before any
    // of it is copied, so the member is left empty.
    if (m.Taille > length - offset)
      throw EInOutError(EInOutError::ReadPastEnd,
                        "l'archive " + Guillemets(archive.str()) + " s'arrête dans le membre " + Guillemets(m.Nom));
    Copie(s, in, {buffer.get(), piece}, *f, path, m.Taille);
    offset += m.Taille;
    uint32_t e = f->Close();
    f.reset();
    if (e) throw ErreurSur(s.Files, e, path);
  }

  w->SetLabel2(Realise);
  w.Close();
  entries.Ferme();
  table.Ferme();
}

void ExtraitArchive(const ArchiveServices& s, const ShortString& path) {
  ShortString payload = path;
  if (!s.Files.FileExists(payload.str())) Attendre(s.Clock, 1000);

  if (DossierDe(payload.str()).empty()) payload = Joint(s.Files.GetCurrentDirectory(), payload.str());

  std::string_view p = payload;
  std::size_t name = p.rfind('\\');
  name = name == std::string_view::npos ? 0 : name + 1;
  std::size_t dot = p.rfind('.');
  std::size_t stem = dot != std::string_view::npos && dot >= name ? dot : p.size();
  std::string ext = MajusculesSansAccents(p.substr(stem, 4));
  ShortString temporary(p.substr(0, stem));
  temporary += ext == ".CTN" ? ".TMP" : ".CTN";

  Decompresse(s, payload, temporary);
  Deconcatene(s, temporary);
  s.Files.DeleteFile(temporary.str());
}
