// The lines grid's data: defaults, counts and positions by family.
#include "model/DonneesGrille.h"

#include <algorithm>

TGrille::TGrille() {
  for (int i = 0; i < NbDiag; i++) AngleDiag[static_cast<size_t>(i)] = 30 + i * 50.0 / (NbDiag - 1);
}

int TGrille::Nombre(TFamilleLignes f) const {
  switch (f) {
    case flSections:
      return NbSec;
    case flLignesEau:
      return NbLE;
    case flLongitudinales:
      return NbLong;
    default:
      return NbDiag;
  }
}

int TGrille::NombreValide(TFamilleLignes f) const { return std::clamp(Nombre(f), 0, MaxLignes); }

std::vector<double> TGrille::Positions(TFamilleLignes f) const {
  const TPositionsGrille& p = f == flSections         ? PosSec
                              : f == flLignesEau      ? PosLgE
                              : f == flLongitudinales ? PosLong
                                                      : PosDiag;
  return {p.begin(), p.begin() + NombreValide(f)};
}
