#include "edition/CalageImage.h"

#include <cmath>
#include <complex>

void CoordonneesVue(int type, const TVertex3f& p, double& a, double& b) {
  switch (type) {
    case tvSection:
      a = p.X, b = p.Z;
      break;
    case tvPlan:
      a = p.Y, b = -p.X;
      break;
    default:
      a = p.Y, b = p.Z;
  }
}

TAxesVue AxesVue(int type) {
  if (type == tvSection) return {"X", "Z", 1};
  if (type == tvPlan) return {"Y", "X", -1};
  return {"Y", "Z", 1};
}

std::string DefautCalage(const TImageFondDoc& im) {
  for (double v : {im.Px[0], im.Px[1], im.Py[0], im.Py[1], im.A[0], im.A[1], im.B[0], im.B[1]})
    if (!std::isfinite(v)) return "rsCalageNonFini";
  // Closer than a pixel or a tenth of a millimetre: the scale would be a guess.
  if (std::hypot(im.Px[1] - im.Px[0], im.Py[1] - im.Py[0]) < 1) return "rsCalagePointsImage";
  if (std::hypot(im.A[1] - im.A[0], im.B[1] - im.B[0]) < 1e-4) return "rsCalagePointsModele";
  return {};
}

bool AffineCalage(const TImageFondDoc& im, const TParamVue& vue, std::array<double, 6>& m) {
  if (vue.Type < tvSection || vue.Type > tvProfil || !DefautCalage(im).empty()) return false;
  // In the view's pixels a point (a, b) of the model is at (Ox + E a, Oy - E b): with w = a - i b
  // that is O + E w, and the picture's pixels p = x + i y go to w by w1 + z (p - p1).
  using C = std::complex<double>;
  const C p1(im.Px[0], im.Py[0]), p2(im.Px[1], im.Py[1]);
  const C w1(im.A[0], -im.B[0]), w2(im.A[1], -im.B[1]);
  const C z = (w2 - w1) / (p2 - p1) * static_cast<double>(vue.Echelle);
  const C t = C(vue.OrigineX, vue.OrigineY) + static_cast<double>(vue.Echelle) * w1 - z * p1;
  m = {z.real(), -z.imag(), z.imag(), z.real(), t.real(), t.imag()};
  return std::isfinite(m[0]) && std::isfinite(m[2]) && std::isfinite(m[4]) && std::isfinite(m[5]);
}
