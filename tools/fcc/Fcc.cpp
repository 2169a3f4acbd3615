#include "Fcc.h"

#include <sys/stat.h>
#include <zlib.h>

#include <chrono>
#include <cstring>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>

#include "archive/Streams.h"
#include "archive/UConcatene.h"
#include "archive/ZComp32.h"
#include "common/LittleEndian.h"
#include "platform/posix/Cp1252.h"
#include "platform/posix/PosixFileSystem.h"

namespace fcc {

namespace {

constexpr uint64_t Limit = 0x80000000ull;  // sizes are signed 32-bit in the format

const char* const Usage =
    "usage : fcc pack SORTIE [--name-field L] [--pad-to N --pad-member NOM] [--progress] FICHIER...\n"
    "        fcc list CHARGE\n"
    "        fcc extract CHARGE\n";

// A host text as the system's messages hold it.
std::string Cp(const std::string& utf8) {
  std::optional<std::string> s = platform::Utf8ToCp1252(utf8);
  return s ? *s : utf8;
}

std::string Utf8(const std::string& cp1252) { return platform::Cp1252ToUtf8(cp1252); }

std::string Quoted(const std::string& host) { return "\"" + Cp(host) + "\""; }

std::string ReadHostFile(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) throw EFccError("fichier introuvable : " + Quoted(path));
  if (!S_ISREG(st.st_mode)) throw EFccError("pas un fichier ordinaire : " + Quoted(path));
  if (static_cast<uint64_t>(st.st_size) >= Limit)
    throw EFccError("fichier de 2 Go ou plus, hors du format : " + Quoted(path));
  std::ifstream in(path, std::ios::binary);
  std::string data(static_cast<std::size_t>(st.st_size), '\0');
  if (!in.read(data.data(), static_cast<std::streamsize>(data.size())))
    throw EFccError("lecture impossible : " + Quoted(path));
  return data;
}

std::string BaseName(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  std::size_t i = p.rfind('/');
  return i == std::string::npos ? p : p.substr(i + 1);
}

std::string Folder(const std::string& path) {
  std::size_t i = path.rfind('/');
  if (i == std::string::npos) return ".";
  return i == 0 ? "/" : path.substr(0, i);
}

// A member name as the installer would take it, or the reason it would not.
std::string MemberName(const std::string& utf8) {
  std::optional<std::string> name = platform::Utf8ToCp1252(utf8);
  if (!name) throw EFccError("nom sans équivalent en cp1252 : \"" + utf8 + "\"");
  std::string motif = MotifDeRefus(*name);
  if (!motif.empty()) throw EFccError("nom refusé par l'installateur : \"" + *name + "\" (" + motif + ")");
  if (name->size() > 254) throw EFccError("nom de plus de 254 octets : \"" + *name + "\"");
  return *name;
}

// The generated member that brings an archive to its size: plain text lines.
std::string Filler(std::size_t n) {
  const std::string line = "Zone réservée aux données de Brannoch.\r\n";
  std::string s;
  s.reserve(n);
  while (s.size() < n) s += line;
  s.resize(n);
  return s;
}

// The archive of a listing, checked as the installer checks it, and strictly:
// data of exactly the sizes of the table.
Listing ReadArchive(const uint8_t* a, std::size_t size) {
  Listing l;
  if (size < 5) throw EFccError("archive tronquée : " + std::to_string(size) + " octets");
  uint32_t count = LitLe32(a);
  if (count >= Limit) throw EFccError("nombre de membres hors du format : " + std::to_string(count));
  l.NameField = a[4];
  uint64_t offset = 5 + uint64_t{count} * (l.NameField + 4u);
  if (offset > size)
    throw EFccError("table tronquée : " + std::to_string(count) + " membres annoncés dans " + std::to_string(size) +
                    " octets");
  uint64_t data = 0;
  for (uint32_t i = 0; i < count; ++i) {
    const uint8_t* e = a + 5 + uint64_t{i} * (l.NameField + 4u);
    Member m;
    int n = l.NameField > 0 ? e[0] : 0;
    if (l.NameField > 0 && n > l.NameField - 1)
      throw EFccError("membre " + std::to_string(i + 1) + " : longueur de nom " + std::to_string(n) +
                      " pour un champ de " + std::to_string(l.NameField));
    m.Name.assign(reinterpret_cast<const char*>(e + 1), n);
    m.Size = LitLe32(e + l.NameField);
    std::string motif = MotifDeRefus(m.Name);
    if (!motif.empty())
      throw EFccError("membre " + std::to_string(i + 1) + " : nom refusé \"" + m.Name + "\" (" + motif + ")");
    if (m.Size >= Limit) throw EFccError("membre " + std::to_string(i + 1) + " : taille hors du format");
    data += m.Size;
    l.Members.push_back(m);
  }
  if (offset + data > size)
    throw EFccError("données tronquées : " + std::to_string(offset + data - size) + " octets manquent");
  if (offset + data < size)
    throw EFccError("données en trop : " + std::to_string(size - offset - data) + " octets après le dernier membre");
  l.Expanded = size;
  return l;
}

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
  void SetCaption(const std::string& text) override { out_ << Utf8(text) << "\n"; }
  void SetLabel1(const std::string&) override {}
  void SetLabel2(const std::string& text) override { label2_ = text; }
  std::string Label2() const override { return label2_; }
  void SetLabel6(const std::string& text) override { label6_ = text; }
  void SetPosition(int percent) override {
    label2_ = " " + std::to_string(percent) + "% réalisé";
    if (!label6_.empty()) out_ << "[" << (percent < 10 ? "  " : percent < 100 ? " " : "") << percent << "%] "
                               << Utf8(label6_) << "\n";
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
    out_ << Utf8(Titre) << " : " << Utf8(plain) << "\n";
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
  return std::to_string(l.Members.size()) + " membres, L = " + std::to_string(l.NameField) + ", " +
         std::to_string(l.Expanded) + " octets une fois étendu, " + std::to_string(l.Compressed) +
         " octets compressés\n";
}

}  // namespace

Listing Pack(const PackOptions& o) {
  struct Input {
    std::string Name, Data;
  };
  std::vector<Input> inputs;
  std::set<std::string> seen;
  auto add = [&](const std::string& utf8Name, std::string data) {
    std::string name = MemberName(utf8Name);
    if (!seen.insert(platform::FoldCp1252(name)).second)
      throw EFccError("deux membres du même nom (sans égard à la casse) : \"" + name + "\"");
    inputs.push_back({name, std::move(data)});
  };
  // Sizes up front for the progress line only; ReadHostFile reports the faults.
  uint64_t total = 0, read = 0;
  if (o.Progress) {
    for (const std::string& f : o.Files) {
      struct stat st;
      if (stat(f.c_str(), &st) == 0) total += static_cast<uint64_t>(st.st_size);
    }
  }
  for (std::size_t i = 0; i < o.Files.size(); ++i) {
    add(BaseName(o.Files[i]), ReadHostFile(o.Files[i]));
    if (o.Progress) {
      read += inputs.back().Data.size();
      *o.Progress << "\rfcc : lecture " << (total ? std::min<uint64_t>(100, read * 100 / total) : 100) << " % ("
                  << i + 1 << "/" << o.Files.size() << " fichiers)" << std::flush;
    }
  }
  if (o.PadTo.has_value() != !o.PadMember.empty())
    throw EFccError("--pad-to et --pad-member vont ensemble");
  if (o.PadTo) add(o.PadMember, "");

  std::size_t longest = 0;
  for (const Input& in : inputs) longest = std::max(longest, in.Name.size());
  int l = o.NameField ? *o.NameField : static_cast<int>(longest) + 1;
  if (l < 0 || l > 255) throw EFccError("--name-field doit aller de 0 à 255");
  if (static_cast<std::size_t>(l) < longest + 1 && !inputs.empty())
    throw EFccError("--name-field " + std::to_string(l) + " trop petit pour un nom de " + std::to_string(longest) +
                    " octets");

  uint64_t size = 5 + inputs.size() * (l + 4u);
  for (const Input& in : inputs) size += in.Data.size();
  if (o.PadTo) {
    if (*o.PadTo < size)
      throw EFccError("--pad-to " + std::to_string(*o.PadTo) + " : les membres font déjà " + std::to_string(size) +
                      " octets");
    if (*o.PadTo - size >= Limit) throw EFccError("--pad-to : membre de remplissage de 2 Go ou plus");
    inputs.back().Data = Filler(static_cast<std::size_t>(*o.PadTo - size));
    size = *o.PadTo;
  }
  if (size >= Limit) throw EFccError("archive de 2 Go ou plus, hors du format");

  std::string archive;
  archive.reserve(static_cast<std::size_t>(size));
  AjouteLe32(archive, static_cast<uint32_t>(inputs.size()));
  archive += static_cast<char>(l);
  // One name field, written over for every entry: its unused bytes keep what
  // longer names before left there.
  std::string field(l, '\0');
  for (const Input& in : inputs) {
    if (l > 0) {
      field[0] = static_cast<char>(in.Name.size());
      field.replace(1, in.Name.size(), in.Name);
    }
    archive += field;
    AjouteLe32(archive, static_cast<uint32_t>(in.Data.size()));
  }
  for (const Input& in : inputs) archive += in.Data;

  if (o.Progress) *o.Progress << "\nfcc : compression de " << archive.size() << " octets" << std::flush;
  uLongf n = compressBound(archive.size());
  std::string z(n, '\0');
  if (compress2(reinterpret_cast<Bytef*>(z.data()), &n, reinterpret_cast<const Bytef*>(archive.data()),
                archive.size(), 1) != Z_OK)
    throw EFccError("compression impossible");
  z.resize(n);
  std::string head;
  AjouteLe32(head, static_cast<uint32_t>(archive.size()));

  std::ofstream out(o.Output, std::ios::binary | std::ios::trunc);
  out << head << z;
  out.close();
  if (!out) throw EFccError("écriture impossible : " + Quoted(o.Output));
  if (o.Progress) *o.Progress << "\n";

  Listing r;
  for (const Input& in : inputs) r.Members.push_back({in.Name, static_cast<uint32_t>(in.Data.size())});
  r.NameField = l;
  r.Expanded = archive.size();
  r.Compressed = z.size();
  return r;
}

Listing List(const std::string& payload) {
  std::string bytes = ReadHostFile(payload);
  TMemoryStream in, out;
  in.Write(bytes.data(), bytes.size());
  in.SetPosition(0);
  try {
    TZCompress().DecompressStream(in, out, nullptr);
  } catch (const ECompressionError& e) {
    throw EFccError("flux compressé endommagé : " + e.Message());
  }
  Listing l = ReadArchive(out.Memory(), out.Size());
  l.Compressed = bytes.size() >= 4 ? bytes.size() - 4 : 0;
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

int Main(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto usage = [&](const std::string& why) {
    err << "fcc : " << Utf8(why) << "\n" << Utf8(Usage);
    return 2;
  };
  if (args.empty()) return usage("commande manquante");
  const std::string& cmd = args[0];
  bool progress = false;  // a refusal then starts on a line of its own
  try {
    if (cmd == "pack") {
      PackOptions o;
      std::vector<std::string> plain;
      bool options = true;
      for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string& {
          if (i + 1 >= args.size()) throw EFccError(a + " attend une valeur");
          return args[++i];
        };
        auto number = [&](const std::string& v) {
          std::size_t used = 0;
          unsigned long long n = 0;
          try {
            n = std::stoull(v, &used);
          } catch (const std::exception&) {
            used = 0;
          }
          if (v.empty() || used != v.size() || v[0] == '-') throw EFccError(a + " : nombre attendu, pas \"" + v + "\"");
          return n;
        };
        if (options && a == "--") {
          options = false;
        } else if (options && a == "--name-field") {
          unsigned long long n = number(value());
          if (n > 255) throw EFccError("--name-field doit aller de 0 à 255");
          o.NameField = static_cast<int>(n);
        } else if (options && a == "--pad-to") {
          o.PadTo = number(value());
        } else if (options && a == "--pad-member") {
          o.PadMember = value();
        } else if (options && a == "--progress") {
          o.Progress = &err;
          progress = true;
        } else if (options && a.size() > 1 && a[0] == '-') {
          return usage("option inconnue : " + a);
        } else {
          plain.push_back(a);
        }
      }
      if (plain.empty()) return usage("fichier de sortie manquant");
      o.Output = plain[0];
      o.Files.assign(plain.begin() + 1, plain.end());
      out << Utf8(Summary(Pack(o)));
      return 0;
    }
    if (cmd == "list" || cmd == "extract") {
      if (args.size() != 2) return usage(cmd + " attend un fichier");
      if (cmd == "extract") {
        Extract(args[1], out);
        return 0;
      }
      Listing l = List(args[1]);
      for (const Member& m : l.Members) out << Utf8(m.Name) << "\t" << m.Size << "\n";
      out << Utf8(Summary(l));
      return 0;
    }
    return usage("commande inconnue : " + cmd);
  } catch (const EFccError& e) {
    err << (progress ? "\n" : "") << "fcc : " << Utf8(e.Message()) << "\n";
  } catch (const Exception& e) {
    err << (progress ? "\n" : "") << "fcc : " << e.ClassName() << " : " << Utf8(e.Message()) << "\n";
  }
  return 1;
}

}  // namespace fcc
