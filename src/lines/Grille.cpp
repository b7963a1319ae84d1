// The lines grid: spacing rules, the dialog's table checks and the application
// of a new grid to the document.
#include "lines/Grille.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <numbers>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/FichierStr.h"
#include "lines/Coupes.h"
#include "model/Document.h"

int MinLignes(TFamilleLignes f) { return f == flDiagonales ? 2 : 1; }

namespace {
const TPositionsGrille& PosFamille(const TGrille& g, TFamilleLignes f) {
  switch (f) {
    case flSections:
      return g.PosSec;
    case flLignesEau:
      return g.PosLgE;
    case flLongitudinales:
      return g.PosLong;
    default:
      return g.PosDiag;
  }
}
TPositionsGrille& PosFamille(TGrille& g, TFamilleLignes f) {
  return const_cast<TPositionsGrille&>(PosFamille(static_cast<const TGrille&>(g), f));
}
int& NombreFamille(TGrille& g, TFamilleLignes f) {
  switch (f) {
    case flSections:
      return g.NbSec;
    case flLignesEau:
      return g.NbLE;
    case flLongitudinales:
      return g.NbLong;
    default:
      return g.NbDiag;
  }
}
}  // namespace

bool AngleDiagValide(double a) { return std::isfinite(a) && std::fmod(a, 180.0) != 0; }

double PenteDiag(double a) {
  double r = -a * std::numbers::pi / 180;
  return std::cos(r) / std::sin(r);
}

void MinMaxGrille(TGrille& g) {
  g.GrilleMin = {10000, 10000, 10000};
  g.GrilleMax = {-10000, -10000, -10000};
  auto etend = [](double v, double& mn, double& mx) {
    if (v < mn) mn = v;
    if (v > mx) mx = v;
  };
  for (int i = 0; i < g.NombreValide(flLongitudinales); i++)
    etend(g.PosLong[i], g.GrilleMin.X, g.GrilleMax.X);
  for (int i = 0; i < g.NombreValide(flSections); i++) etend(g.PosSec[i], g.GrilleMin.Y, g.GrilleMax.Y);
  for (int i = 0; i < g.NombreValide(flLignesEau); i++) etend(g.PosLgE[i], g.GrilleMin.Z, g.GrilleMax.Z);
}

// --- extents of the model that the standard rule spreads the lines over ------

namespace {

// An extent along one axis. The bounds are single precision, as the model's
// extent records have always been: the standard positions inherit that rounding.
struct TEtendue {
  double Longueur = 0;
  float Mini = 0, Maxi = 0;
};

class TBoite {
 public:
  void Ajoute(double v) {
    if (v < Mn) Mn = static_cast<float>(v);
    if (v > Mx) Mx = static_cast<float>(v);
  }
  TEtendue Etendue() const {
    TEtendue e;
    e.Mini = Mn == 10000.0f ? 0.0f : Mn;
    e.Maxi = Mx == -10000.0f ? 0.0f : Mx;
    e.Longueur = static_cast<double>(e.Maxi) - e.Mini;
    return e;
  }

 private:
  float Mn = 10000, Mx = -10000;
};

bool GrilleCoherente(const TEntity& s) {
  if (s.NbLnPt < 0 || s.NbColPt < 0 || s.Pts.size() < static_cast<size_t>(s.NbLnPt) + 1) return false;
  for (int i = 0; i <= s.NbLnPt; i++)
    if (s.Pts[i].size() < static_cast<size_t>(s.NbColPt) + 1) return false;
  return true;
}

bool SymCoherente(const TEntity& s) {
  if (s.PtsSym.size() < static_cast<size_t>(s.NbLnPt) + 1) return false;
  for (int i = 0; i <= s.NbLnPt; i++)
    if (s.PtsSym[i].size() < static_cast<size_t>(s.NbColPt) + 1) return false;
  return true;
}

template <typename F>
void PourChaquePoint(const TArrayVertex3f& g, const TEntity& s, F f) {
  for (int i = 0; i <= s.NbLnPt; i++)
    for (int j = 0; j <= s.NbColPt; j++) f(g[i][j]);
}

// Where the plane z = Z meets the grid lines of a surface (ends included), in Y.
void InterSurfLE(TBoite& b, const TEntity& s, double z) {
  auto segment = [&](const TVertex3f& p1, const TVertex3f& p2) {
    if ((z >= p1.Z && z <= p2.Z) || (z >= p2.Z && z <= p1.Z)) {
      TVertex3f p;
      p.Z = z;
      CalcPtDroite(p1, p2, p, 3);
      b.Ajoute(p.Y);
    }
  };
  bool sym = s.Sym && SymCoherente(s);
  for (int i = 0; i < s.NbLnPt; i++)
    for (int j = 0; j <= s.NbColPt; j++) {
      segment(s.Pts[i][j], s.Pts[i + 1][j]);
      if (sym) segment(s.PtsSym[i][j], s.PtsSym[i + 1][j]);
    }
  for (int i = 0; i <= s.NbLnPt; i++)
    for (int j = 0; j < s.NbColPt; j++) {
      segment(s.Pts[i][j], s.Pts[i][j + 1]);
      if (sym) segment(s.PtsSym[i][j], s.PtsSym[i][j + 1]);
    }
}

TEtendue LongueurFlottaison(const TDocument& doc, double z) {
  TBoite b;
  for (const auto& s : doc.TabSurf)
    if (s->Calc && GrilleCoherente(*s)) InterSurfLE(b, *s, z);
  return b.Etendue();
}

TEtendue LongueurSurf(const TDocument& doc) {
  TBoite b;
  for (const auto& s : doc.TabSurf)
    if (GrilleCoherente(*s)) PourChaquePoint(s->Pts, *s, [&](const TVertex3f& p) { b.Ajoute(p.Y); });
  return b.Etendue();
}

TEtendue HauteurSurf(const TDocument& doc) {
  TBoite b;
  for (const auto& s : doc.TabSurf)
    if (s->Calc && GrilleCoherente(*s))
      PourChaquePoint(s->Pts, *s, [&](const TVertex3f& p) { b.Ajoute(p.Z); });
  return b.Etendue();
}

// The breadth the buttocks are spread over: that of the surfaces in the scope of the
// calculations (all surfaces when none is). Every buttock is also cut at -X, so when
// all of them are mirrored only their main halves count: spread over the whole
// breadth, half the buttocks would repeat the other half.
TEtendue LargeurSurf(const TDocument& doc) {
  bool calc = false;
  for (const auto& s : doc.TabSurf) calc = calc || (s->Calc && GrilleCoherente(*s));
  auto dansPortee = [&](const TEntity& s) { return GrilleCoherente(s) && (!calc || s.Calc); };
  bool toutesSym = true;
  for (const auto& s : doc.TabSurf)
    if (dansPortee(*s)) toutesSym = toutesSym && s->Sym;
  TBoite b;
  for (const auto& s : doc.TabSurf) {
    if (!dansPortee(*s)) continue;
    PourChaquePoint(s->Pts, *s, [&](const TVertex3f& p) { b.Ajoute(p.X); });
    if (!toutesSym && s->Sym && SymCoherente(*s))
      PourChaquePoint(s->PtsSym, *s, [&](const TVertex3f& p) { b.Ajoute(p.X); });
  }
  return b.Etendue();
}

// The depth the waterlines are spread over: that of the body, not of its appendages.
// A keel, a centreboard or a rudder is short and deep; spread down to its tip, most
// waterlines would miss the hull. The body is the surfaces in the scope that reach
// half the scope's length; the others are appendages.
TEtendue HauteurCoque(const TDocument& doc) {
  auto longueur = [](const TEntity& s) {
    TBoite b;
    PourChaquePoint(s.Pts, s, [&](const TVertex3f& p) { b.Ajoute(p.Y); });
    return b.Etendue().Longueur;
  };
  double lMax = 0;
  for (const auto& s : doc.TabSurf)
    if (s->Calc && GrilleCoherente(*s)) lMax = std::max(lMax, longueur(*s));
  TBoite b;
  for (const auto& s : doc.TabSurf)
    if (s->Calc && GrilleCoherente(*s) && longueur(*s) >= lMax / 2)
      PourChaquePoint(s->Pts, *s, [&](const TVertex3f& p) { b.Ajoute(p.Z); });
  return b.Etendue();
}

// The double that a position written with six decimals reads back as.
double SixDecimales(double v) {
  double r = v;
  const std::string t = FormatReel(v, 6);
  return LitReel(t, r) ? r : v;
}

void AnglesStandard(TEspacement& e, int n) {
  e.Angles.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; i++) e.Angles[i] = SixDecimales(n > 1 ? 30 + i * 50.0 / (n - 1) : 30);
}

}  // namespace

TEspacement EspacementStandard(TDocument& doc, TFamilleLignes f, int n) {
  TRACE("Grille.AutoStand");
  n = std::clamp(n, 0, MaxLignes);
  TEtendue e;
  switch (f) {
    case flSections:
      e = LongueurFlottaison(doc, 0);
      if (e.Longueur == 0) e = LongueurSurf(doc);
      break;
    case flLongitudinales:
      e = LargeurSurf(doc);
      break;
    case flLignesEau:
      e = HauteurCoque(doc);
      break;
    default:
      e = HauteurSurf(doc);
      break;
  }
  TEspacement r;
  r.Pos.resize(static_cast<size_t>(n));
  if (f == flDiagonales) {
    r.Pas = n > 0 ? e.Longueur / n : 0;
    for (int i = 0; i < n; i++) r.Pos[i] = e.Mini + (i + 1) * r.Pas;
    AnglesStandard(r, n);
  } else {
    r.Pas = n > 1 ? e.Longueur / (n - 1) : 0;
    for (int i = 0; i < n; i++) r.Pos[i] = e.Mini + i * r.Pas;
  }
  // The positions the document reads back (six decimals): the lines of a saved grid are
  // those it had; a station that rounding puts a hair beyond the transom still cuts it,
  // as the line computation moves such planes onto the end. The evaluated extremes and their
  // single-precision bounds leave noise in the last digits (0.899999 for the default hull's
  // 0.9): a position within two millionths (of the extent's size) of a rounder value takes it.
  const double bruit =
      2e-6 * std::max({1.0, std::abs(static_cast<double>(e.Mini)), std::abs(static_cast<double>(e.Maxi))});
  for (int i = 0; i < n; i++) {
    double v = SixDecimales(r.Pos[i]);
    for (double k = 1; k <= 1e5; k *= 10) {
      const double rond = std::nearbyint(r.Pos[i] * k) / k;
      if (std::abs(rond - r.Pos[i]) <= bruit) {
        v = SixDecimales(rond);
        break;
      }
    }
    r.Pos[i] = v;
  }
  return r;
}

TEspacement EspacementDonne(TFamilleLignes f, double base, double espacement, int n) {
  n = std::clamp(n, 0, MaxLignes);
  TEspacement r;
  r.Pas = espacement;
  r.Pos.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; i++) r.Pos[i] = base + i * espacement;
  if (f == flDiagonales) AnglesStandard(r, n);
  return r;
}

TEspacement DistanceDonnee(TFamilleLignes f, double base, double fin, int n) {
  n = std::clamp(n, 0, MaxLignes);
  TEspacement r;
  // Signed: lines asked from 10 down to 0 must end at 0, not at 20.
  r.Pas = n > 1 ? (fin - base) / (n - 1) : 0;
  r.Pos.resize(static_cast<size_t>(n));
  for (int i = 0; i < n; i++) r.Pos[i] = base + i * r.Pas;
  if (f == flDiagonales) AnglesStandard(r, n);
  return r;
}

void ReconstruitTablesCoupes(TDocument& doc) {
  const TGrille& g = doc.Grille;
  for (auto& s : doc.TabSurf) {
    s->FreeTabCoupes();
    s->CreateTabCoupes(g.NbSec, g.NbLE, g.NbLong, g.NbDiag);
  }
}

void AutoStand(TDocument& doc, TFamilleLignes f) {
  TGrille& g = doc.Grille;
  int& n = NombreFamille(g, f);
  n = std::clamp(n, MinLignes(f), MaxLignes);
  TEspacement e = EspacementStandard(doc, f, n);
  TPositionsGrille& pos = PosFamille(g, f);
  for (int i = 0; i < n; i++) pos[i] = e.Pos[i];
  if (f == flLongitudinales)
    for (int i = 0; i < n; i++) g.PosLongSym[i] = -g.PosLong[i];
  if (f == flDiagonales)
    for (int i = 0; i < n; i++) g.AngleDiag[i] = e.Angles[i];
  MinMaxGrille(g);
  ReconstruitTablesCoupes(doc);
}

void GrilleParDefaut(TDocument& doc) {
  TGrille& g = doc.Grille;
  g = TGrille{};
  for (int f = 0; f < NbFamillesLignes; f++) AutoStand(doc, static_cast<TFamilleLignes>(f));
}

// --- the dialog's tables ------------------------------------------------------

TTablesGrille ChargeTablesGrille(const TGrille& g) {
  TTablesGrille t;
  for (int f = 0; f < NbFamillesLignes; f++) {
    auto fam = static_cast<TFamilleLignes>(f);
    for (double p : g.Positions(fam)) t.T[f].Pos.push_back(FormatReel(p, 6));
    if (fam == flDiagonales)
      for (int i = 0; i < g.NombreValide(fam); i++) t.T[f].Angles.push_back(FormatReel(g.AngleDiag[i], 1));
  }
  t.NumSc = std::clamp(g.NumSc, 1, std::max(1, g.NombreValide(flSections)));
  return t;
}

namespace {
std::optional<int> LitEntierArrondi(const std::string& texte) {
  double v = 0;
  if (!LitReel(texte, v)) return std::nullopt;
  // Far beyond any limit: held there before the conversion to an integer.
  v = std::clamp(std::nearbyint(v), -1e6, 1e6);
  return static_cast<int>(v);
}
}  // namespace

std::optional<int> LitCompte(const std::string& texte, TFamilleLignes f) {
  std::optional<int> n = LitEntierArrondi(texte);
  if (!n) return std::nullopt;
  return std::clamp(*n, MinLignes(f), MaxLignes);
}

std::optional<int> LitScinder(const std::string& texte, int nbSec) {
  std::optional<int> n = LitEntierArrondi(texte);
  if (!n) return std::nullopt;
  return std::clamp(*n, 1, std::max(1, nbSec));
}

void RedimTable(TTablesGrille& t, TFamilleLignes f, int n) {
  n = std::clamp(n, MinLignes(f), MaxLignes);
  TTableGrille& tab = t.T[f];
  if (static_cast<int>(tab.Pos.size()) != n) tab.Modifiee = true;
  tab.Pos.resize(static_cast<size_t>(n), "0");
  if (f == flDiagonales) tab.Angles.resize(static_cast<size_t>(n), "0");
  if (f == flSections && n < t.NumSc) t.NumSc = n;
}

std::string VerifieTable(const TTableGrille& t, TFamilleLignes f) {
  static const char* const cles[] = {"rsErrValeurCouple", "rsErrValeurLigneEau", "rsErrValeurLongitudinale",
                                     "rsErrValeurDiagonale"};
  double v = 0;
  for (size_t i = 0; i < t.Pos.size(); i++) {
    if (!LitReel(t.Pos[i], v)) return t.Pos[i] + rs(cles[f]);
    if (f == flDiagonales && i < t.Angles.size() && !(LitReel(t.Angles[i], v) && AngleDiagValide(v)))
      return t.Angles[i] + rs(cles[f]);
  }
  return "";
}

void RemplitTable(TTableGrille& t, TFamilleLignes f, const TEspacement& e) {
  t.Pos.clear();
  for (double p : e.Pos) t.Pos.push_back(FormatReel(p, 6));
  if (f == flDiagonales) {
    t.Angles.clear();
    for (double a : e.Angles) t.Angles.push_back(FormatReel(a, 1));
  }
  t.LabelPas = rs("rsLabelEsp") + " " + FormatReel(e.Pas, 6);
  t.Modifiee = true;
}

void AppliqueGrille(TDocument& doc, const TTablesGrille& t) {
  for (auto& s : doc.TabSurf) s->FreeTabCoupes();
  TGrille& g = doc.Grille;
  for (int f = 0; f < NbFamillesLignes; f++) {
    auto fam = static_cast<TFamilleLignes>(f);
    const TTableGrille& tab = t.T[f];
    int n = std::clamp(static_cast<int>(tab.Pos.size()), MinLignes(fam), MaxLignes);
    NombreFamille(g, fam) = n;
    TPositionsGrille& pos = PosFamille(g, fam);
    for (int i = 0; i < n; i++) {
      double v = 0;
      // An unreadable cell gives 0, as it always has; the checks on leaving a table normally catch it first.
      pos[i] = i < static_cast<int>(tab.Pos.size()) && LitReel(tab.Pos[i], v) ? v : 0;
      if (fam == flLongitudinales) g.PosLongSym[i] = -pos[i];
      if (fam == flDiagonales) {
        double a = 0;
        g.AngleDiag[i] = i < static_cast<int>(tab.Angles.size()) && LitReel(tab.Angles[i], a) ? a : 0;
      }
    }
  }
  g.NumSc = std::clamp(t.NumSc, 1, g.NbSec);
  MinMaxGrille(g);
  ReconstruitTablesCoupes(doc);
}

// --- numbers --------------------------------------------------------------------

std::string FormatReel(double v, int decimales) {
  char b[400];
  // -0 prints as 0: a position at the origin must not read "-0.000000".
  auto [fin, ec] = std::to_chars(b, b + sizeof b, v + 0.0, std::chars_format::fixed, decimales);
  if (ec != std::errc{}) return "0";
  return std::string(b, fin);
}
