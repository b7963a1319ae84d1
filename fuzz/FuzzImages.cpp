// libFuzzer target for the background picture decoders: any bytes, decoded as JPEG
// and as GIF within small limits (a picture is refused, never half-shown). Built by
// fuzz/CMakeLists.txt, run by scripts/fuzz.sh.
#include <cstddef>
#include <cstdint>

#include "document/ImageFond.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::span<const std::uint8_t> octets(data, size);
  // Small limits keep each run fast; the checks are the same at any size.
  TLimitesImage l;
  l.MaxCote = 4096;
  l.MaxPixels = 1 << 20;
  TImageRGBA im;
  for (auto decode : {&DecodeJpeg, &DecodeGif}) {
    std::string err;
    if (decode(octets, im, &err, l)) {
      if (im.Vide() ||
          im.Pixels.size() != static_cast<size_t>(im.Largeur) * static_cast<size_t>(im.Hauteur) ||
          im.Largeur > l.MaxCote || im.Hauteur > l.MaxCote)
        __builtin_trap();
    } else if (!im.Vide()) {
      __builtin_trap();
    }
  }
  return 0;
}
