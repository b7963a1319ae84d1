#include "exchange/Export.h"

#include <algorithm>
#include <cmath>

#include "lines/Grille.h"

TContexteExport ContexteVue(int typeVue) {
  TContexteExport c;
  c.Type = std::clamp(typeVue, 0, 3);
  // The views' starting angles, so that a command line export matches a fresh window.
  switch (c.Type) {
    case tvSection:
      c.Angle1 = 4.712389f, c.Angle2 = 0;
      break;
    case tvPlan:
      c.Angle1 = 0, c.Angle2 = 1.5707964f;
      break;
    case tvProfil:
      c.Angle1 = 0, c.Angle2 = 0;
      break;
    default:
      c.Angle1 = -2.3561945f, c.Angle2 = 0.5235988f;
      break;
  }
  return c;
}

void Projette(const TContexteExport& c, const TVertex3f& p, float& u, float& v) {
  const double s1 = std::sin(c.Angle1), c1 = std::cos(c.Angle1), s2 = std::sin(c.Angle2),
               c2 = std::cos(c.Angle2);
  u = static_cast<float>(-p.X * s1 + p.Y * c1);
  v = static_cast<float>(-p.X * c1 * s2 - p.Y * s1 * s2 + p.Z * c2);
}

bool TraitDiagonale(const TGrille& g, double d, double angleDeg, TPoint3Export& t) {
  const double yMin = g.GrilleMin.Y, zMin = g.GrilleMin.Z, zMax = g.GrilleMax.Z;
  const double a = -angleDeg * M_PI / 180.0;
  const double sn = std::sin(a), cs = std::cos(a);
  double x0 = 0, x1 = g.GrilleMax.X, z0 = d, z1 = d;
  // Near the vertical the slope has no finite value: the stroke runs down the centre plane.
  if (std::fabs(sn) < 1e-9) {
    x1 = 0;
    z1 = zMin;
  } else {
    const double pente = cs / sn;
    z1 = d + pente * x1;
    // Clip the segment (x0, z0) - (x1, z1) to zMin <= z <= zMax.
    auto coupe = [&](double zBorne, bool bas) {
      auto dehors = [&](double z) { return bas ? z < zBorne : z > zBorne; };
      if (dehors(z0) && dehors(z1)) return false;
      if (dehors(z1)) {
        x1 = (zBorne - d) / pente;
        z1 = zBorne;
      } else if (dehors(z0)) {
        x0 = (zBorne - d) / pente;
        z0 = zBorne;
      }
      return true;
    };
    if (!coupe(zMin, true) || !coupe(zMax, false)) return false;
  }
  if (z0 < zMin || z0 > zMax) return false;
  z1 = std::clamp(z1, zMin, zMax);
  t = {{x0, yMin, z0}, {x1, yMin, z1}};
  return std::isfinite(x0) && std::isfinite(x1) && std::isfinite(z0) && std::isfinite(z1);
}

TTraitsGrille TraitsGrille(const TGrille& g) {
  TTraitsGrille r;
  const TVertex3f mn = g.GrilleMin, mx = g.GrilleMax;
  for (double s : g.Positions(flSections))
    r.Plans.push_back(
        {TPoint3Export{{mn.X, s, mn.Z}, {mn.X, s, mx.Z}}, TPoint3Export{{mn.X, s, mn.Z}, {mx.X, s, mn.Z}}});
  for (double w : g.Positions(flLignesEau))
    r.Plans.push_back(
        {TPoint3Export{{mn.X, mn.Y, w}, {mn.X, mx.Y, w}}, TPoint3Export{{mn.X, mn.Y, w}, {mx.X, mn.Y, w}}});
  for (double b : g.Positions(flLongitudinales))
    r.Plans.push_back(
        {TPoint3Export{{b, mn.Y, mn.Z}, {b, mx.Y, mn.Z}}, TPoint3Export{{b, mn.Y, mn.Z}, {b, mn.Y, mx.Z}}});
  const int nd = g.NombreValide(flDiagonales);
  for (int k = 0; k < nd; k++) {
    TPoint3Export t;
    if (TraitDiagonale(g, g.PosDiag[k], g.AngleDiag[k], t)) r.Diagonales.push_back(t);
  }
  return r;
}

std::array<TPoint3Export, 3> AxesModele(const TDocument& doc) {
  auto debut = [](double borne) { return borne < 0 ? borne - 1 : -1.0; };
  auto fin = [](double borne) { return borne > 0 ? borne + 1 : 1.0; };
  return {TPoint3Export{{debut(doc.SurfXMin), 0, 0}, {fin(doc.SurfXMax), 0, 0}},
          TPoint3Export{{0, debut(doc.SurfYMin), 0}, {0, fin(doc.SurfYMax), 0}},
          TPoint3Export{{0, 0, debut(doc.SurfZMin)}, {0, 0, fin(doc.SurfZMax)}}};
}

void ExtentsVisibles(const TDocument& doc, TVertex3f& mn, TVertex3f& mx) {
  mn = {10000, 10000, 10000};
  mx = {-10000, -10000, -10000};
  bool une = false;
  for (const auto& s : doc.TabSurf) {
    if (!s->Visible) continue;
    une = true;
    mn.X = std::min(mn.X, s->PtXMin.X), mx.X = std::max(mx.X, s->PtXMax.X);
    mn.Y = std::min(mn.Y, s->PtYMin.Y), mx.Y = std::max(mx.Y, s->PtYMax.Y);
    mn.Z = std::min(mn.Z, s->PtZMin.Z), mx.Z = std::max(mx.Z, s->PtZMax.Z);
  }
  if (!une) mn = mx = {0, 0, 0};
}

const std::vector<TCoupe>& CoupesFamille(const TEntity& e, int famille, bool sym) {
  switch (famille) {
    case flSections:
      return sym ? e.SecSym : e.Sec;
    case flLignesEau:
      return sym ? e.LgESym : e.LgE;
    case flLongitudinales:
      return sym ? e.LongSym : e.Long;
    default:
      return sym ? e.DiagSym : e.Diag;
  }
}

bool FamilleCochee(const TOptionsExport& o, int famille) {
  switch (famille) {
    case flSections:
      return o.Couples;
    case flLignesEau:
      return o.LignesEau;
    case flLongitudinales:
      return o.Longitudinales;
    default:
      return o.Diagonales;
  }
}

TOptionsExport PreselectionExport(TTypeExport t, const TMenuVue& m) {
  TOptionsExport o;
  o.Moitie = m.Moitie;
  if (t == teIGES) {
    o.Nurbs = true;
    return o;
  }
  o.Aretes = m.Carene;
  o.Couples = m.Couples && m.Carene;
  o.LignesEau = m.LignesEau && m.Carene;
  o.Longitudinales = m.Longitudinales && m.Carene;
  o.Diagonales = m.Diagonales && m.Carene;
  o.SurfParam = m.SurfParam;
  o.Grille = m.Grille;
  o.Axes = m.Axes;
  o.Nurbs = o.Couleurs = t == teTXT;
  return o;
}
