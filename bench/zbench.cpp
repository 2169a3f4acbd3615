// The benchmark's own programs: the test folders, and the work of fcc done
// with plain zlib and POSIX calls in 256 KiB pieces, as the bound fcc is
// measured against.
//
//   zbench gen DIR BYTES FILES   FILES files of BYTES in all, every other one
//                                incompressible, the others text
//   zbench empty DIR COUNT       COUNT empty files
//   zbench expand PAYLOAD        fcc extract's work: inflate into a temporary
//                                file beside the payload, read it back into
//                                the member files, delete it
//   zbench inflate PAYLOAD OUT   the archive alone
//   zbench deflate IN OUT        fcc pack's compression: IN deflated at level 1
//                                with fcc's 4-byte size field in front
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr std::size_t Piece = 256 * 1024;

[[noreturn]] void Die(const std::string& what) {
  std::fprintf(stderr, "zbench: %s: %s\n", what.c_str(), std::strerror(errno));
  std::exit(1);
}

int OpenIn(const std::string& p) {
  int fd = open(p.c_str(), O_RDONLY);
  if (fd < 0) Die(p);
  return fd;
}

int OpenOut(const std::string& p) {
  int fd = open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) Die(p);
  return fd;
}

std::size_t ReadSome(int fd, void* buf, std::size_t n) {
  std::size_t done = 0;
  while (done < n) {
    ssize_t r = read(fd, static_cast<char*>(buf) + done, n - done);
    if (r < 0) Die("read");
    if (r == 0) break;
    done += static_cast<std::size_t>(r);
  }
  return done;
}

void ReadAll(int fd, void* buf, std::size_t n) {
  if (ReadSome(fd, buf, n) != n) {
    errno = EIO;
    Die("short read");
  }
}

void WriteAll(int fd, const void* buf, std::size_t n) {
  const char* p = static_cast<const char*>(buf);
  while (n > 0) {
    ssize_t r = write(fd, p, n);
    if (r <= 0) Die("write");
    p += r;
    n -= static_cast<std::size_t>(r);
  }
}

uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

// Inflates the payload (size field, zlib stream) into out.
void Inflate(const std::string& payload, int out) {
  int in = OpenIn(payload);
  unsigned char head[4];
  ReadAll(in, head, 4);
  std::vector<unsigned char> ibuf(Piece), obuf(Piece);
  z_stream z{};
  if (inflateInit(&z) != Z_OK) Die("inflateInit");
  // Whole pieces are written, the last one excepted.
  z.next_out = obuf.data();
  z.avail_out = Piece;
  int code = Z_OK;
  while (code != Z_STREAM_END) {
    if (z.avail_in == 0) {
      z.next_in = ibuf.data();
      z.avail_in = static_cast<uInt>(ReadSome(in, ibuf.data(), Piece));
      if (z.avail_in == 0) Die("payload cut short");
    }
    code = inflate(&z, Z_NO_FLUSH);
    if (code != Z_OK && code != Z_STREAM_END) Die("inflate");
    if (z.avail_out == 0 || code == Z_STREAM_END) {
      WriteAll(out, obuf.data(), Piece - z.avail_out);
      z.next_out = obuf.data();
      z.avail_out = Piece;
    }
  }
  if (z.total_out != Le32(head)) Die("size");
  inflateEnd(&z);
  close(in);
}

std::string FolderOf(const std::string& p) {
  std::size_t i = p.rfind('/');
  return i == std::string::npos ? "." : p.substr(0, i);
}

void Expand(const std::string& payload) {
  std::string folder = FolderOf(payload);
  std::string temporary = payload.substr(0, payload.rfind('.')) + ".CTN";
  int t = OpenOut(temporary);
  Inflate(payload, t);
  if (close(t) != 0) Die(temporary);

  int a = OpenIn(temporary);
  unsigned char head[5];
  ReadAll(a, head, 5);
  uint32_t count = Le32(head);
  unsigned l = head[4];
  std::vector<unsigned char> table(static_cast<std::size_t>(count) * (l + 4));
  ReadAll(a, table.data(), table.size());
  std::vector<unsigned char> buf(Piece);
  for (uint32_t i = 0; i < count; ++i) {
    const unsigned char* e = table.data() + static_cast<std::size_t>(i) * (l + 4);
    std::string name(reinterpret_cast<const char*>(e + 1), e[0]);
    uint32_t size = Le32(e + l);
    int m = OpenOut(folder + "/" + name);
    for (uint32_t left = size; left > 0;) {
      std::size_t k = left < Piece ? left : Piece;
      ReadAll(a, buf.data(), k);
      WriteAll(m, buf.data(), k);
      left -= static_cast<uint32_t>(k);
    }
    if (close(m) != 0) Die(name);
  }
  close(a);
  if (unlink(temporary.c_str()) != 0) Die(temporary);
}

void Deflate(const std::string& in, const std::string& out) {
  int i = OpenIn(in), o = OpenOut(out);
  struct stat st;
  if (fstat(i, &st) != 0) Die(in);
  unsigned char head[4];
  for (int k = 0; k < 4; ++k) head[k] = static_cast<unsigned char>(static_cast<uint64_t>(st.st_size) >> (8 * k));
  WriteAll(o, head, 4);
  std::vector<unsigned char> ibuf(Piece), obuf(Piece);
  z_stream z{};
  if (deflateInit(&z, 1) != Z_OK) Die("deflateInit");
  int flush = Z_NO_FLUSH;
  while (flush != Z_FINISH) {
    z.next_in = ibuf.data();
    z.avail_in = static_cast<uInt>(ReadSome(i, ibuf.data(), Piece));
    if (z.avail_in < Piece) flush = Z_FINISH;
    do {
      z.next_out = obuf.data();
      z.avail_out = Piece;
      deflate(&z, flush);
      WriteAll(o, obuf.data(), Piece - z.avail_out);
    } while (z.avail_out == 0);
  }
  deflateEnd(&z);
  close(i);
  if (close(o) != 0) Die(out);
}

// Deterministic bytes: xorshift noise, or lines of an inventory.
struct Generator {
  uint64_t x;
  uint64_t Next() {
    x ^= x << 13;
    x ^= x >> 7;
    x ^= x << 17;
    return x;
  }
  void Noise(unsigned char* p, std::size_t n) {
    for (std::size_t i = 0; i < n; i += 8) {
      uint64_t v = Next();
      std::memcpy(p + i, &v, n - i < 8 ? n - i : 8);
    }
  }
  void Text(std::string& s, std::size_t n) {
    static const char* words[] = {"article", "stock",  "fournisseur", "commande", "livraison", "client",
                                  "facture", "remise", "quantité",    "prix",     "dépôt",     "rayon"};
    s.clear();
    while (s.size() < n) {
      uint64_t v = Next();
      s += words[v % 12];
      s += ' ';
      s += std::to_string(v >> 40);
      s += (v >> 8) % 5 == 0 ? "\r\n" : " ; ";
    }
    s.resize(n);
  }
};

void Gen(const std::string& dir, uint64_t bytes, unsigned files) {
  mkdir(dir.c_str(), 0755);
  Generator g{0x9E3779B97F4A7C15ull};
  std::vector<unsigned char> buf(Piece);
  std::string text;
  for (unsigned f = 0; f < files; ++f) {
    uint64_t size = bytes / files + (f < bytes % files ? 1 : 0);
    bool noise = f % 2 == 0;
    char name[64];
    std::snprintf(name, sizeof name, "%s-%02u.%s", noise ? "donnees" : "texte", f, noise ? "bin" : "txt");
    int o = OpenOut(dir + "/" + name);
    for (uint64_t left = size; left > 0;) {
      std::size_t k = left < Piece ? static_cast<std::size_t>(left) : Piece;
      if (noise) {
        g.Noise(buf.data(), k);
        WriteAll(o, buf.data(), k);
      } else {
        g.Text(text, k);
        WriteAll(o, text.data(), k);
      }
      left -= k;
    }
    close(o);
  }
}

void Empty(const std::string& dir, unsigned count) {
  mkdir(dir.c_str(), 0755);
  for (unsigned i = 1; i <= count; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, "/membre-%05u.dat", i);
    close(OpenOut(dir + name));
  }
}

int Usage() {
  std::fprintf(stderr,
               "usage: zbench gen DIR BYTES FILES | empty DIR COUNT | expand PAYLOAD | "
               "inflate PAYLOAD OUT | deflate IN OUT\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> a(argv + 1, argv + argc);
  if (a.size() == 4 && a[0] == "gen") Gen(a[1], std::stoull(a[2]), static_cast<unsigned>(std::stoul(a[3])));
  else if (a.size() == 3 && a[0] == "empty") Empty(a[1], static_cast<unsigned>(std::stoul(a[2])));
  else if (a.size() == 2 && a[0] == "expand") Expand(a[1]);
  else if (a.size() == 3 && a[0] == "inflate") {
    int o = OpenOut(a[2]);
    Inflate(a[1], o);
    if (close(o) != 0) Die(a[2]);
  } else if (a.size() == 3 && a[0] == "deflate") Deflate(a[1], a[2]);
  else return Usage();
  return 0;
}
