#include "markup/LibJpeg.h"

#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h wants FILE and size_t declared first
#include <string>

#include <jpeglib.h>

#include "common/Errors.h"

namespace {

constexpr JDIMENSION CoteMaximal = 16384;

// The library's error manager with where to jump back to and what it said.
struct Erreurs {
  jpeg_error_mgr mgr;
  std::jmp_buf retour;
  char message[JMSG_LENGTH_MAX];
  int code;
};

// error_exit: the library's default ends the process.
[[noreturn]] void Sortie(j_common_ptr info) {
  auto* e = reinterpret_cast<Erreurs*>(info->err);
  (*info->err->format_message)(info, e->message);
  e->code = info->err->msg_code;
  std::longjmp(e->retour, 1);
}

// output_message: warnings and traces are not printed.
void Silence(j_common_ptr) {}

// Owns the decompressor: whatever way the decoding ends, the library frees
// all it allocated (destroying one never created does nothing).
struct Decompresseur {
  jpeg_decompress_struct info{};
  Erreurs erreurs{};
  Decompresseur() {
    info.err = jpeg_std_error(&erreurs.mgr);
    erreurs.mgr.error_exit = Sortie;
    erreurs.mgr.output_message = Silence;
  }
  ~Decompresseur() { jpeg_destroy_decompress(&info); }
  Decompresseur(const Decompresseur&) = delete;
  Decompresseur& operator=(const Decompresseur&) = delete;
};

// The two steps that call the library. An error jumps back to their setjmp
// and they return false; no object with a destructor lives in their frames,
// so the jump skips none.
bool LitEntete(Decompresseur& d, const uint8_t* octets, unsigned long taille) {
  if (setjmp(d.erreurs.retour)) return false;
  jpeg_create_decompress(&d.info);
  jpeg_mem_src(&d.info, octets, taille);
  jpeg_read_header(&d.info, TRUE);
  // Grey stays grey (older libraries do not expand it); the rest becomes RGB.
  if (d.info.jpeg_color_space != JCS_GRAYSCALE) d.info.out_color_space = JCS_RGB;
  return true;
}

bool LitLignes(Decompresseur& d, Colour* pixels) {
  if (setjmp(d.erreurs.retour)) return false;
  jpeg_start_decompress(&d.info);
  const JDIMENSION largeur = d.info.output_width;
  const int composantes = d.info.output_components;
  JSAMPARRAY ligne = (*d.info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d.info), JPOOL_IMAGE,
                                                 largeur * composantes, 1);
  while (d.info.output_scanline < d.info.output_height) {
    Colour* p = pixels + static_cast<std::size_t>(d.info.output_scanline) * largeur;
    jpeg_read_scanlines(&d.info, ligne, 1);
    const JSAMPLE* s = ligne[0];
    for (JDIMENSION x = 0; x < largeur; ++x, s += composantes)
      p[x] = composantes == 1 ? Colour{s[0]} * 0x010101u : Colour{s[0]} | Colour{s[1]} << 8 | Colour{s[2]} << 16;
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

[[noreturn]] void Echec(const Decompresseur& d) {
  throw EJPEG("Erreur JPEG #" + std::to_string(d.erreurs.code) + " : " + d.erreurs.message);
}

}  // namespace

Bitmap DecodeurLibJpeg::Decode(std::span<const uint8_t> octets) {
  if (octets.size() > ULONG_MAX) throw EJPEG("Erreur JPEG : fichier trop grand");
  Decompresseur d;
  if (!LitEntete(d, octets.data(), static_cast<unsigned long>(octets.size()))) Echec(d);
  if (d.info.image_width > CoteMaximal || d.info.image_height > CoteMaximal)
    throw EJPEG("Erreur JPEG : image trop grande (" + std::to_string(d.info.image_width) + " x " +
                std::to_string(d.info.image_height) + " pixels)");
  // The output size is the picture's own: no scaling is asked for.
  Bitmap b;
  b.Width = static_cast<int>(d.info.image_width);
  b.Height = static_cast<int>(d.info.image_height);
  b.Pixels.resize(static_cast<std::size_t>(b.Width) * b.Height);
  if (!LitLignes(d, b.Pixels.data())) Echec(d);
  return b;
}
