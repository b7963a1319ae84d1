// Background picture decoding: whole pictures decode to their colours; truncated,
// corrupt and oversized ones are refused without a crash; the fitted sizes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// clang-format off
#include <jpeglib.h>
#include <gif_lib.h>
// clang-format on

#include "Aide.h"
#include "document/ImageFond.h"

namespace {

// A w x h JPEG, left half red, right half blue, encoded here with the library itself.
std::vector<std::uint8_t> Jpeg(int w, int h, bool progressif = false) {
  jpeg_compress_struct c;
  jpeg_error_mgr e;
  c.err = jpeg_std_error(&e);
  jpeg_create_compress(&c);
  unsigned char* buf = nullptr;
  unsigned long taille = 0;
  jpeg_mem_dest(&c, &buf, &taille);
  c.image_width = static_cast<JDIMENSION>(w), c.image_height = static_cast<JDIMENSION>(h);
  c.input_components = 3, c.in_color_space = JCS_RGB;
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, 95, TRUE);
  if (progressif) jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<unsigned char> ligne(static_cast<size_t>(w) * 3);
  for (int x = 0; x < w; x++) {
    ligne[static_cast<size_t>(x) * 3 + 0] = x < w / 2 ? 255 : 0;
    ligne[static_cast<size_t>(x) * 3 + 2] = x < w / 2 ? 0 : 255;
  }
  while (c.next_scanline < c.image_height) {
    JSAMPROW r = ligne.data();
    jpeg_write_scanlines(&c, &r, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  std::vector<std::uint8_t> v(buf, buf + taille);
  std::free(buf);
  return v;
}

int EcritGif(GifFileType* g, const GifByteType* d, int n) {
  auto* v = static_cast<std::vector<std::uint8_t>*>(g->UserData);
  v->insert(v->end(), d, d + n);
  return n;
}

// A w x h GIF of three colours: index (x + y) % 3 of black, green, white; index 1
// transparent when asked.
std::vector<std::uint8_t> Gif(int w, int h, bool entrelace = false, bool transparent = false) {
  std::vector<std::uint8_t> v;
  int err = 0;
  GifFileType* g = EGifOpen(&v, EcritGif, &err);
  GifColorType couleurs[4] = {{0, 0, 0}, {0, 255, 0}, {255, 255, 255}, {0, 0, 0}};
  ColorMapObject* cmap = GifMakeMapObject(4, couleurs);
  EGifSetGifVersion(g, true);
  EGifPutScreenDesc(g, w, h, 2, 0, cmap);
  if (transparent) {
    GraphicsControlBlock gcb{};
    gcb.TransparentColor = 1;
    GifByteType ext[4];
    size_t n = EGifGCBToExtension(&gcb, ext);
    EGifPutExtension(g, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(n), ext);
  }
  EGifPutImageDesc(g, 0, 0, w, h, entrelace, nullptr);
  std::vector<GifPixelType> ligne(static_cast<size_t>(w));
  auto ecrit = [&](int y) {
    for (int x = 0; x < w; x++) ligne[static_cast<size_t>(x)] = static_cast<GifPixelType>((x + y) % 3);
    EGifPutLine(g, ligne.data(), w);
  };
  if (entrelace) {
    static const int debut[4] = {0, 4, 2, 1}, pas[4] = {8, 8, 4, 2};
    for (int p = 0; p < 4; p++)
      for (int y = debut[p]; y < h; y += pas[p]) ecrit(y);
  } else {
    for (int y = 0; y < h; y++) ecrit(y);
  }
  EGifCloseFile(g, &err);
  GifFreeMapObject(cmap);
  return v;
}

std::uint32_t Px(const TImageRGBA& im, int x, int y) {
  return im.Pixels[static_cast<size_t>(y) * static_cast<size_t>(im.Largeur) + static_cast<size_t>(x)];
}
int Canal(std::uint32_t p, int decalage) { return static_cast<int>((p >> decalage) & 0xFF); }

// The SOF marker's height and width fields, set to what a hostile header claims.
void TailleSof(std::vector<std::uint8_t>& j, int w, int h) {
  for (size_t i = 2; i + 9 < j.size(); i++)
    if (j[i] == 0xFF && (j[i + 1] == 0xC0 || j[i + 1] == 0xC2)) {
      j[i + 5] = static_cast<std::uint8_t>(h >> 8), j[i + 6] = static_cast<std::uint8_t>(h);
      j[i + 7] = static_cast<std::uint8_t>(w >> 8), j[i + 8] = static_cast<std::uint8_t>(w);
      return;
    }
  ADD_FAILURE() << "no SOF marker";
}

TEST(ImageFond, JpegDecodesToItsColours) {
  for (bool prog : {false, true}) {
    SCOPED_TRACE(prog);
    TImageRGBA im;
    std::string err;
    ASSERT_TRUE(DecodeJpeg(Jpeg(64, 32, prog), im, &err)) << err;
    EXPECT_EQ(im.Largeur, 64);
    EXPECT_EQ(im.Hauteur, 32);
    const std::uint32_t g = Px(im, 8, 16), d = Px(im, 56, 16);
    EXPECT_EQ(g >> 24, 0xFFu);
    EXPECT_GT(Canal(g, 16), 230);
    EXPECT_LT(Canal(g, 0), 25);
    EXPECT_GT(Canal(d, 0), 230);
    EXPECT_LT(Canal(d, 16), 25);
  }
}

TEST(ImageFond, DamagedJpegIsRefused) {
  const auto bon = Jpeg(64, 32);
  TImageRGBA im;
  std::string err;
  // Truncated at several places: the header, the middle of the data, just before the end.
  for (size_t n : {size_t{2}, size_t{20}, bon.size() / 2, bon.size() - 2}) {
    SCOPED_TRACE(n);
    std::vector<std::uint8_t> t(bon.begin(), bon.begin() + static_cast<long>(n));
    EXPECT_FALSE(DecodeJpeg(t, im, &err));
    EXPECT_TRUE(im.Vide());
  }
  // An end marker in the middle of the data: the rows after it would be grey.
  auto c = bon;
  size_t sos = 2;
  while (sos + 3 < c.size() && !(c[sos] == 0xFF && c[sos + 1] == 0xDA)) sos++;
  const size_t donnees = sos + 2 + (static_cast<size_t>(c[sos + 2]) << 8 | c[sos + 3]);
  ASSERT_LT(donnees + 4, c.size());
  c[donnees + 2] = 0xFF, c[donnees + 3] = 0xD9;
  EXPECT_FALSE(DecodeJpeg(c, im, &err));
  // A header whose tables are cut short.
  auto h = bon;
  h.resize(200);
  EXPECT_FALSE(DecodeJpeg(h, im, &err));
  EXPECT_FALSE(DecodeJpeg(std::vector<std::uint8_t>{}, im, &err));
  EXPECT_FALSE(DecodeJpeg(Gif(4, 4), im, &err));
}

TEST(ImageFond, OversizedHeadersAreRefusedBeforeAnyAllocation) {
  TImageRGBA im;
  std::string err;
  auto j = Jpeg(16, 16);
  TailleSof(j, 65000, 65000);
  EXPECT_FALSE(DecodeJpeg(j, im, &err));
  EXPECT_NE(err.find("too large"), std::string::npos) << err;
  EXPECT_TRUE(im.Pixels.empty());
  // Within the side limit but over the pixel budget.
  TLimitesImage l;
  l.MaxPixels = 100;
  EXPECT_FALSE(DecodeJpeg(Jpeg(16, 16), im, &err, l));
  EXPECT_TRUE(DecodeJpeg(Jpeg(10, 10), im, &err, l)) << err;

  auto g = Gif(8, 8);
  g[6] = g[7] = g[8] = g[9] = 0xFF;  // logical screen 65535 x 65535
  EXPECT_FALSE(DecodeGif(g, im, &err));
  EXPECT_NE(err.find("too large"), std::string::npos) << err;
  // The frame's own size, claimed larger than the screen it sits on.
  auto f = Gif(8, 8);
  for (size_t i = 13; i + 9 < f.size(); i++)
    if (f[i] == 0x2C) {
      f[i + 5] = f[i + 6] = f[i + 7] = f[i + 8] = 0xFF;
      break;
    }
  EXPECT_FALSE(DecodeGif(f, im, &err));
  EXPECT_TRUE(im.Vide());
}

TEST(ImageFond, GifFirstFrameWithTransparency) {
  for (bool entrelace : {false, true}) {
    SCOPED_TRACE(entrelace);
    TImageRGBA im;
    std::string err;
    ASSERT_TRUE(DecodeGif(Gif(7, 11, entrelace, true), im, &err)) << err;
    ASSERT_EQ(im.Largeur, 7);
    ASSERT_EQ(im.Hauteur, 11);
    for (int y = 0; y < 11; y++)
      for (int x = 0; x < 7; x++) {
        const int i = (x + y) % 3;
        const std::uint32_t attendu = i == 0 ? 0xFF000000u : i == 1 ? 0u : 0xFFFFFFFFu;
        ASSERT_EQ(Px(im, x, y), attendu) << x << "," << y;
      }
  }
}

TEST(ImageFond, DamagedGifIsRefused) {
  const auto bon = Gif(16, 16);
  TImageRGBA im;
  std::string err;
  for (size_t n : {size_t{6}, size_t{13}, size_t{30}, bon.size() - 3}) {
    SCOPED_TRACE(n);
    std::vector<std::uint8_t> t(bon.begin(), bon.begin() + static_cast<long>(n));
    EXPECT_FALSE(DecodeGif(t, im, &err));
    EXPECT_TRUE(im.Vide());
  }
  EXPECT_FALSE(DecodeGif(Jpeg(8, 8), im, &err));
}

TEST(ImageFond, FittedSizesKeepTheProportions) {
  // Fit to an 800-pixel-wide window: 400 x 300 becomes 800 x 600.
  EXPECT_EQ(TailleAjustee(1, 400, 300, 800, 500, 0, 0), (TTailleImage{800, 600}));
  EXPECT_EQ(TailleAjustee(0, 400, 300, 800, 500, 0, 0), (TTailleImage{400, 300}));
  EXPECT_EQ(TailleAjustee(2, 400, 300, 800, 500, 0, 0), (TTailleImage{667, 500}));
  EXPECT_EQ(TailleAjustee(3, 400, 300, 800, 500, 1000, 0), (TTailleImage{1000, 750}));
  EXPECT_EQ(TailleAjustee(4, 400, 300, 800, 500, 0, 150), (TTailleImage{200, 150}));
  // What cannot be made: an empty source, a fixed size of 0, a result past the side limit.
  EXPECT_EQ(TailleAjustee(1, 0, 300, 800, 500, 0, 0), TTailleImage{});
  EXPECT_EQ(TailleAjustee(3, 400, 300, 800, 500, 0, 0), TTailleImage{});
  EXPECT_EQ(TailleAjustee(4, 10, 1, 800, 500, 0, 9000, 16384), TTailleImage{});
}

// A picture path naming a FIFO or a device is refused at once, not waited on.
TEST(ImageFond, OnlyRegularFilesAreRead) {
  const std::string chemin = ::testing::TempDir() + "image_tube.jpg";
  FifoSansEcrivain fifo(chemin);
  ASSERT_TRUE(fifo.Cree);
  std::vector<std::uint8_t> octets;
  std::string raison;
  EXPECT_FALSE(LitOctetsImage(chemin, octets, &raison));
  EXPECT_NE(raison.find("not a regular file"), std::string::npos) << raison;
  EXPECT_EQ(fifo.Liberations, 0);
  EXPECT_FALSE(LitOctetsImage("/dev/zero", octets, &raison));
  EXPECT_TRUE(octets.empty());
}

}  // namespace
