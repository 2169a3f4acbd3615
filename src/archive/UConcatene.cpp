#include "archive/UConcatene.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>
#include <vector>

#include "archive/Streams.h"
#include "archive/ZComp32.h"
#include "common/Attendre.h"
#include "common/Chemins.h"
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

struct TMembre {
  ShortString Nom;
  uint32_t Taille = 0;
};

std::string Joint(const std::string& folder, std::string_view name) {
  std::string r = folder;
  if (r.empty() || r.back() != '\\') r += '\\';
  r += name;
  return r;
}

void Lit(File& f, void* buf, uint32_t n) {
  uint32_t done = 0;
  if (uint32_t e = f.Read(buf, n, &done)) throw EInOutError(e);
  if (done < n) throw EInOutError(EInOutError::ReadPastEnd);
}

void Ecrit(File& f, const void* buf, uint32_t n) {
  uint32_t done = 0;
  if (uint32_t e = f.Write(buf, n, &done)) throw EInOutError(e);
  if (done < n) throw EInOutError(EInOutError::DiskFull);
}

void Ferme(std::unique_ptr<File>& f) {
  uint32_t e = f->Close();
  f.reset();
  if (e) throw EInOutError(e);
}

std::unique_ptr<File> Ouvre(platform::FileSystem& fs, const std::string& path, Access access, Share share,
                            Disposition disposition) {
  uint32_t e = 0;
  std::unique_ptr<File> f = fs.Open(path, access, share, disposition, &e);
  if (!f) throw EInOutError(e ? e : platform::ErrorAccessDenied);
  return f;
}

// A name as a message can show it: control bytes as #code.
std::string Lisible(std::string_view nom) {
  std::string r;
  for (char c : nom) {
    if (static_cast<unsigned char>(c) < 0x20)
      r += "#" + std::to_string(static_cast<unsigned char>(c));
    else
      r += c;
  }
  return r;
}

bool EstPeripherique(std::string_view nom) {
  // Windows reads a device in the part before the first dot, blanks before
  // that dot ignored.
  std::string base(nom.substr(0, nom.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  base = MajusculesSansAccents(base);
  if (base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" || base == "CONIN$" || base == "CONOUT$")
    return true;
  if (base.size() == 4 && (base.compare(0, 3, "COM") == 0 || base.compare(0, 3, "LPT") == 0)) {
    auto d = static_cast<unsigned char>(base[3]);
    // Superscript one, two and three count as digits for Windows as well.
    return (d >= '1' && d <= '9') || d == 0xB9 || d == 0xB2 || d == 0xB3;
  }
  return false;
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

std::string MotifDeRefus(std::string_view nom) {
  if (nom.empty()) return "nom vide";
  if (nom == "." || nom == "..") return "nom réservé";
  for (char c : nom) {
    auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos)
      return "caractère interdit";
  }
  if (nom.back() == '.' || nom.back() == ' ') return "point ou espace final";
  if (EstPeripherique(nom)) return "nom de périphérique";
  return "";
}

void Decompresse(const ArchiveServices& s, const ShortString& source, const ShortString& destination) {
  uint32_t e = 0;
  std::unique_ptr<File> in = s.Files.Open(source.str(), Access::Read, Share::Read, Disposition::OpenExisting, &e);
  if (!in) throw EFOpenError(FOpenErrorMessage(source.str(), s.Files.SystemMessage(e)));
  std::unique_ptr<File> out =
      s.Files.Open(destination.str(), Access::Write, Share::None, Disposition::CreateAlways, &e);
  if (!out) throw EFCreateError(FCreateErrorMessage(destination.str(), s.Files.SystemMessage(e)));
  try {
    TFileStream from(*in), to(*out);
    TZCompress().DecompressStream(from, to, nullptr);
    Ferme(out);
  } catch (...) {
    // A partial archive must not outlive the failure: it could be taken for
    // a whole one.
    out.reset();
    s.Files.DeleteFile(destination.str());
    throw;
  }
  Ferme(in);
}

void Deconcatene(const ArchiveServices& s, const ShortString& archive) {
  std::string folder(DossierDe(archive.str()));
  if (folder.empty()) folder = s.Files.GetCurrentDirectory();

  std::unique_ptr<File> a = Ouvre(s.Files, archive.str(), Access::Read, Share::Read, Disposition::OpenExisting);
  const uint64_t length = a->Size();
  uint8_t head[4];
  Lit(*a, head, 4);
  uint32_t count = LitLe32(head);
  if (count > INT32_MAX) throw ERangeError(SRangeError);
  uint8_t l = 0;
  Lit(*a, &l, 1);
  // The table must lie within the file before it is given any memory.
  uint64_t offset = 5 + uint64_t{count} * (l + 4u);
  if (offset > length) throw EInOutError(EInOutError::ReadPastEnd);

  std::vector<TMembre> table;
  try {
    table.resize(count);
  } catch (const std::bad_alloc&) {
    throw EOutOfMemory(SOutOfMemory);
  }
  uint32_t largest = 0;
  for (uint32_t i = 0; i < count; ++i) {
    uint8_t field[256] = {};
    Lit(*a, field, l);
    uint8_t size[4];
    Lit(*a, size, 4);
    if (l > 0 && field[0] > l - 1)
      throw EArchiveError("Longueur de nom incorrecte dans l'archive \"" + archive.str() + "\" : membre " +
                          std::to_string(i + 1) + ", " + std::to_string(field[0]) + " caractères pour " +
                          std::to_string(l - 1) + " au plus");
    table[i].Nom = std::string_view(reinterpret_cast<const char*>(field + 1), field[0]);
    table[i].Taille = LitLe32(size);
    largest = std::max(largest, table[i].Taille);
  }
  for (uint32_t i = 0; i < count; ++i) {
    const TMembre& m = table[i];
    if (m.Taille > INT32_MAX)
      throw EArchiveError("Taille de membre incorrecte dans l'archive \"" + archive.str() + "\" : membre " +
                          std::to_string(i + 1) + ", " + std::to_string(m.Taille) + " octets");
    std::string motif = MotifDeRefus(m.Nom);
    if (!motif.empty())
      throw EArchiveError("Nom de membre interdit dans l'archive \"" + archive.str() + "\" : \"" +
                          Lisible(m.Nom) + "\" (" + motif + ")");
  }

  // Every member goes through this one buffer, in pieces.
  const auto piece = static_cast<uint32_t>(std::min<uint64_t>({largest, length - offset, MorceauDeCopie}));
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[piece]);
  if (!buffer) throw EOutOfMemory(SOutOfMemory);

  FenetreOuverte w(s.Progress());
  w->SetCaption("Déconcaténation de " + archive.str());
  w->SetLabel1("Extraction des fichiers de l'archive " + archive.str());
  w->SetLabel6("");
  w->SetLabel2(Realise);
  w->SetPosition(0);
  w.Show();

  for (uint32_t i = 1; i <= count; ++i) {
    const TMembre& m = table[i - 1];
    w->SetLabel6("Extraction de " + m.Nom.str());
    if (w->Label2() == Interrompu)
      s.Messages.BoiteMessage("Interruption Interdite",
                              "<BLOCKQUOTE><FONT COLOR=#FF0000><B>L'Interruption est Interdite</FONT></BLOCKQUOTE>"
                              "<P><FONT COLOR=#FF SIZE=12>Le traitement va être maintenu</FONT>",
                              "Ok", 0);
    w->SetLabel2(Realise);
    w->SetPosition(static_cast<int>(std::nearbyint(i * 100.0 / count)));

    std::unique_ptr<File> f =
        Ouvre(s.Files, Joint(folder, m.Nom), Access::Write, Share::None, Disposition::CreateAlways);
    // A size beyond the end of the file is a short read: refused before any
    // of it is copied, so the member is left empty.
    if (m.Taille > length - offset) throw EInOutError(EInOutError::ReadPastEnd);
    for (uint32_t left = m.Taille; left > 0;) {
      uint32_t part = std::min(left, piece);
      Lit(*a, buffer.get(), part);
      Ecrit(*f, buffer.get(), part);
      left -= part;
    }
    offset += m.Taille;
    Ferme(f);
  }

  w->SetLabel2(Realise);
  w.Close();
  Ferme(a);
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
