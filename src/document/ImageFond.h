// The background pictures of the views: JPEG and GIF decoding (libjpeg, giflib)
// into a plain pixel buffer, and the size a picture takes in a view for each fit
// mode. Files come from anywhere: every size a header claims is checked before
// anything is allocated for it, and a damaged file is refused, never half-shown.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// 32-bit pixels 0xAARRGGBB, rows top to bottom.
struct TImageRGBA {
  int Largeur = 0, Hauteur = 0;
  std::vector<std::uint32_t> Pixels;
  bool Vide() const { return Largeur <= 0 || Hauteur <= 0; }
};

struct TLimitesImage {
  int MaxCote = 16384;                       // pixels per side
  long long MaxPixels = 40LL * 1000 * 1000;  // about 160 MB decoded
};

// Whether a picture of that size may be decoded within the limits.
bool TailleImageAdmise(long long largeur, long long hauteur, const TLimitesImage& l);

// Each returns false with the reason (image left empty) for anything but a whole,
// well-formed picture within the limits: a truncated or corrupt stream is refused.
bool DecodeJpeg(std::span<const std::uint8_t> octets, TImageRGBA& image, std::string* erreur = nullptr,
                const TLimitesImage& limites = {});
// The first frame of a GIF, its transparent colour as transparent pixels.
bool DecodeGif(std::span<const std::uint8_t> octets, TImageRGBA& image, std::string* erreur = nullptr,
               const TLimitesImage& limites = {});

// The bytes of a picture file; false (with the reason) when it cannot be read or is
// larger than a picture could reasonably be.
bool LitOctetsImage(const std::string& chemin, std::vector<std::uint8_t>& octets,
                    std::string* erreur = nullptr);
inline constexpr std::size_t MaxOctetsImage = 256u << 20;

// The size of the fitted picture in a view of cw x ch pixels, for fit mode 0..4
// (none, window width, window height, fixed width fw, fixed height fh); the
// proportions are kept. {0, 0} when it cannot be made (empty source or view,
// or a result beyond MaxCote pixels a side).
struct TTailleImage {
  int Largeur = 0, Hauteur = 0;
  friend bool operator==(const TTailleImage&, const TTailleImage&) = default;
};
TTailleImage TailleAjustee(int mode, int bw, int bh, int cw, int ch, int fw, int fh, int maxCote = 16384);
