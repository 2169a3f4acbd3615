// fcc pack: the archive is never held whole. Its size is known from the
// files' sizes before a byte is read, so the size field goes first; then the
// header, the table and every file run through one level-1 deflate stream in
// pieces, which makes the same bytes as compressing the whole archive at once.
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <ostream>
#include <set>

#include "Fcc.h"
#include "HostFile.h"
#include "archive/Format.h"
#include "common/LittleEndian.h"
#include "platform/FileSystem.h"
#include "platform/posix/Cp1252.h"

namespace fcc {

namespace {

// Inputs are read, and the compressed stream written, in pieces of this size.
constexpr std::size_t Piece = MorceauDeCopie;

std::string BaseName(const std::string& path) {
  std::string p = path;
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  std::size_t i = p.rfind('/');
  return i == std::string::npos ? p : p.substr(i + 1);
}

// A member name as the installer would take it, or the reason it would not.
std::string MemberName(const std::string& utf8) {
  std::optional<std::string> name = platform::Utf8ToCp1252(utf8);
  if (!name) throw EFccError("nom sans équivalent en cp1252 : \"" + utf8 + "\"");
  std::string motif = MotifDeRefus(*name);
  if (!motif.empty()) throw EFccError("nom refusé par l'installateur : \"" + *name + "\" (" + motif + ")");
  if (name->size() > NomLePlusLong) throw EFccError("nom de plus de 254 octets : \"" + *name + "\"");
  return *name;
}

// The generated member that brings an archive to its size: plain text lines,
// made piece by piece.
class Filler {
public:
  void Next(char* buf, std::size_t n) {
    static const std::string line = "Zone réservée aux données de Brannoch.\r\n";
    while (n > 0) {
      std::size_t k = std::min(n, line.size() - at_);
      std::memcpy(buf, line.data() + at_, k);
      buf += k;
      n -= k;
      at_ = (at_ + k) % line.size();
    }
  }

private:
  std::size_t at_ = 0;
};

// One zlib stream of level 1 written to out in pieces.
class Deflater {
public:
  explicit Deflater(HostFile& out) : out_(out), buf_(new char[Piece]) {
    std::memset(&z_, 0, sizeof z_);
    if (deflateInit(&z_, 1) != Z_OK) throw EFccError("compression impossible");
    Restart();
  }
  ~Deflater() { deflateEnd(&z_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  void Add(const void* data, std::size_t n) {
    z_.next_in = static_cast<Bytef*>(const_cast<void*>(data));
    z_.avail_in = static_cast<uInt>(n);
    while (z_.avail_in > 0) Step(Z_NO_FLUSH);
  }
  void Finish() {
    while (Step(Z_FINISH) != Z_STREAM_END) {
    }
    out_.Write(buf_.get(), Piece - z_.avail_out);
    Restart();
  }
  uint64_t Written() const { return z_.total_out; }

private:
  int Step(int flush) {
    int code = deflate(&z_, flush);
    if (code != Z_OK && code != Z_STREAM_END && code != Z_BUF_ERROR) throw EFccError("compression impossible");
    if (z_.avail_out == 0) {
      out_.Write(buf_.get(), Piece);
      Restart();
    }
    return code;
  }
  void Restart() {
    z_.next_out = reinterpret_cast<Bytef*>(buf_.get());
    z_.avail_out = static_cast<uInt>(Piece);
  }

  HostFile& out_;
  std::unique_ptr<char[]> buf_;
  z_stream z_;
};

// The progress line of PackOptions: how much of the files has been read and
// compressed, then the archive's size.
class Progress {
public:
  // files: how many, of total bytes.
  Progress(const PackOptions& o, std::size_t files, uint64_t total)
      : o_(o), files_(files), total_(total), start_(Clock::now()) {}
  ~Progress() {
    // A failure is reported on a line of its own.
    if (shown_ && !done_ && o_.ProgressInPlace) *o_.Progress << "\n" << std::flush;
  }
  // n more bytes of the files read; fileDone: the file they end is whole.
  void Read(uint64_t n, bool fileDone) {
    read_ += n;
    if (fileDone) ++filesDone_;
    if (o_.Progress == nullptr) return;
    Clock::time_point now = Clock::now();
    if (Seconds(now - start_) < o_.ProgressAfter) return;
    double every = o_.ProgressInPlace ? (fileDone ? 0 : 0.25) : o_.ProgressAfter;
    if (shown_ && Seconds(now - last_) < every) return;
    std::string line = "fcc : lecture " + std::to_string(total_ ? std::min<uint64_t>(100, read_ * 100 / total_) : 100) +
                       " % (" + std::to_string(filesDone_) + "/" + std::to_string(files_) + " fichiers)";
    if (o_.ProgressInPlace) *o_.Progress << "\r" << line << std::flush;
    else *o_.Progress << line << "\n" << std::flush;
    shown_ = true;
    last_ = now;
  }
  // The end of a pack whose progress was shown.
  void Done(uint64_t archive) {
    done_ = true;
    if (shown_)
      *o_.Progress << (o_.ProgressInPlace ? "\n" : "") << "fcc : compression de " << archive << " octets\n"
                   << std::flush;
  }

private:
  using Clock = std::chrono::steady_clock;
  static double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

  const PackOptions& o_;
  std::size_t files_, filesDone_ = 0;
  uint64_t total_, read_ = 0;
  Clock::time_point start_, last_;
  bool shown_ = false, done_ = false;
};

struct Input {
  std::string Name, Path;  // no path: the generated member
  uint32_t Size = 0;
};

// The members in order, each name checked and each file found readable, so
// that a refusal comes before anything is written.
std::vector<Input> Inputs(const PackOptions& o) {
  std::vector<Input> inputs;
  std::set<std::string> seen;
  auto add = [&](const std::string& utf8Name, const std::string& path, uint32_t size) {
    std::string name = MemberName(utf8Name);
    if (!seen.insert(platform::FoldName(name)).second)
      throw EFccError("deux membres du même nom (sans égard à la casse) : \"" + name + "\"");
    inputs.push_back({name, path, size});
  };
  struct stat target;
  bool exists = stat(o.Output.c_str(), &target) == 0;
  for (const std::string& f : o.Files) {
    uint32_t size = CheckedSize(f);
    // The output is emptied before the inputs are read.
    struct stat st;
    if (exists && stat(f.c_str(), &st) == 0 && st.st_dev == target.st_dev && st.st_ino == target.st_ino)
      throw EFccError("le fichier de sortie est aussi une entrée : " + Quoted(f));
    HostFile::Open(f);  // readable: refused now rather than halfway through
    add(BaseName(f), f, size);
  }
  if (o.PadTo.has_value() != !o.PadMember.empty()) throw EFccError("--pad-to et --pad-member vont ensemble");
  if (o.PadTo) add(o.PadMember, "", 0);
  return inputs;
}

// L: the one asked for, else one more than the longest name.
uint8_t NameField(const PackOptions& o, const std::vector<Input>& inputs) {
  std::size_t longest = 0;
  for (const Input& in : inputs) longest = std::max(longest, in.Name.size());
  int l = o.NameField ? *o.NameField : static_cast<int>(longest) + 1;
  if (l < 0 || l > 255) throw EFccError("--name-field doit aller de 0 à 255");
  if (static_cast<std::size_t>(l) < longest + 1 && !inputs.empty())
    throw EFccError("--name-field " + std::to_string(l) + " trop petit pour un nom de " + std::to_string(longest) +
                    " octets");
  return static_cast<uint8_t>(l);
}

// The archive's size, the generated member (if any) sized to make it PadTo.
uint32_t ArchiveSize(const PackOptions& o, std::vector<Input>& inputs, uint8_t l) {
  uint64_t size = FinDeTable(inputs.size(), l);
  for (const Input& in : inputs) size += in.Size;
  if (o.PadTo) {
    if (*o.PadTo < size)
      throw EFccError("--pad-to " + std::to_string(*o.PadTo) + " : les membres font déjà " + std::to_string(size) +
                      " octets");
    if (*o.PadTo - size >= LimiteDuFormat) throw EFccError("--pad-to : membre de remplissage de 2 Go ou plus");
    inputs.back().Size = static_cast<uint32_t>(*o.PadTo - size);
    size = *o.PadTo;
  }
  if (size >= LimiteDuFormat) throw EFccError("archive de 2 Go ou plus, hors du format");
  return static_cast<uint32_t>(size);
}

// Every member's bytes into the stream, the files checked to keep their size.
void AddMembers(const PackOptions& o, const std::vector<Input>& inputs, uint32_t size, Deflater& z) {
  uint64_t files = 0;
  for (const Input& in : inputs) files += in.Path.empty() ? 0 : in.Size;
  Progress progress(o, o.Files.size(), files);
  std::unique_ptr<char[]> buf(new char[Piece]);
  for (const Input& in : inputs) {
    if (in.Path.empty()) {
      Filler filler;
      for (uint32_t left = in.Size; left > 0;) {
        std::size_t k = std::min<std::size_t>(left, Piece);
        filler.Next(buf.get(), k);
        z.Add(buf.get(), k);
        left -= static_cast<uint32_t>(k);
      }
      continue;
    }
    HostFile file = HostFile::Open(in.Path);
    for (uint32_t left = in.Size;;) {
      std::size_t k = left > 0 ? file.Read(buf.get(), std::min<std::size_t>(left, Piece)) : 0;
      if (k == 0 && left > 0) throw EFccError("fichier raccourci pendant la compression : " + Quoted(in.Path));
      z.Add(buf.get(), k);
      left -= static_cast<uint32_t>(k);
      bool whole = left == 0;
      if (whole && file.Read(buf.get(), 1) != 0)
        throw EFccError("fichier allongé pendant la compression : " + Quoted(in.Path));
      progress.Read(k, whole);
      if (whole) break;
    }
  }
  z.Finish();
  progress.Done(size);
}

}  // namespace

Listing Pack(const PackOptions& o) {
  std::vector<Input> inputs = Inputs(o);
  const uint8_t l = NameField(o, inputs);
  const uint32_t size = ArchiveSize(o, inputs, l);
  TEcritTable table(static_cast<uint32_t>(inputs.size()), l);
  for (const Input& in : inputs) table.Ajoute(in.Name, in.Size);

  Listing r;
  HostFile out = HostFile::Create(o.Output);
  try {
    std::string head;
    AjouteLe32(head, size);
    out.Write(head.data(), head.size());
    Deflater z(out);
    z.Add(table.Octets().data(), table.Octets().size());
    AddMembers(o, inputs, size, z);
    r.Compressed = z.Written();
    out.Close();
  } catch (...) {
    // A payload cut short must not be taken for a whole one.
    unlink(o.Output.c_str());
    throw;
  }

  r.Count = static_cast<uint32_t>(inputs.size());
  r.NameField = l;
  r.Expanded = size;
  return r;
}

}  // namespace fcc
