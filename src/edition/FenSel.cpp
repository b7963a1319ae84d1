// The vertex selection window's geometry and click rules.
#include "edition/FenSel.h"

#include <cmath>
#include <cstdlib>

namespace {
int Arrondi(double v) { return static_cast<int>(std::lround(v)); }

// The index whose position lies within half a spacing of v.
template <typename F>
int Proche(int n, int v, F pos) {
  if (n <= 0) return -1;
  if (n == 1) return std::abs(v - pos(0)) <= 6 ? 0 : -1;
  double demi = std::abs(pos(1) - pos(0)) / 2.0;
  for (int i = 0; i < n; i++)
    if (std::abs(v - pos(i)) <= demi) return i;
  return -1;
}
}  // namespace

TZoneFenSel TFenSelGeom::Zone(int x, int y) const {
  bool gauche = x <= LargeurBandeFenSel, bas = y >= H - HauteurBandeFenSel;
  if (gauche && bas) return y < H - x ? TZoneFenSel::CoinLignes : TZoneFenSel::CoinColonnes;
  if (gauche) return TZoneFenSel::Lignes;
  if (bas) return TZoneFenSel::Colonnes;
  return TZoneFenSel::Sections;
}

int TFenSelGeom::YLigne(int i) const {
  if (NbLn <= 1) return 12;
  return 12 + Arrondi(double(H - 31) * (NbLn - i - 1) / (NbLn - 1));
}

int TFenSelGeom::XColonne(int j) const {
  if (NbCol <= 1) return 18;
  return 18 + Arrondi(double(j) * (W - 27) / (NbCol - 1));
}

int TFenSelGeom::XSection(int i) const {
  if (NbSec < 2) return 16;
  return 18 + Arrondi(double(i) * (W - 27) / (NbSec - 1));
}

int TFenSelGeom::LigneA(int y) const {
  return Proche(NbLn, y, [this](int i) { return YLigne(i); });
}
int TFenSelGeom::ColonneA(int x) const {
  return Proche(NbCol, x, [this](int j) { return XColonne(j); });
}
int TFenSelGeom::SectionA(int x) const {
  return Proche(NbSec, x, [this](int i) { return XSection(i); });
}

int SectionProche(const std::vector<double>& sections, double y) {
  int best = -1;
  double dmin = 0;
  for (size_t i = 0; i < sections.size(); i++) {
    double d = std::abs(sections[i] - y);
    if (best < 0 || d < dmin) best = static_cast<int>(i), dmin = d;
  }
  return best;
}

void AppliqueFiltres(const TNet& net, int k, TTableVertex& tab) {
  if (k < 0 || k >= MaxSurf) return;
  for (int i = 0; i < MaxNet; i++)
    for (int j = 0; j < MaxNet; j++) {
      bool actif = true;
      if (net.AfficheLn && net.LnActive != -1)
        actif = i == net.LnActive;
      else if (net.AfficheCol && net.ColActive != -1)
        actif = j == net.ColActive;
      tab.Etat[k][i][j] = actif ? epActif : epInactif;
    }
}

int ClicFenSel(TNet& net, TZoneFenSel zone, int index, const std::vector<double>& sections) {
  auto sectionColonne = [&](int c) {
    return net.NbLn > 0 && c >= 0 && c < net.NbCol ? SectionProche(sections, net.PC[0][c].Y) : -1;
  };
  switch (zone) {
    case TZoneFenSel::Lignes:
      if (index < 0 || index >= net.NbLn) return -1;
      net.LnActive = index, net.AfficheLn = true, net.AfficheCol = false;
      return -1;
    case TZoneFenSel::Colonnes:
      if (index < 0 || index >= net.NbCol) return -1;
      net.ColActive = index, net.AfficheCol = true, net.AfficheLn = false;
      return sectionColonne(index);
    case TZoneFenSel::CoinLignes:
      if (net.AfficheLn && net.LnActive == -1) {
        net.LnActive = 0, net.AfficheCol = false;
      } else {
        bool avant = net.AfficheLn;
        net.LnActive = -1;
        if (net.AfficheCol && net.ColActive != -1) net.AfficheCol = !avant;
      }
      net.AfficheLn = true;
      return -1;
    case TZoneFenSel::CoinColonnes:
      if (net.AfficheCol && net.ColActive == -1) {
        net.ColActive = 0, net.AfficheLn = false;
        net.AfficheCol = true;
        return sectionColonne(0);
      } else {
        bool avant = net.AfficheCol;
        net.ColActive = -1;
        if (net.AfficheLn && net.LnActive != -1) net.AfficheLn = !avant;
      }
      net.AfficheCol = true;
      return -1;
    case TZoneFenSel::Sections:
      return index;
  }
  return -1;
}
