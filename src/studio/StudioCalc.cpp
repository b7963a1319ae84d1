// The studio's window-free arithmetic: camera mappings, light angles, the curvature
// colour scale and the drawing passes.
#include "studio/StudioCalc.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "edition/Affiche.h"

void ZoomStudio(TCameraStudio& c, bool agrandir, TModifs m, int curseurMax) {
  float pas = m.Alt ? 5.0f : m.Ctrl ? 0.2f : 1.0f;
  c.Distance += agrandir ? -pas : pas;
  c.Echelle = static_cast<float>(curseurMax) - c.Distance * 10 + 1;
}

float DistanceDuCurseur(int position, int curseurMax) {
  return static_cast<float>(curseurMax - position + 1) / 10.0f;
}

std::optional<TVueDocument> VueStudioDocument(const TDocument& doc) {
  // The reader fills the placements when the file has its VUES section.
  if (doc.VuesLues) return doc.Vues[4];
  auto egal = [](std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
             return std::tolower(static_cast<unsigned char>(x)) ==
                    std::tolower(static_cast<unsigned char>(y));
           });
  };
  for (const TSectionBrute& sb : doc.SectionsBrutes) {
    if (!egal(sb.Nom, "VUES")) continue;
    for (size_t k = 0; k + 1 < sb.Lignes.size(); k++) {
      std::string_view cle = sb.Lignes[k];
      while (!cle.empty() && (cle.front() == ' ' || cle.front() == '\t')) cle.remove_prefix(1);
      if (!egal(cle, "[St]")) continue;
      std::string_view reste = sb.Lignes[k + 1];
      double v[6] = {};
      bool ok = true;
      for (double& x : v) {
        const size_t fin = reste.find(';');
        std::string_view champ = reste.substr(0, fin);
        reste = fin == std::string_view::npos ? std::string_view{} : reste.substr(fin + 1);
        while (!champ.empty() && champ.front() == ' ') champ.remove_prefix(1);
        while (!champ.empty() && champ.back() == ' ') champ.remove_suffix(1);
        const auto r = std::from_chars(champ.data(), champ.data() + champ.size(), x);
        ok = ok && !champ.empty() && r.ec == std::errc{} && r.ptr == champ.data() + champ.size() &&
             std::isfinite(x);
      }
      // Offsets are whole tenths of a metre; single precision holds the rest.
      ok = ok && v[0] == std::trunc(v[0]) && v[1] == std::trunc(v[1]) && std::abs(v[0]) < 1e9 &&
           std::abs(v[1]) < 1e9 && std::abs(v[2]) < 1e30 && std::abs(v[3]) < 1e30 && std::abs(v[4]) < 1e30 &&
           std::abs(v[5]) < 1e30;
      TVueDocument d;
      d.Echelle = 10;
      if (ok) {
        d.OrigineX = static_cast<int>(v[0]), d.OrigineY = static_cast<int>(v[1]);
        d.Echelle = static_cast<float>(v[2]);
        d.Angle1 = static_cast<float>(v[3]), d.Angle2 = static_cast<float>(v[4]),
        d.Angle3 = static_cast<float>(v[5]);
      }
      return d;
    }
  }
  return std::nullopt;
}

void LieControleVues(TCameraStudio& c) {
  int pos = std::clamp(static_cast<int>(std::lround(c.Echelle)), CurseurZoomMin, CurseurZoomMax);
  c.Distance = DistanceDuCurseur(pos);
}

float AngleRafraichi(float a) {
  if (a >= -360 && a <= 360) return a;
  // The remainder of an integer division keeps the dividend's sign.
  return static_cast<float>(std::lround(a) % 360);
}

int PasFlecheStudio(TModifs m) { return m.Ctrl ? 1 : m.Alt ? 50 : 10; }

void FlecheStudio(TCameraStudio& c, int dx, int dy, TModifs m) {
  if (m.Shift) {
    c.Azimut += static_cast<float>(dx);
    c.Elevation += static_cast<float>(dy);
  } else {
    c.OrigineX += dx;
    c.OrigineY -= dy;
  }
}

void TourneSouris(TCameraStudio& c, int dxPixels, int dyPixels) {
  c.Azimut += static_cast<float>(dxPixels) / 2.0f;
  c.Elevation -= static_cast<float>(dyPixels) / 2.0f;
}

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double DemiChamp = 15 * Pi / 180;  // half the vertical field of view
constexpr double PlanProche = 1;

// The rotations of the camera, about Z by (azimuth - 90) and then about X by (elevation - 90).
TVertex3f Tourne(const TCameraStudio& c, const TVertex3f& p) {
  const double b = (c.Azimut - 90) * Pi / 180, a = (c.Elevation - 90) * Pi / 180;
  const TVertex3f z{p.X * std::cos(b) - p.Y * std::sin(b), p.X * std::sin(b) + p.Y * std::cos(b), p.Z};
  return {z.X, z.Y * std::cos(a) - z.Z * std::sin(a), z.Y * std::sin(a) + z.Z * std::cos(a)};
}

}  // namespace

TVertex3f VersOeil(const TCameraStudio& c, const TVertex3f& p) {
  const TVertex3f r = Tourne(c, p);
  return {r.X + c.OrigineX / 10.0, r.Y + c.OrigineY / 10.0, r.Z - c.Distance};
}

bool ProjetteStudio(const TCameraStudio& c, int w, int h, const TVertex3f& p, double& x, double& y) {
  const TVertex3f e = VersOeil(c, p);
  if (-e.Z < PlanProche || w <= 0 || h <= 0) return false;
  const double f = 1 / std::tan(DemiChamp), aspect = double(w) / h;
  const double nx = f / aspect * e.X / -e.Z, ny = f * e.Y / -e.Z;
  x = (nx + 1) / 2 * w;
  y = (1 - ny) / 2 * h;
  return true;
}

void CadreStudio(TCameraStudio& c, const TDocument& d, float azimut, float elevation, int w, int h) {
  c.Azimut = azimut, c.Elevation = elevation, c.OrigineX = c.OrigineY = 0;
  if (d.SurfXMin > d.SurfXMax) return;
  const double bx = std::max(std::abs(d.SurfXMin), std::abs(d.SurfXMax));
  const TVertex3f centre{0, (d.SurfYMin + d.SurfYMax) / 2, (d.SurfZMin + d.SurfZMax) / 2};
  const double rayon = std::sqrt(bx * bx + std::pow((d.SurfYMax - d.SurfYMin) / 2, 2) +
                                 std::pow((d.SurfZMax - d.SurfZMin) / 2, 2));
  const TVertex3f r = Tourne(c, centre);
  c.OrigineX = static_cast<int>(std::lround(-r.X * 10));
  c.OrigineY = static_cast<int>(std::lround(-r.Y * 10));
  // The sphere about the extent fits the narrower half-angle; a sphere is loose, so 0.8.
  const double aspect = h > 0 ? double(w) / h : 1;
  const double demi = std::min(DemiChamp, std::atan(std::tan(DemiChamp) * aspect));
  c.Distance = static_cast<float>(r.Z + 0.8 * rayon / std::sin(demi));
  c.Echelle = static_cast<float>(CurseurZoomMax) - c.Distance * 10 + 1;
}

float AngleLumiere(float a) {
  if (a < 0) a += 360;
  if (a > 360) a -= 360;
  return a;
}

TEchelleGauss::TEchelleGauss() {
  auto bgr = [](double r, double g, double b) {
    auto o = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); };
    return o(r) | o(g) << 8 | o(b) << 16;
  };
  for (int i = -Demi; i <= Demi; i++) {
    double d = std::abs(i);
    int c;
    if (i == 0)
      c = bgr(255, 255, 255);
    else if (i > 0 && i < 255)
      c = bgr(255 - d, 255 - d, 255);
    else if (i > 0)
      c = bgr(0, 0, 510 - d);
    else if (i > -255)
      c = bgr(255, 255 - d, 255 - d);
    else
      c = bgr(510 - d, 0, 0);
    Table[static_cast<size_t>(i + Demi)] = c;
  }
}

int TEchelleGauss::Indice(double k) const {
  // A not-a-number comes only from a degenerate grid point: it says nothing, so white.
  if (std::isnan(k)) return 0;
  if (k > -Min && k < Min) k = 0;
  k = std::clamp(k, -Max, Max);
  double d = std::clamp(k / Max * Demi / Facteur, -double(Demi), double(Demi));
  // Half-way values go to the even neighbour (the default rounding mode).
  return static_cast<int>(std::nearbyint(d));
}

namespace {

bool LitReel(const std::string& texte, double& v) {
  const char* debut = texte.c_str();
  char* fin = nullptr;
  double x = std::strtod(debut, &fin);
  if (fin == debut) return false;
  while (*fin == ' ' || *fin == '\t') fin++;
  if (*fin != '\0' || !std::isfinite(x)) return false;
  v = x;
  return true;
}

std::string Fmt(const char* f, double v) {
  char b[64];
  std::snprintf(b, sizeof b, f, v);
  return b;
}

}  // namespace

bool TEchelleGauss::SaisitMax(const std::string& texte) {
  double v;
  if (!LitReel(texte, v) || v <= 0) return false;
  Max = v;
  return true;
}

bool TEchelleGauss::SaisitMin(const std::string& texte) {
  double v;
  if (!LitReel(texte, v)) return false;
  Min = v;
  return true;
}

void TEchelleGauss::Curseur(int position) { Facteur = (100 - std::clamp(position, 0, 99)) / 100.0; }

std::string TEchelleGauss::LabelHaut() const { return Fmt("> %.4f", Max * Facteur); }
std::string TEchelleGauss::LabelBas() const { return Fmt("< %.4f", -Max * Facteur); }

void InitCouleursCourbureSurf(TSurface& s, const TEchelleGauss& e) {
  const size_t taille = static_cast<size_t>(MaxGrille) * MaxGrille;
  if (s.CouleurCourbure.size() != taille) s.CouleurCourbure.assign(taille, e.Entree(0));
  const int nl = std::min(s.NbLnPt, MaxGrille - 1), nc = std::min(s.NbColPt, MaxGrille - 1);
  for (int r = 0; r <= nl; r++)
    for (int c = 0; c <= nc; c++)
      s.CouleurCourbure[static_cast<size_t>(r) * MaxGrille + c] = e.Couleur(s.Gauss(r, c));
}

void InitCouleursCourbureAllSurf(TDocument& doc, const TEchelleGauss& e) {
  for (int k = 0; k < doc.NbSurf(); k++)
    if (TSurface* s = doc.SurfNurbs(k); s && s->Visible) InitCouleursCourbureSurf(*s, e);
}

std::vector<int> OrdreSurfaces(const TDocument& doc) {
  std::vector<int> r;
  for (bool opaques : {true, false})
    for (int k = 0; k < doc.NbSurf(); k++) {
      const TEntity& s = doc.Surf(k);
      if (s.Visible && (s.Alpha == 1.0) == opaques) r.push_back(k);
    }
  return r;
}

std::vector<TPasse> PassesSurface(TModeDessin mode, bool cacheesInvisibles, bool lignesAffichees) {
  std::vector<TPasse> p;
  const bool rempli = mode == TModeDessin::Rempli;
  if (cacheesInvisibles || (rempli && lignesAffichees))
    p.push_back(rempli ? TPasse::MasqueSurface : TPasse::MasqueFond);
  switch (mode) {
    case TModeDessin::Points:
      p.push_back(TPasse::Points);
      break;
    case TModeDessin::Contours:
      p.push_back(TPasse::Contours);
      break;
    case TModeDessin::Filaire:
      p.push_back(TPasse::Filaire);
      break;
    case TModeDessin::Rempli:
      if (!lignesAffichees) p.push_back(TPasse::Rempli);
      break;
    case TModeDessin::Invisible:
      break;
  }
  return p;
}

std::array<float, 3> DColorToGL(int bgr) {
  return {static_cast<float>(bgr & 0xFF) / 255.0f, static_cast<float>((bgr >> 8) & 0xFF) / 255.0f,
          static_cast<float>((bgr >> 16) & 0xFF) / 255.0f};
}

TPlanEauStudio PlanEauStudio(const TDocument& d, bool flottaison, double x0, double x1, double y0,
                             double y1) {
  TPlanEauStudio p;
  p.Coins = {TVertex3f{x0, y0, 0}, TVertex3f{x1, y0, 0}, TVertex3f{x1, y1, 0}, TVertex3f{x0, y1, 0}};
  if (!flottaison) return p;
  const TFlottaisonAffichee& f = FlottaisonAffichee(d);
  if (!f.Trouvee) return p;
  // Each corner goes square onto the waterplane: into the floating frame, down to its Z = 0,
  // and back.
  const TMatrice4 inverse = InverseRigide(f.Placement);
  for (TVertex3f& c : p.Coins) {
    TVertex3f q;
    Transformation3D(f.Placement, c, q);
    q.Z = 0;
    Transformation3D(inverse, q, c);
  }
  const TMatrice4& m = f.Placement;  // the floating frame's Z axis, in the model: its third row
  p.Normale = {m[2][0], m[2][1], m[2][2]};
  return p;
}
