#include "exchange/Export.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "lines/Grille.h"

namespace {

// The letter without its accent for the Latin-1 letters U+00C0 .. U+00FF ("" for none).
const char* SansAccent(unsigned cp) {
  static const char* table[64] = {
      "A", "A", "A", "A", "A", "A", "AE", "C", "E", "E", "E", "E", "I", "I", "I", "I",  //
      "D", "N", "O", "O", "O", "O", "O",  "",  "O", "U", "U", "U", "U", "Y", "",  "ss",
      "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i",  //
      "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "",  "y"};
  return cp >= 0xC0 && cp <= 0xFF ? table[cp - 0xC0] : "";
}

}  // namespace

std::string TexteAscii(const std::string& utf8) {
  std::string r;
  for (size_t i = 0; i < utf8.size();) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    unsigned cp = c;
    size_t n = 1;
    if (c >= 0xF0)
      cp = c & 0x07, n = 4;
    else if (c >= 0xE0)
      cp = c & 0x0F, n = 3;
    else if (c >= 0xC0)
      cp = c & 0x1F, n = 2;
    bool valide = c < 0x80 || (c >= 0xC0 && i + n <= utf8.size());
    for (size_t k = 1; valide && k < n; k++) {
      unsigned char d = static_cast<unsigned char>(utf8[i + k]);
      if ((d & 0xC0) != 0x80) valide = false;
      cp = (cp << 6) | (d & 0x3F);
    }
    if (!valide) n = 1, cp = 0xFFFD;
    i += n;
    if (cp < 0x20 || cp == 0x7F)
      r += ' ';
    else if (cp < 0x80)
      r += char(cp);
    else if (cp == 0x152)
      r += "OE";
    else if (cp == 0x153)
      r += "oe";
    else if (*SansAccent(cp))
      r += SansAccent(cp);
    else
      r += '_';
  }
  return r;
}

std::string ReelFixe(double v, int decimales) {
  char b[352];
  auto [fin, ec] = std::to_chars(b, b + sizeof b, v, std::chars_format::fixed, decimales);
  if (ec != std::errc()) return "0";
  std::string_view t(b, size_t(fin - b));
  // A value that rounds to zero is written without its sign: no "-0.00000".
  if (t.front() == '-' && t.find_first_not_of("-0.") == std::string_view::npos) t.remove_prefix(1);
  return std::string(t);
}

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
