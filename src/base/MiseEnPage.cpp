#include "base/MiseEnPage.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>

namespace {

int Arrondi(double v) { return static_cast<int>(std::lround(v)); }

std::optional<int> Entier(const std::string& t) {
  size_t d = t.find_first_not_of(' '), f = t.find_last_not_of(' ');
  if (d == std::string::npos) return std::nullopt;
  const char* a = t.data() + d;
  const char* b = t.data() + f + 1;
  if (*a == '+') a++;
  long long v = 0;
  auto [p, ec] = std::from_chars(a, b, v);
  if (ec == std::errc::result_out_of_range && p == b) return *a == '-' ? -1000000 : 1000000;
  if (ec != std::errc() || p != b) return std::nullopt;
  return static_cast<int>(std::clamp<long long>(v, -1000000, 1000000));
}

}  // namespace

TTaillePapier OrientePapier(int a, int b, bool paysage) {
  int petit = std::min(a, b), grand = std::max(a, b);
  return paysage ? TTaillePapier{grand, petit} : TTaillePapier{petit, grand};
}

bool TaillesPapierDifferentes(int papierA, int papierB, double impA, double impB) {
  if (papierA <= 0 || papierB <= 0 || !(impA > 0) || !(impB > 0)) return false;
  const double pp = std::min(papierA, papierB), pg = std::max(papierA, papierB);
  const double ip = std::min(impA, impB), ig = std::max(impA, impB);
  return std::abs(pp - ip) > TolerancePapierMm || std::abs(pg - ig) > TolerancePapierMm;
}

std::optional<TApercu> CalculeApercu(const TPilote& p) {
  const int pl = p.Physique.X, ph = p.Physique.Y;
  if (pl <= 0 || ph <= 0 || p.Page.X <= 0 || p.Page.Y <= 0) return std::nullopt;
  TApercu a;
  if (pl >= ph)
    a.L = 297, a.H = Arrondi(297.0 * ph / pl);
  else
    a.H = 297, a.L = Arrondi(297.0 * pl / ph);
  a.Gauche = Arrondi(static_cast<double>(p.Offset.X) * a.L / pl);
  a.Haut = Arrondi(static_cast<double>(p.Offset.Y) * a.H / ph);
  // The area's far sides: the offset plus the printable size, so that a driver
  // with a margin keeps it on both sides.
  a.Droite = a.Gauche + Arrondi(static_cast<double>(p.Page.X) * a.L / pl);
  a.Bas = a.Haut + Arrondi(static_cast<double>(p.Page.Y) * a.H / ph);
  if (a.LargImp() <= 0 || a.HautImp() <= 0) return std::nullopt;
  return a;
}

double EchelleFixe(int largeurApercu, int papierH, int n) {
  if (papierH <= 0 || n <= 0) return 0;
  return largeurApercu / (papierH / 1000.0) / n;
}

std::optional<TBlocPages> BlocFixe(double echelle, const TEtenduePlan& e, const TApercu& a) {
  const int L = a.LargImp(), H = a.HautImp();
  if (L <= 0 || H <= 0 || !(echelle > 0) || !std::isfinite(echelle)) return std::nullopt;
  const double w = (e.MaxU - e.MinU) * echelle, h = (e.MaxV - e.MinV) * echelle;
  if (!(w >= 0) || !(h >= 0)) return std::nullopt;
  // A huge extent at a large scale must not overflow the page count.
  const double nh = std::trunc(w / L + 1), nv = std::trunc(h / H + 1);
  if (nh > 1000 || nv > 1000) return std::nullopt;
  TBlocPages b;
  b.Echelle = echelle;
  b.NbPagesH = static_cast<int>(nh);
  b.NbPagesV = static_cast<int>(nv);
  b.OrigineBloc.X = a.Gauche + Arrondi((b.NbPagesH * L - w) / 2) - Arrondi(e.MinU * echelle);
  b.OrigineBloc.Y = a.Haut + Arrondi(e.MaxV * echelle) + Arrondi((b.NbPagesV * H - h) / 2);
  return b;
}

TPointI ColonneLigne(int p, int nbPagesH) {
  if (nbPagesH < 1 || p < 1) return {1, 1};
  return {(p - 1) % nbPagesH + 1, (p - 1) / nbPagesH + 1};
}

TPointI OriginePage(const TPointI& bloc, int c, int r, int largPage, int hautPage) {
  return {bloc.X - largPage * (c - 1), bloc.Y - hautPage * (r - 1)};
}

std::optional<TBlocPages> BlocEcran(double e, int largeurVue, int hauteurVue, const TPointI& origineVue,
                                    const TApercu& a) {
  if (largeurVue <= 0 || hauteurVue <= 0 || a.LargImp() <= 0 || a.HautImp() <= 0 || !(e > 0))
    return std::nullopt;
  TBlocPages b;
  b.Echelle = std::min(e * a.LargImp() / largeurVue, e * a.HautImp() / hauteurVue);
  const double k = b.Echelle / e;
  const int cx = Arrondi(largeurVue / 2.0) - origineVue.X, cy = Arrondi(hauteurVue / 2.0) - origineVue.Y;
  b.OrigineBloc = {Arrondi(a.L / 2.0) - Arrondi(cx * k), Arrondi(a.H / 2.0) - Arrondi(cy * k)};
  return b;
}

TConversionImp VersImprimante(double echelle, const TPointI& origine, const TApercu& a, const TPilote& p) {
  TConversionImp c;
  if (a.L <= 0 || a.LargImp() <= 0 || a.HautImp() <= 0) return c;
  c.EchelleImp = p.Physique.X * echelle / a.L;
  c.Origine.X = Arrondi(static_cast<double>(p.Page.X) * (origine.X - a.Gauche) / a.LargImp());
  c.Origine.Y = Arrondi(static_cast<double>(p.Page.Y) * (origine.Y - a.Haut) / a.HautImp());
  return c;
}

std::optional<int> TexteCopies(const std::string& t) {
  if (t.empty() || t == "-") return std::nullopt;
  auto v = Entier(t);
  if (!v) return std::nullopt;
  return std::clamp(*v, 1, 100);
}

int TexteEchellePerso(const std::string& t) {
  auto v = Entier(t);
  if (!v) return 10;
  return std::clamp(*v, 1, 1000);
}

std::optional<int> TextePage(const std::string& t, int nbPages) {
  auto v = Entier(t);
  if (!v) return std::nullopt;
  return std::clamp(*v, 1, std::max(1, nbPages));
}

std::string TitreTravail(const std::string& nomFichier) {
  return "Brivane - " + std::filesystem::path(nomFichier).filename().string();
}
