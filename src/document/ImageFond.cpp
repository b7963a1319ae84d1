// JPEG and GIF decoding for the background pictures, and the fitted sizes.
#include "document/ImageFond.h"

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <cstring>

#include "base/FichierStr.h"

// clang-format off
#include <jpeglib.h>
#include <jerror.h>
#include <gif_lib.h>
// clang-format on

bool TailleImageAdmise(long long largeur, long long hauteur, const TLimitesImage& l) {
  return largeur > 0 && hauteur > 0 && largeur <= l.MaxCote && hauteur <= l.MaxCote &&
         largeur * hauteur <= l.MaxPixels;
}

namespace {

void Raison(std::string* erreur, const std::string& r) {
  if (erreur) *erreur = r;
}

// ---- JPEG ------------------------------------------------------------------

struct TErreurJpeg {
  jpeg_error_mgr Pub;
  std::jmp_buf Saut;
  char Message[JMSG_LENGTH_MAX];
  int MaxPasses;
};

void SortieJpeg(j_common_ptr c) {
  auto* e = reinterpret_cast<TErreurJpeg*>(c->err);
  (*c->err->format_message)(c, e->Message);
  std::longjmp(e->Saut, 1);
}

// A warning means damaged data (a truncated file above all): the picture is refused
// rather than shown with grey bands.
void MessageJpeg(j_common_ptr c, int niveau) {
  if (niveau < 0) SortieJpeg(c);
}

// A progressive file can hold thousands of tiny scans, each costing a pass over
// the whole picture: a few hundred is far more than any real picture uses.
void ProgresJpeg(j_common_ptr c) {
  auto* d = reinterpret_cast<j_decompress_ptr>(c);
  auto* e = reinterpret_cast<TErreurJpeg*>(c->err);
  if (d->input_scan_number > e->MaxPasses) {
    std::snprintf(e->Message, sizeof e->Message, "too many scans (%d)", d->input_scan_number);
    std::longjmp(e->Saut, 1);
  }
}

// Kept apart from the C++ caller: nothing with a destructor lives between setjmp and
// longjmp here, the pixel buffer is the caller's and already sized when rows arrive.
bool DecodeJpegC(const unsigned char* data, unsigned long taille, TImageRGBA& image, const TLimitesImage& lim,
                 char* message) {
  jpeg_decompress_struct d;
  TErreurJpeg err;
  jpeg_progress_mgr progres;
  std::memset(&d, 0, sizeof d);
  std::memset(&progres, 0, sizeof progres);
  err.Message[0] = 0;
  err.MaxPasses = 500;
  d.err = jpeg_std_error(&err.Pub);
  err.Pub.error_exit = SortieJpeg;
  err.Pub.emit_message = MessageJpeg;
  if (setjmp(err.Saut)) {
    std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.Message);
    jpeg_destroy_decompress(&d);
    return false;
  }
  jpeg_create_decompress(&d);
  progres.progress_monitor = ProgresJpeg;
  d.progress = &progres;
  d.mem->max_memory_to_use = 512L << 20;
  jpeg_mem_src(&d, data, taille);
  jpeg_read_header(&d, TRUE);
  if (!TailleImageAdmise(d.image_width, d.image_height, lim)) {
    std::snprintf(message, JMSG_LENGTH_MAX, "picture too large (%u x %u)", d.image_width, d.image_height);
    jpeg_destroy_decompress(&d);
    return false;
  }
  const bool cmjn = d.jpeg_color_space == JCS_CMYK || d.jpeg_color_space == JCS_YCCK;
  d.out_color_space = cmjn ? JCS_CMYK : JCS_RGB;
  jpeg_start_decompress(&d);
  const int nc = d.output_components;
  if ((cmjn && nc != 4) || (!cmjn && nc != 3)) {
    std::snprintf(message, JMSG_LENGTH_MAX, "unexpected component count %d", nc);
    jpeg_destroy_decompress(&d);
    return false;
  }
  const int w = static_cast<int>(d.output_width), h = static_cast<int>(d.output_height);
  if (w != image.Largeur || h != image.Hauteur) {
    std::snprintf(message, JMSG_LENGTH_MAX, "size changed while decoding");
    jpeg_destroy_decompress(&d);
    return false;
  }
  // The row belongs to the decoder's pool: a jump out frees it with the rest.
  JSAMPARRAY rangee = (*d.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&d), JPOOL_IMAGE,
                                             static_cast<JDIMENSION>(w * nc), 1);
  JSAMPROW ligne = rangee[0];
  // Adobe writes CMYK inverted; the others (rare) are taken as they are.
  const bool inverse = d.saw_Adobe_marker;
  std::uint32_t* px = image.Pixels.data();
  while (d.output_scanline < d.output_height) {
    const int y = static_cast<int>(d.output_scanline);
    if (jpeg_read_scanlines(&d, &ligne, 1) != 1) break;
    std::uint32_t* out = px + static_cast<size_t>(y) * static_cast<size_t>(w);
    for (int x = 0; x < w; x++) {
      const unsigned char* p = ligne + x * nc;
      unsigned r, g, b;
      if (cmjn) {
        unsigned c = p[0], m = p[1], j = p[2], k = p[3];
        if (!inverse) c = 255 - c, m = 255 - m, j = 255 - j, k = 255 - k;
        r = c * k / 255, g = m * k / 255, b = j * k / 255;
      } else {
        r = p[0], g = p[1], b = p[2];
      }
      out[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
    }
  }
  jpeg_finish_decompress(&d);
  jpeg_destroy_decompress(&d);
  return true;
}

// ---- GIF -------------------------------------------------------------------

struct TSourceGif {
  const std::uint8_t* Data;
  size_t Taille, Pos;
};

int LitGif(GifFileType* g, GifByteType* buf, int n) {
  auto* s = static_cast<TSourceGif*>(g->UserData);
  if (n <= 0) return 0;
  size_t k = std::min(static_cast<size_t>(n), s->Taille - s->Pos);
  std::memcpy(buf, s->Data + s->Pos, k);
  s->Pos += k;
  return static_cast<int>(k);
}

struct TFermeGif {
  GifFileType* G;
  ~TFermeGif() {
    int e = 0;
    if (G) DGifCloseFile(G, &e);
  }
};

std::string ErreurGif(int code) {
  const char* t = GifErrorString(code);
  return t ? t : "GIF error " + std::to_string(code);
}

}  // namespace

bool DecodeJpeg(std::span<const std::uint8_t> octets, TImageRGBA& image, std::string* erreur,
                const TLimitesImage& limites) {
  image = {};
  if (octets.size() < 4 || octets[0] != 0xFF || octets[1] != 0xD8) {
    Raison(erreur, "not a JPEG file");
    return false;
  }
  // The header is read once to size the buffer, then the whole stream is decoded into it.
  unsigned w = 0, h = 0;
  {
    jpeg_decompress_struct d;
    TErreurJpeg err;
    std::memset(&d, 0, sizeof d);
    err.Message[0] = 0;
    d.err = jpeg_std_error(&err.Pub);
    err.Pub.error_exit = SortieJpeg;
    err.Pub.emit_message = MessageJpeg;
    if (setjmp(err.Saut)) {
      Raison(erreur, err.Message);
      jpeg_destroy_decompress(&d);
      return false;
    }
    jpeg_create_decompress(&d);
    jpeg_mem_src(&d, octets.data(), static_cast<unsigned long>(octets.size()));
    jpeg_read_header(&d, TRUE);
    w = d.image_width, h = d.image_height;
    jpeg_destroy_decompress(&d);
  }
  if (!TailleImageAdmise(w, h, limites)) {
    Raison(erreur, "picture too large (" + std::to_string(w) + " x " + std::to_string(h) + ")");
    return false;
  }
  TImageRGBA im;
  im.Largeur = static_cast<int>(w), im.Hauteur = static_cast<int>(h);
  im.Pixels.assign(static_cast<size_t>(w) * h, 0xFF000000u);
  char message[JMSG_LENGTH_MAX] = {0};
  if (!DecodeJpegC(octets.data(), static_cast<unsigned long>(octets.size()), im, limites, message)) {
    Raison(erreur, message);
    return false;
  }
  image = std::move(im);
  return true;
}

bool DecodeGif(std::span<const std::uint8_t> octets, TImageRGBA& image, std::string* erreur,
               const TLimitesImage& limites) {
  image = {};
  if (octets.size() < 13 || std::memcmp(octets.data(), "GIF", 3) != 0) {
    Raison(erreur, "not a GIF file");
    return false;
  }
  TSourceGif src{octets.data(), octets.size(), 0};
  int code = 0;
  TFermeGif f{DGifOpen(&src, LitGif, &code)};
  GifFileType* g = f.G;
  if (!g) {
    Raison(erreur, ErreurGif(code));
    return false;
  }
  int transparent = -1;
  for (;;) {
    GifRecordType type;
    if (DGifGetRecordType(g, &type) == GIF_ERROR) {
      Raison(erreur, ErreurGif(g->Error));
      return false;
    }
    if (type == TERMINATE_RECORD_TYPE) {
      Raison(erreur, "no image in the GIF file");
      return false;
    }
    if (type == EXTENSION_RECORD_TYPE) {
      int ext = 0;
      GifByteType* bloc = nullptr;
      if (DGifGetExtension(g, &ext, &bloc) == GIF_ERROR) {
        Raison(erreur, ErreurGif(g->Error));
        return false;
      }
      if (ext == GRAPHICS_EXT_FUNC_CODE && bloc && bloc[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(bloc[0], bloc + 1, &gcb) == GIF_OK) transparent = gcb.TransparentColor;
      }
      while (bloc) {
        if (DGifGetExtensionNext(g, &bloc) == GIF_ERROR) {
          Raison(erreur, ErreurGif(g->Error));
          return false;
        }
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE) continue;
    if (DGifGetImageDesc(g) == GIF_ERROR) {
      Raison(erreur, ErreurGif(g->Error));
      return false;
    }
    const GifImageDesc& desc = g->Image;
    // The frame is placed on the logical screen; a screen of no size is the frame's own.
    long long sw = g->SWidth, sh = g->SHeight;
    if (sw <= 0 || sh <= 0) sw = desc.Left + desc.Width, sh = desc.Top + desc.Height;
    if (!TailleImageAdmise(sw, sh, limites) || !TailleImageAdmise(desc.Width, desc.Height, limites)) {
      Raison(erreur, "picture too large (" + std::to_string(sw) + " x " + std::to_string(sh) + ")");
      return false;
    }
    const ColorMapObject* cmap = desc.ColorMap ? desc.ColorMap : g->SColorMap;
    if (!cmap || cmap->ColorCount <= 0 || !cmap->Colors) {
      Raison(erreur, "GIF without a colour table");
      return false;
    }
    TImageRGBA im;
    im.Largeur = static_cast<int>(sw), im.Hauteur = static_cast<int>(sh);
    im.Pixels.assign(static_cast<size_t>(sw * sh), 0u);
    std::vector<GifPixelType> ligne(static_cast<size_t>(desc.Width));
    auto pose = [&](int y) {
      const long long yy = desc.Top + y;
      if (yy < 0 || yy >= sh) return;
      std::uint32_t* out = im.Pixels.data() + static_cast<size_t>(yy * sw);
      for (int x = 0; x < desc.Width; x++) {
        const long long xx = desc.Left + x;
        const int i = ligne[static_cast<size_t>(x)];
        if (xx < 0 || xx >= sw || i == transparent || i >= cmap->ColorCount) continue;
        const GifColorType& c = cmap->Colors[i];
        out[xx] = 0xFF000000u | (static_cast<std::uint32_t>(c.Red) << 16) |
                  (static_cast<std::uint32_t>(c.Green) << 8) | c.Blue;
      }
    };
    auto litLigne = [&](int y) {
      if (DGifGetLine(g, ligne.data(), desc.Width) == GIF_ERROR) {
        Raison(erreur, ErreurGif(g->Error));
        return false;
      }
      pose(y);
      return true;
    };
    if (desc.Interlace) {
      static const int debut[4] = {0, 4, 2, 1}, pas[4] = {8, 8, 4, 2};
      for (int p = 0; p < 4; p++)
        for (int y = debut[p]; y < desc.Height; y += pas[p])
          if (!litLigne(y)) return false;
    } else {
      for (int y = 0; y < desc.Height; y++)
        if (!litLigne(y)) return false;
    }
    image = std::move(im);
    return true;
  }
}

bool LitOctetsImage(const std::string& chemin, std::vector<std::uint8_t>& octets, std::string* erreur) {
  octets.clear();
  // A FIFO or a device named as a picture would block the program or never end.
  std::string lus, pourquoi;
  const TLectureFichier r = LitFichierOrdinaire(chemin, MaxOctetsImage, lus, &pourquoi);
  if (r != TLectureFichier::Ok) {
    Raison(erreur, r == TLectureFichier::TropGrand      ? "file too large: " + chemin
                   : r == TLectureFichier::PasOrdinaire ? "not a regular file: " + chemin
                                                        : "cannot read " + chemin + ": " + pourquoi);
    return false;
  }
  octets.assign(lus.begin(), lus.end());
  return true;
}

TTailleImage TailleAjustee(int mode, int bw, int bh, int cw, int ch, int fw, int fh, int maxCote) {
  if (bw <= 0 || bh <= 0) return {};
  long long w = bw, h = bh;
  auto prop = [](long long a, long long b, long long c) {
    return std::llround(static_cast<double>(a) * static_cast<double>(b) / static_cast<double>(c));
  };
  switch (mode) {
    case 1:
      w = cw, h = prop(bh, cw, bw);
      break;
    case 2:
      w = prop(bw, ch, bh), h = ch;
      break;
    case 3:
      w = fw, h = prop(bh, fw, bw);
      break;
    case 4:
      w = prop(bw, fh, bh), h = fh;
      break;
    default:
      break;
  }
  if (w <= 0 || h <= 0 || w > maxCote || h > maxCote) return {};
  return {static_cast<int>(w), static_cast<int>(h)};
}
