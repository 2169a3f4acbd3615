#include "Fcc.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <ostream>

#include "HostFile.h"
#include "archive/Format.h"
#include "archive/Streams.h"
#include "archive/UConcatene.h"
#include "archive/ZComp32.h"
#include "common/Echappe.h"
#include "platform/posix/Cp1252.h"
#include "platform/posix/PosixFileSystem.h"

namespace fcc {

namespace {

const char* const UsageText =
    "usage : fcc pack SORTIE [--name-field L] [--pad-to N --pad-member NOM] [--progress] FICHIER...\n"
    "        fcc list CHARGE\n"
    "        fcc extract CHARGE\n";

std::string Utf8(const std::string& cp1252) { return platform::Cp1252ToUtf8(cp1252); }

std::string Folder(const std::string& path) {
  std::size_t i = path.rfind('/');
  if (i == std::string::npos) return ".";
  return i == 0 ? "/" : path.substr(0, i);
}

// The payload file as the compressed stream's input.
class HostStream : public TStream {
public:
  HostStream(HostFile& file, std::size_t size) : file_(file), size_(size) {}
  std::size_t Read(void* buf, std::size_t n) override {
    std::size_t k = file_.Read(buf, n);
    pos_ += k;
    return k;
  }
  std::size_t Write(const void*, std::size_t) override { throw EFccError("flux en lecture seule"); }
  std::size_t Size() const override { return size_; }
  std::size_t Position() const override { return pos_; }

private:
  HostFile& file_;
  std::size_t size_, pos_ = 0;
};

// The archive as the compressed stream delivers it, checked as it comes and
// strictly (data of exactly the sizes of the table): the header and the
// table are read, the data only counted, each sound entry given to each (if
// any) and then forgotten. Nothing is raised while it comes, so that a
// damaged compressed stream is reported first; Result raises the archive's
// first fault.
class ArchiveCheck : public TStream {
public:
  explicit ArchiveCheck(const std::function<void(const Member&)>& each) : each_(each) {}
  std::size_t Read(void*, std::size_t) override { return 0; }
  std::size_t Write(const void* buf, std::size_t n) override {
    auto p = static_cast<const uint8_t*>(buf);
    pos_ += n;
    while (n > 0 && fault_.empty()) {
      std::size_t want = !header_ ? TailleDeTete : l_.Count < count_ && !Broken() ? l_.NameField + TailleDeTaille : 0;
      if (want == 0) break;  // the data, only counted
      std::size_t k = std::min(n, want - pending_.size());
      pending_.append(reinterpret_cast<const char*>(p), k);
      p += k;
      n -= k;
      if (pending_.size() < want) break;
      if (!header_) {
        header_ = true;
        TTete t = LitTete(reinterpret_cast<const uint8_t*>(pending_.data()));
        count_ = t.Nombre;
        l_.NameField = t.L;
        offset_ = FinDeTable(count_, t.L);
      } else {
        Entry(reinterpret_cast<const uint8_t*>(pending_.data()));
      }
      pending_.clear();
    }
    return pos_;
  }
  std::size_t Size() const override { return pos_; }
  std::size_t Position() const override { return pos_; }
  void Reserve(std::size_t n) override { expected_ = n; }

  Listing Result() {
    uint64_t size = pos_;
    if (size < TailleDeTete) throw EFccError("archive tronquée : " + std::to_string(size) + " octets");
    if (!NombreDansLeFormat(count_)) throw EFccError("nombre de membres hors du format : " + std::to_string(count_));
    if (offset_ > size)
      throw EFccError("table tronquée : " + std::to_string(count_) + " membres annoncés dans " + std::to_string(size) +
                      " octets");
    if (!fault_.empty()) throw EFccError(fault_);
    if (offset_ + data_ > size)
      throw EFccError("données tronquées : " + std::to_string(offset_ + data_ - size) + " octets manquent");
    if (TRefus r = DonneesEnTrop(size, offset_ + data_)) throw EFccError(r.Texte());
    l_.Expanded = size;
    return std::move(l_);
  }

private:
  // A count or a table that cannot be right: the entries are not read.
  bool Broken() const { return !NombreDansLeFormat(count_) || offset_ > expected_; }
  void Entry(const uint8_t* e) {
    TEntree m;
    TRefus r = LitEntree(e, static_cast<uint8_t>(l_.NameField), l_.Count + 1, &m);
    if (r) {
      fault_ = r.Texte();
      return;
    }
    data_ += m.Taille;
    ++l_.Count;
    if (each_) each_(Member{std::move(m.Nom), m.Taille});
  }

  const std::function<void(const Member&)>& each_;
  Listing l_;
  std::string pending_, fault_;
  bool header_ = false;
  uint32_t count_ = 0;
  uint64_t offset_ = 0, data_ = 0, pos_ = 0, expected_ = UINT64_MAX;
};

class ConsoleClock : public platform::Clock {
public:
  double Now() override {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count() / 86400.0;
  }
};

// The progress window as lines on the console: one per member.
class ConsoleProgressWindow : public ProgressWindow {
public:
  explicit ConsoleProgressWindow(std::ostream& out) : out_(out) {}
  void SetCaption(const std::string& text) override { out_ << Utf8(EchappeControles(text)) << "\n"; }
  void SetLabel1(const std::string&) override {}
  void SetLabel2(const std::string& text) override { label2_ = text; }
  std::string Label2() const override { return label2_; }
  void SetLabel6(const std::string& text) override { label6_ = text; }
  void SetPosition(int percent) override {
    label2_ = " " + std::to_string(percent) + "% réalisé";
    if (!label6_.empty())
      out_ << "["
           << (percent < 10    ? "  "
               : percent < 100 ? " "
                               : "")
           << percent << "%] " << Utf8(EchappeControles(label6_)) << "\n";
  }
  void Show() override {}
  void Hide() override {}

private:
  std::ostream& out_;
  std::string label2_, label6_;
};

// A message box on the console: the text without its markup, answered "Ok".
class ConsoleMessageBox : public MessageBoxService {
public:
  explicit ConsoleMessageBox(std::ostream& out) : out_(out) {}
  int BoiteMessage(const std::string& Titre, const std::string& Message, const std::string&, Colour) override {
    std::string plain;
    bool tag = false;
    for (char c : Message) {
      if (c == '<') tag = true;
      else if (c == '>') tag = false;
      else if (!tag) plain += c;
    }
    out_ << Utf8(EchappeControles(Titre)) << " : " << Utf8(EchappeControles(plain)) << "\n";
    return 1;
  }

private:
  std::ostream& out_;
};

std::string Absolute(const std::string& host) {
  if (!host.empty() && host[0] == '/') return host;
  char buf[4096];
  if (!getcwd(buf, sizeof buf)) throw EFccError("dossier courant introuvable");
  return std::string(buf) + "/" + host;
}

std::string Summary(const Listing& l) {
  return std::to_string(l.Count) + " membres, L = " + std::to_string(l.NameField) + ", " + std::to_string(l.Expanded) +
         " octets une fois étendu, " + std::to_string(l.Compressed) + " octets compressés\n";
}

// Every message is cp1252 and shown with its control bytes escaped: names
// and arguments come from outside.
std::string Shown(const std::string& cp1252) { return Utf8(EchappeControles(cp1252)); }

// A wrong usage: why, then the usage; exit code 2.
int Usage(std::ostream& err, const std::string& why) {
  err << "fcc : " << Shown(why) << "\n" << Utf8(UsageText);
  return 2;
}

// The value v of option, all digits.
unsigned long long Number(const std::string& option, const std::string& v) {
  std::size_t used = 0;
  unsigned long long n = 0;
  try {
    n = std::stoull(v, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (v.empty() || used != v.size() || v[0] == '-')
    throw EFccError(Cp(option) + " : nombre attendu, pas \"" + Cp(v) + "\"");
  return n;
}

// The options and files of fcc pack into o; a value that is wrong is
// refused (EFccError), and what makes a wrong usage returned.
std::optional<std::string> PackArguments(const std::vector<std::string>& args, PackOptions& o) {
  std::vector<std::string> plain;
  bool options = true;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&]() -> const std::string& {
      if (i + 1 >= args.size()) throw EFccError(Cp(a) + " attend une valeur");
      return args[++i];
    };
    if (options && a == "--") {
      options = false;
    } else if (options && a == "--name-field") {
      unsigned long long n = Number(a, value());
      if (n > 255) throw EFccError("--name-field doit aller de 0 à 255");
      o.NameField = static_cast<int>(n);
    } else if (options && a == "--pad-to") {
      o.PadTo = Number(a, value());
    } else if (options && a == "--pad-member") {
      o.PadMember = value();
    } else if (options && a == "--progress") {
      o.ProgressInPlace = true;
      o.ProgressAfter = 0;
    } else if (options && a.size() > 1 && a[0] == '-') {
      return "option inconnue : " + Cp(a);
    } else {
      plain.push_back(a);
    }
  }
  if (plain.empty()) return "fichier de sortie manquant";
  o.Output = plain[0];
  o.Files.assign(plain.begin() + 1, plain.end());
  return std::nullopt;
}

}  // namespace

Listing List(const std::string& payload, const std::function<void(const Member&)>& each) {
  uint32_t size = CheckedSize(payload);
  auto read = [&](const std::function<void(const Member&)>& members) {
    HostFile file = HostFile::Open(payload);
    HostStream in(file, size);
    ArchiveCheck archive(members);
    try {
      TZCompress().DecompressStream(in, archive, nullptr);
    } catch (const ECompressionError& e) {
      throw EFccError("flux compressé endommagé : " + e.Message());
    }
    return archive.Result();
  };
  Listing l = read(nullptr);
  if (each) read(each);
  l.Compressed = size >= 4 ? size - 4 : 0;
  return l;
}

void Extract(const std::string& payload, std::ostream& out) {
  std::string abs = Absolute(payload);
  std::optional<std::string> windows = platform::PosixFileSystem::ToWindows(abs);
  if (!windows) throw EFccError("chemin sans équivalent en cp1252 : \"" + abs + "\"");
  // The temporary path may be four bytes longer, and both must fit a short string.
  if (windows->size() + 4 > ShortString::MaxCapacity)
    throw EFccError("chemin de plus de 251 caractères : \"" + *windows + "\"");
  platform::PosixFileSystem fs;
  fs.SetWriteRoot(Folder(abs));
  ConsoleClock clock;
  ConsoleMessageBox box(out);
  ArchiveServices s{fs, clock, box, [&out] { return std::make_unique<ConsoleProgressWindow>(out); }};
  ExtraitArchive(s, ShortString(*windows));
}

int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err, bool errTerminal) {
  if (args.empty()) return Usage(err, "commande manquante");
  const std::string& cmd = args[0];
  try {
    if (cmd == "pack") {
      // A long pack shows its progress even unasked: after a second on a
      // terminal, every ten seconds elsewhere.
      PackOptions o;
      o.Progress = &err;
      o.ProgressInPlace = errTerminal;
      o.ProgressAfter = errTerminal ? 1 : 10;
      if (std::optional<std::string> wrong = PackArguments(args, o)) return Usage(err, *wrong);
      out << Utf8(Summary(Pack(o)));
      return 0;
    }
    if (cmd == "list" || cmd == "extract") {
      if (args.size() != 2) return Usage(err, Cp(cmd) + " attend un fichier");
      if (cmd == "extract") {
        Extract(args[1], out);
        return 0;
      }
      Listing l = List(args[1], [&](const Member& m) { out << Shown(m.Name) << "\t" << m.Size << "\n"; });
      out << Utf8(Summary(l));
      return 0;
    }
    return Usage(err, "commande inconnue : " + Cp(cmd));
  } catch (const EFccError& e) {
    err << "fcc : " << Shown(e.Message()) << "\n";
  } catch (const Exception& e) {
    err << "fcc : " << e.ClassName() << " : " << Shown(e.Message()) << "\n";
  } catch (const std::bad_alloc&) {
    err << "fcc : EOutOfMemory : " << Utf8(SOutOfMemory) << "\n";
  } catch (const std::exception& e) {
    err << "fcc : erreur : " << Shown(e.what()) << "\n";
  }
  return 1;
}

}  // namespace fcc
