// View framing: projection helpers, extents, fit, zoom, pan and the custom views.
#include "edition/Cadrage.h"

#include <algorithm>
#include <cmath>

#include "base/Chaines.h"
#include "base/Services.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double DegRad = Pi / 180.0;

// Round with ties to even, as the screen mapping does everywhere.
int Arrondi(double v) { return static_cast<int>(std::nearbyint(v)); }

void EtendPoint(TEtendue2D& e, const TVertex3f& p, const TParamVue& vue) {
  TPoint2f q;
  ProjAxono(p, q, vue.Theta, vue.Phi);
  if (!std::isfinite(q.X) || !std::isfinite(q.Y)) return;
  e.MinU = std::min(e.MinU, q.X), e.MaxU = std::max(e.MaxU, q.X);
  e.MinV = std::min(e.MinV, q.Y), e.MaxV = std::max(e.MaxV, q.Y);
}

}  // namespace

std::string TitreVue(int type) {
  switch (type) {
    case tvSection:
      return rs("rsTitreVueSection");
    case tvPlan:
      return rs("rsTitreVuePlan");
    case tvProfil:
      return rs("rsTitreVueProfil");
    case tvPersp:
      return rs("rsTitreVuePersp");
    default:
      return "";
  }
}

std::string NomVueStatus(int type) {
  switch (type) {
    case tvSection:
      return rs("rsVueSection");
    case tvPlan:
      return rs("rsVuePlan");
    case tvProfil:
      return rs("rsVueProfil");
    case tvPersp:
      return rs("rsVuePersp");
    default:
      return "";
  }
}

TProjecteur::TProjecteur(const TParamVue& v)
    : St(std::sin(static_cast<double>(v.Theta))),
      Ct(std::cos(static_cast<double>(v.Theta))),
      Sp(std::sin(static_cast<double>(v.Phi))),
      Cp(std::cos(static_cast<double>(v.Phi))),
      Echelle(v.Echelle),
      Ox(v.OrigineX),
      Oy(v.OrigineY) {}

bool TProjecteur::Projette(const TVertex3f& p, TPixel& px) const {
  // Same operations in the same order as ProjAxono / Pt3DVersEcran: equal pixels.
  float u = static_cast<float>(-p.X * St + p.Y * Ct);
  float v = static_cast<float>(-p.X * Ct * Sp - p.Y * St * Sp + p.Z * Cp);
  double su = Echelle * u, sv = Echelle * v;
  if (!(std::fabs(su) < LimitePixel) || !(std::fabs(sv) < LimitePixel)) return false;
  px.X = static_cast<int>(std::nearbyint(su)) + Ox;
  px.Y = Oy - static_cast<int>(std::nearbyint(sv));
  return true;
}

TEtendue2D DimentionsProj2D(const TDocument& doc, int mode, const TParamVue& vue, bool moitie) {
  TEtendue2D e;
  for (const auto& ent : doc.TabSurf) {
    if (mode == 1 ? !ent->Visible : !ent->Calc) continue;
    if (const auto* s = dynamic_cast<const TSurface*>(ent.get())) {
      const TPlan plan = s->PlanSym.Plan();
      bool sym = s->Sym && !moitie;
      for (int i = 0; i < s->Net.NbLn; i++)
        for (int j = 0; j < s->Net.NbCol; j++) {
          TVertex3f v = s->Net.PC[i][j].V();
          EtendPoint(e, v, vue);
          if (sym) EtendPoint(e, CalcSym(v, plan), vue);
        }
    } else {
      for (size_t i = 0; i < ent->Pts.size(); i++)
        for (size_t j = 0; j < ent->Pts[i].size(); j++) {
          EtendPoint(e, ent->Pts[i][j], vue);
          if (ent->Sym && i < ent->PtsSym.size() && j < ent->PtsSym[i].size())
            EtendPoint(e, ent->PtsSym[i][j], vue);
        }
    }
  }
  return e;
}

bool AjusteRectangle(const TDocument& doc, int mode, int w, int h, TParamVue& vue, bool moitie,
                     float zoomMax) {
  TEtendue2D e = DimentionsProj2D(doc, mode, vue, moitie);
  // With nothing to frame the starting values would give a meaningless scale.
  if (e.Vide() || w <= 0 || h <= 0) return false;
  float du = e.MaxU - e.MinU, dv = e.MaxV - e.MinV;
  // A flat surface seen edge-on has no extent one way: the other direction decides.
  double sx = du == 0 ? 10000.0 : w / static_cast<double>(du);
  double sy = dv == 0 ? 10000.0 : h / static_cast<double>(dv);
  float echelle = static_cast<float>(0.95 * std::min(sx, sy));
  echelle = std::min(echelle, zoomMax);
  vue.Echelle = echelle;
  vue.OrigineX =
      -Arrondi(static_cast<double>(echelle) * e.MinU - (w - static_cast<double>(echelle) * du) / 2);
  vue.OrigineY = Arrondi(static_cast<double>(echelle) * e.MaxV + (h - static_cast<double>(echelle) * dv) / 2);
  return true;
}

bool TCadrage::ModeleEnVue(const TDocument& doc, bool moitie, float zoomMax) const {
  TEtendue2D e = DimentionsProj2D(doc, 1, Param, moitie);
  TParamVue ajuste = Param;
  if (e.Vide() || !AjusteRectangle(doc, 1, Largeur, Hauteur, ajuste, moitie, zoomMax)) return true;
  const double s = Param.Echelle;
  const double x0 = Param.OrigineX + s * e.MinU, x1 = Param.OrigineX + s * e.MaxU;
  const double y0 = Param.OrigineY - s * e.MaxV, y1 = Param.OrigineY - s * e.MinV;
  if (x1 < 0 || x0 > Largeur || y1 < 0 || y0 > Hauteur) return false;  // nothing of it shows
  if (s < 0.5 * ajuste.Echelle) return false;                          // small
  const bool dedans = x0 >= 0 && x1 <= Largeur && y0 >= 0 && y1 <= Hauteur;
  return dedans || s > ajuste.Echelle;  // off-centre, unless zoomed in on purpose
}

TVertex3f CalculePt3DInv(const TParamVue& vue, int sx, int sy, double profondeur) {
  double k = vue.Echelle != 0 ? 1.0 / vue.Echelle : 0.0;
  double a = (sx - vue.OrigineX) * k, b = (vue.OrigineY - sy) * k;
  switch (vue.Type) {
    case tvSection:
      return {a, profondeur, b};
    case tvPlan:
      return {-b, a, profondeur};
    case tvProfil:
      return {profondeur, a, b};
    case tvPersp:
      return {0, 0, 0};
    default:
      AfficheMessage(rs("rsErrFenNonDeclaree"), mtError, mbOK);
      return {0, 0, 0};
  }
}

std::string TexteCoordonnees(const TParamVue& vue, int sx, int sy) {
  if (vue.Type < tvSection || vue.Type > tvProfil) return "";
  TVertex3f p = CalculePt3DInv(vue, sx, sy, 0);
  // A coordinate that rounds to zero shows as zero, never "-0.0000".
  for (double* c : {&p.X, &p.Y, &p.Z})
    if (std::fabs(*c) < 0.00005) *c = 0;
  switch (vue.Type) {
    case tvSection:
      return Format("X = %.4f; Y = 0.0000; Z = %.4f", p.X, p.Z);
    case tvPlan:
      return Format("X = %.4f; Y = %.4f; Z = 0.0000", p.X, p.Y);
    default:
      return Format("X = 0.0000; Y = %.4f; Z = %.4f", p.Y, p.Z);
  }
}

TCadrage::TCadrage(int type, int largeur, int hauteur)
    : Largeur(std::max(largeur, 1)), Hauteur(std::max(hauteur, 1)) {
  Param.Type = type;
  switch (type) {
    case tvSection:
      Param.Echelle = 100, Param.Theta = 4.712389f, Param.Phi = 0;
      break;
    case tvPlan:
      Param.Echelle = 50, Param.Theta = 0, Param.Phi = 1.5707964f;
      break;
    case tvProfil:
      Param.Echelle = 50, Param.Theta = 0, Param.Phi = 0;
      break;
    default:
      Param.Echelle = 50, Param.Theta = -2.3561945f, Param.Phi = 0.5235988f;
      break;
  }
  Centre();
  MemorisePrecedente();
}

void TCadrage::Centre() {
  Param.OrigineX = Arrondi(Largeur / 2.0);
  Param.OrigineY = Arrondi(Hauteur / 2.0);
}

namespace {
// The box of the points a fit frames, in model coordinates.
template <typename F>
void PourPointsCadres(const TDocument& doc, bool moitie, F f) {
  for (const auto& ent : doc.TabSurf) {
    if (!ent->Visible) continue;
    if (const auto* s = dynamic_cast<const TSurface*>(ent.get())) {
      const TPlan plan = s->PlanSym.Plan();
      bool sym = s->Sym && !moitie;
      for (int i = 0; i < s->Net.NbLn; i++)
        for (int j = 0; j < s->Net.NbCol; j++) {
          TVertex3f v = s->Net.PC[i][j].V();
          f(v);
          if (sym) f(CalcSym(v, plan));
        }
    } else {
      for (size_t i = 0; i < ent->Pts.size(); i++)
        for (size_t j = 0; j < ent->Pts[i].size(); j++) {
          f(ent->Pts[i][j]);
          if (ent->Sym && i < ent->PtsSym.size() && j < ent->PtsSym[i].size()) f(ent->PtsSym[i][j]);
        }
    }
  }
}
}  // namespace

TVertex3f CentreModele3D(const TDocument& doc, bool moitie) {
  TVertex3f mn{1e300, 1e300, 1e300}, mx{-1e300, -1e300, -1e300};
  PourPointsCadres(doc, moitie, [&](const TVertex3f& p) {
    if (!std::isfinite(p.X) || !std::isfinite(p.Y) || !std::isfinite(p.Z)) return;
    mn = {std::min(mn.X, p.X), std::min(mn.Y, p.Y), std::min(mn.Z, p.Z)};
    mx = {std::max(mx.X, p.X), std::max(mx.Y, p.Y), std::max(mx.Z, p.Z)};
  });
  if (mn.X > mx.X) return {0, 0, 0};
  return {(mn.X + mx.X) / 2, (mn.Y + mx.Y) / 2, (mn.Z + mx.Z) / 2};
}

bool TCadrage::CentreModele(const TDocument& doc, bool moitie) {
  TEtendue2D e = DimentionsProj2D(doc, 1, Param, moitie);
  if (e.Vide()) {
    Centre();
    return false;
  }
  const double uc = (static_cast<double>(e.MinU) + e.MaxU) / 2,
               vc = (static_cast<double>(e.MinV) + e.MaxV) / 2;
  Param.OrigineX = Arrondi(Largeur / 2.0 - Param.Echelle * uc);
  Param.OrigineY = Arrondi(Hauteur / 2.0 + Param.Echelle * vc);
  return true;
}

void TCadrage::CentreOuAjuste(const TDocument& doc, bool moitie, float zoomMax) {
  if (!CentreModele(doc, moitie)) return;
  TEtendue2D e = DimentionsProj2D(doc, 1, Param, moitie);
  if ((e.MaxU - e.MinU) * Param.Echelle > static_cast<float>(Largeur) ||
      (e.MaxV - e.MinV) * Param.Echelle > static_cast<float>(Hauteur))
    Ajuste(doc, moitie, zoomMax);
}

void TCadrage::AnglesAutour(int azimutDeg, int elevationDeg, const TVertex3f& pivot) {
  TPixel avant;
  Pt3DVersEcran(pivot, avant, Param);
  Angles(azimutDeg, elevationDeg);
  TPixel apres;
  Pt3DVersEcran(pivot, apres, Param);
  Deplace(avant.X - apres.X, avant.Y - apres.Y);
}

void TCadrage::Fleche(int dx, int dy, bool shift, const TVertex3f& pivot) {
  if (shift && Param.Type == tvPersp)
    AnglesAutour(AzimutDeg + dx, ElevationDeg + dy, pivot);
  else
    Fleche(dx, dy, shift);
}

std::vector<TRectFenetre> DispositionMosaique(int n, int largeur, int hauteur, bool horizontale) {
  std::vector<TRectFenetre> r;
  for (int i = 0; i < n; i++) {
    TRectFenetre f;
    if (horizontale) {
      f.Y = hauteur * i / n;
      f.H = hauteur * (i + 1) / n - f.Y;
      f.L = largeur;
    } else {
      f.X = largeur * i / n;
      f.L = largeur * (i + 1) / n - f.X;
      f.H = hauteur;
    }
    r.push_back(f);
  }
  return r;
}

std::vector<TRectFenetre> DispositionGrille(int n, int largeur, int hauteur) {
  std::vector<TRectFenetre> r;
  if (n <= 0) return r;
  const int colonnes = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(n))));
  const int lignes = (n + colonnes - 1) / colonnes;
  for (int i = 0; i < n; i++) {
    const int l = i / colonnes, c = i % colonnes;
    TRectFenetre f;
    f.X = largeur * c / colonnes, f.L = largeur * (c + 1) / colonnes - f.X;
    f.Y = hauteur * l / lignes, f.H = hauteur * (l + 1) / lignes - f.Y;
    r.push_back(f);
  }
  return r;
}

std::vector<TRectFenetre> DispositionCascade(int n, int largeur, int hauteur, int pasTitre) {
  // Below this a view shows too little of a hull to work in.
  constexpr int LargeurMin = 320, HauteurMin = 240;
  std::vector<TRectFenetre> r;
  if (n <= 0) return r;
  pasTitre = std::max(pasTitre, 1);
  const int decalage = pasTitre * (n - 1);
  // Three quarters of the area, less when the offsets would push the last one out.
  const int l = std::max(LargeurMin, std::min(largeur - decalage, largeur * 3 / 4));
  const int h = std::max(HauteurMin, std::min(hauteur - decalage, hauteur * 3 / 4));
  for (int i = 0; i < n; i++) r.push_back({i * pasTitre, i * pasTitre, l, h});
  return r;
}

void TCadrage::MemorisePrecedente() { Precedente = {Param.OrigineX, Param.OrigineY, Param.Echelle}; }

void TCadrage::EchangePrecedente() {
  TVuePrecedente actuelle{Param.OrigineX, Param.OrigineY, Param.Echelle};
  if (Precedente.Echelle > 0) {
    Param.OrigineX = Precedente.OrigineX;
    Param.OrigineY = Precedente.OrigineY;
    Param.Echelle = static_cast<float>(Precedente.Echelle);
  }
  Precedente = actuelle;
}

void TCadrage::Resize(int largeur, int hauteur) {
  double w0 = Largeur > 0 ? Largeur : 1, h0 = Hauteur > 0 ? Hauteur : 1;
  Param.OrigineX = Arrondi(largeur * Param.OrigineX / w0);
  Param.OrigineY = Param.OrigineY == 0 ? 1 : Arrondi(hauteur * Param.OrigineY / h0);
  Largeur = std::max(largeur, 1);
  Hauteur = std::max(hauteur, 1);
}

namespace {
// The point under the window centre stays fixed while the scale changes.
void ZoomCentre(TCadrage& c, float nouvelle) {
  double r = static_cast<double>(nouvelle) / c.Param.Echelle;
  int cx = Arrondi(c.Largeur / 2.0), cy = Arrondi(c.Hauteur / 2.0);
  c.Param.OrigineX = cx - Arrondi((cx - c.Param.OrigineX) * r);
  c.Param.OrigineY = cy - Arrondi((cy - c.Param.OrigineY) * r);
  c.Param.Echelle = nouvelle;
}
}  // namespace

namespace {
double FacteurZoom(TModifs m) { return m.Alt ? 1.6 : m.Ctrl ? 1.1 : 1.3; }
}  // namespace

bool TCadrage::Agrandir(TModifs m, float zoomMax) {
  // Out divides by the factor that in multiplies by: the steps undo each other.
  const double nouvelle = Param.Echelle * FacteurZoom(m);
  if (nouvelle > zoomMax) return false;
  ZoomCentre(*this, static_cast<float>(nouvelle));
  return true;
}

bool TCadrage::Reduire(TModifs m) {
  const double nouvelle = Param.Echelle / FacteurZoom(m);
  if (nouvelle < EchelleMin) return false;
  ZoomCentre(*this, static_cast<float>(nouvelle));
  return true;
}

bool TCadrage::ZoomRectangle(int x1, int y1, int x2, float zoomMax) {
  if (x2 <= x1 || Param.Echelle <= 0) return false;
  float ancienne = Param.Echelle;
  float nouvelle = std::min(static_cast<float>(static_cast<double>(Largeur) * ancienne / (x2 - x1)), zoomMax);
  double r = static_cast<double>(nouvelle) / ancienne;
  Param.OrigineX = Arrondi(r * (Param.OrigineX - x1));
  Param.OrigineY = Arrondi(r * (Param.OrigineY - y1));
  Param.Echelle = nouvelle;
  return true;
}

void TCadrage::Angles(int azimutDeg, int elevationDeg) {
  AzimutDeg = azimutDeg;
  ElevationDeg = elevationDeg;
  Param.Theta = static_cast<float>(azimutDeg * DegRad);
  Param.Phi = static_cast<float>(elevationDeg * DegRad);
}

void TCadrage::Fleche(int dx, int dy, bool shift) {
  if (!shift) {
    // Up moves the drawing up.
    Deplace(dx, dy);
  } else if (Param.Type == tvPersp) {
    Angles(AzimutDeg + dx, ElevationDeg + dy);
  }
}

void TCadrage::SauveVue(TVuePerso& v) const {
  v.Sauvee = true;
  v.OrigineX = Param.OrigineX;
  v.OrigineY = Param.OrigineY;
  v.Echelle = Param.Echelle;
  v.Phi = Param.Phi;
  v.Theta = Param.Theta;
}

bool TCadrage::RestaureVue(const TVuePerso& v) {
  if (!v.Sauvee || !(v.Echelle > 0)) return false;
  Param.OrigineX = v.OrigineX;
  Param.OrigineY = v.OrigineY;
  Param.Echelle = v.Echelle;
  if (Param.Type == tvPersp) {
    Param.Phi = v.Phi;
    Param.Theta = v.Theta;
    AzimutDeg = Arrondi(v.Theta / DegRad);
    ElevationDeg = Arrondi(v.Phi / DegRad);
  }
  return true;
}

int PasClavier(TModifs m) { return m.Ctrl ? 1 : m.Alt ? 50 : 10; }

TPixel CoinZoomProportionnel(int x1, int y1, int x, int largeur, int hauteur) {
  double k = largeur > 0 ? static_cast<double>(hauteur) / largeur : 1.0;
  return {x + 1, y1 + Arrondi(k * (x - x1))};
}

const TPresetPersp PresetsPersp[10] = {
    {"rsPerspAvant", 90, 0},
    {"rsPerspArriere", -90, 0},
    {"rsPerspProfilTribord", 0, 0},
    {"rsPerspProfilBabord", 180, 0},
    {"rsPerspDessous", 0, -90},
    {"rsPerspDessus", 0, 90},
    {"rsPerspTribordAvant", 45, 30},
    {"rsPerspBabordAvant", 135, 30},
    {"rsPerspTribordArriere", -45, 30},
    {"rsPerspBabordArriere", -135, 30},
};
