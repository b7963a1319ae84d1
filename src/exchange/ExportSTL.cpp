#include "exchange/ExportSTL.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <map>
#include <unordered_map>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/FichierStr.h"
#include "naval/Face.h"

namespace {

// Points closer than this are one vertex: the mirror of a point on the symmetry
// plane and a collapsed edge (a stem, a deck's bow point, a keel's thin edge) differ
// from their twins by the evaluation's rounding, up to a few micrometres; grid points
// of a real shape are millimetres apart at the finest precision.
constexpr double ToleranceSoudure = 1e-5;
// A facet is flat below this ratio of its area to its longest side squared: well above
// the rounding of the points' arithmetic in double, and of their single precision in STL.
constexpr double PlatDouble = 1e-10;
constexpr double PlatSimple = 1e-6;

struct TCle {
  long long X, Y, Z;
  bool operator==(const TCle&) const = default;
};
struct THashCle {
  size_t operator()(const TCle& k) const {
    return std::hash<long long>()(k.X * 73856093LL ^ k.Y * 19349663LL ^ k.Z * 83492791LL);
  }
};

TCle Cle(const TVertex3f& p) {
  return {std::llround(p.X / ToleranceSoudure), std::llround(p.Y / ToleranceSoudure),
          std::llround(p.Z / ToleranceSoudure)};
}

// The welded vertices: a point within the tolerance of one already taken is that one,
// whichever side of a rounding cell boundary each lies on.
class TSoudure {
 public:
  explicit TSoudure(std::vector<TVertex3f>& sommets) : Sommets(sommets) {}
  int Indice(const TVertex3f& p) {
    const TCle k = Cle(p);
    for (long long dx = -1; dx <= 1; dx++)
      for (long long dy = -1; dy <= 1; dy++)
        for (long long dz = -1; dz <= 1; dz++) {
          auto it = Cases.find({k.X + dx, k.Y + dy, k.Z + dz});
          if (it == Cases.end()) continue;
          for (int i : it->second) {
            const TVertex3f d = Sommets[size_t(i)] - p;
            if (ProduitScalaire(d, d) <= ToleranceSoudure * ToleranceSoudure) return i;
          }
        }
    Sommets.push_back(p);
    Cases[k].push_back(int(Sommets.size()) - 1);
    return int(Sommets.size()) - 1;
  }

 private:
  std::vector<TVertex3f>& Sommets;
  std::unordered_map<TCle, std::vector<int>, THashCle> Cases;
};

// The unit normal as STL readers compute it from the single precision corners (differences
// in float, products in double, as admesh does), so that the one written is the one they find.
std::array<float, 3> NormaleSimple(const std::array<float, 3>& a, const std::array<float, 3>& b,
                                   const std::array<float, 3>& c) {
  const float u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  const float v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
  std::array<float, 3> n{float(double(u[1]) * v[2] - double(v[1]) * u[2]),
                         float(double(u[2]) * v[0] - double(v[2]) * u[0]),
                         float(double(u[0]) * v[1] - double(v[0]) * u[1])};
  const double l = std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]);
  if (l > 0)
    for (float& x : n) x = float(x / l);
  return n;
}

std::array<float, 3> Simple(const TVertex3f& p) { return {float(p.X), float(p.Y), float(p.Z)}; }

// The shortest text that reads back as the same double.
std::string ReelCourt(double v) {
  if (v == 0) v = 0;  // no "-0"
  char b[64];
  auto [fin, ec] = std::to_chars(b, b + sizeof b, v);
  return ec == std::errc() ? std::string(b, fin) : "0";
}

void AjouteF32(std::string& s, float v) {
  uint32_t b;
  std::memcpy(&b, &v, 4);
  for (int i = 0; i < 4; i++) s += char((b >> (8 * i)) & 0xFF);
}
void AjouteU32(std::string& s, uint32_t b) {
  for (int i = 0; i < 4; i++) s += char((b >> (8 * i)) & 0xFF);
}

}  // namespace

namespace {

// Flat facets: |AB x AC| below `plat` times the square of the longest side (three points
// in a row, as at a deck's bow point where a row of the grid runs along a line).
bool Plat(const TVertex3f& a, const TVertex3f& b, const TVertex3f& c, double plat) {
  const TVertex3f n = ProduitVect(b - a, c - a);
  const double l2 =
      std::max({ProduitScalaire(b - a, b - a), ProduitScalaire(c - b, c - b), ProduitScalaire(a - c, a - c)});
  return ProduitScalaire(n, n) <= plat * plat * l2 * l2;
}

// Removes the flat facets of a closed shell without opening it: the middle point of a
// flat facet is put on its long side, splitting the facet across that side in two; the
// flat facet then has no area left and goes. Facets whose corners merged go too.
void RetireFacettesPlates(TCoque& c, double plat, bool simple = false) {
  auto& t = c.Triangles;
  std::erase_if(t, [](const std::array<int, 3>& x) { return x[0] == x[1] || x[1] == x[2] || x[2] == x[0]; });
  std::map<std::pair<int, int>, size_t> arete;  // directed side -> facet
  for (size_t i = 0; i < t.size(); i++)
    for (int k = 0; k < 3; k++) arete[{t[i][k], t[i][(k + 1) % 3]}] = i;
  std::vector<bool> morte(t.size(), false);
  auto retire = [&](size_t i) {
    for (int k = 0; k < 3; k++) {
      auto it = arete.find({t[i][k], t[i][(k + 1) % 3]});
      if (it != arete.end() && it->second == i) arete.erase(it);
    }
    morte[i] = true;
  };
  auto ajoute = [&](int a, int b, int d) {
    if (a == b || b == d || d == a) return;  // a pillow of two flat facets closes on itself
    t.push_back({a, b, d});
    morte.push_back(false);
    for (int k = 0; k < 3; k++) arete[{t.back()[k], t.back()[(k + 1) % 3]}] = t.size() - 1;
  };
  // Each split removes one flat facet; the bound only guards against a shell that is no shell.
  const size_t borne = 4 * t.size() + 16;
  for (size_t i = 0, tours = 0; i < t.size() && tours < borne; i++) {
    if (morte[i]) continue;
    const auto& P = c.Sommets;
    std::array<int, 3> x = t[i];
    // In single precision also those whose normal a reader finds nil.
    const bool sansNormale =
        simple && NormaleSimple(Simple(P[x[0]]), Simple(P[x[1]]), Simple(P[x[2]])) == std::array<float, 3>{};
    if (!sansNormale && !Plat(P[x[0]], P[x[1]], P[x[2]], plat)) continue;
    // Turned so that the long side is x[2] -> x[0] and x[1] the middle point.
    auto l2 = [&](int u, int v) { return ProduitScalaire(P[v] - P[u], P[v] - P[u]); };
    for (int k = 0; k < 3 && l2(x[2], x[0]) < std::max(l2(x[0], x[1]), l2(x[1], x[2])); k++)
      x = {x[1], x[2], x[0]};
    const int a = x[0], b = x[1], cc = x[2];
    auto voisine = arete.find({a, cc});
    if (voisine == arete.end()) continue;  // not closed there: the check that follows says so
    const size_t j = voisine->second;
    std::array<int, 3> y = t[j];
    while (!(y[0] == a && y[1] == cc)) y = {y[1], y[2], y[0]};
    const int d = y[2];
    tours++;
    retire(i);
    retire(j);
    ajoute(a, b, d);
    ajoute(b, cc, d);
  }
  std::vector<std::array<int, 3>> vivantes;
  for (size_t i = 0; i < t.size(); i++)
    if (!morte[i]) vivantes.push_back(t[i]);
  t = std::move(vivantes);
}

// Why the triangles are no closed 2-manifold ("" when they are): every side met once each
// way, and the facets round every corner forming a single fan.
std::string Variete(const TCoque& c) {
  std::map<std::pair<int, int>, int> aretes;
  for (const auto& t : c.Triangles)
    for (int k = 0; k < 3; k++) aretes[{t[k], t[(k + 1) % 3]}]++;
  for (const auto& [a, n] : aretes) {
    auto inverse = aretes.find({a.second, a.first});
    if (n != 1 || inverse == aretes.end() || inverse->second != 1) return "la surface ne se ferme pas";
  }
  std::vector<std::map<int, int>> suivant(c.Sommets.size());
  for (const auto& t : c.Triangles)
    for (int k = 0; k < 3; k++) suivant[size_t(t[k])][t[(k + 1) % 3]] = t[(k + 2) % 3];
  for (const auto& s : suivant) {
    if (s.empty()) continue;
    size_t pas = 0;
    int x = s.begin()->first;
    do {
      auto it = s.find(x);
      if (it == s.end()) return "la surface ne se ferme pas";
      x = it->second;
    } while (++pas <= s.size() && x != s.begin()->first);
    if (pas != s.size()) return "la surface se touche en un point";
  }
  return "";
}

// The shell with its vertices as the file holds them (single precision for STL): those
// that become equal are one, and the facets this flattens are removed.
TCoque CoqueArrondie(const TCoque& c, bool simple) {
  if (!simple) return c;
  TCoque r;
  r.Nom = c.Nom;
  std::map<std::array<float, 3>, int> index;
  std::vector<int> nouveau(c.Sommets.size());
  for (size_t i = 0; i < c.Sommets.size(); i++) {
    const std::array<float, 3> f{float(c.Sommets[i].X), float(c.Sommets[i].Y), float(c.Sommets[i].Z)};
    auto [it, neuf] = index.emplace(f, int(r.Sommets.size()));
    if (neuf) r.Sommets.push_back({f[0], f[1], f[2]});
    nouveau[i] = it->second;
  }
  for (const auto& t : c.Triangles) r.Triangles.push_back({nouveau[t[0]], nouveau[t[1]], nouveau[t[2]]});
  RetireFacettesPlates(r, PlatSimple, true);
  return r;
}

}  // namespace

bool CoqueFermee(const TEntity& e, TCoque& c, std::string& pourquoi) {
  c = TCoque{};
  c.Nom = e.Nom;
  const int nbLn = e.NbLnPt + 1, nbCol = e.NbColPt + 1;
  auto couvre = [&](const TArrayVertex3f& g) {
    if (nbLn < 2 || nbCol < 2 || int(g.size()) < nbLn) return false;
    for (int r = 0; r < nbLn; r++)
      if (int(g[r].size()) < nbCol) return false;
    return true;
  };
  if (!couvre(e.Pts) || (e.Sym && !couvre(e.PtsSym))) {
    pourquoi = "grille non calculée";
    return false;
  }
  TSoudure soudure(c.Sommets);
  auto sommet = [&](const TRefPt& r) {
    return soudure.Indice(r.Sym ? e.PtsSym[r.Ln][r.Col] : e.Pts[r.Ln][r.Col]);
  };
  bool fini = true;
  PourFacettesCorps(nbLn, nbCol, e.Sym, e.Orientation ? 1 : 0, e.JonctionSym,
                    [&](const TRefPt& a, const TRefPt& b, const TRefPt& d) {
                      // The way round is settled below, by the sign of the volume.
                      c.Triangles.push_back({sommet(a), sommet(b), sommet(d)});
                    });
  for (const auto& p : c.Sommets)
    fini = fini && std::isfinite(p.X) && std::isfinite(p.Y) && std::isfinite(p.Z);
  if (!fini) {
    pourquoi = "point non défini";
    return false;
  }
  // Facets collapsed by the weld (on the symmetry plane, at a stem) and flat ones are no triangles.
  RetireFacettesPlates(c, PlatDouble);
  if (c.Triangles.empty()) {
    pourquoi = "aucune facette";
    return false;
  }
  pourquoi = Variete(c);
  if (!pourquoi.empty()) return false;
  // Outwards: the enclosed volume is positive.
  double vol = 0;
  for (const auto& t : c.Triangles) {
    const TVertex3f &a = c.Sommets[t[0]], &b = c.Sommets[t[1]], &d = c.Sommets[t[2]];
    vol += ProduitScalaire(a, ProduitVect(b, d));
  }
  if (vol < 0)
    for (auto& t : c.Triangles) std::swap(t[1], t[2]);
  return true;
}

std::vector<TCoque> CoquesPortee(const TDocument& doc, TResultatExport* r) {
  TRACE("ExportSTL.CoquesPortee");
  std::vector<TCoque> l;
  for (const auto& s : doc.TabSurf) {
    if (!s->Calc || !s->Visible) continue;  // hidden surfaces are not exported
    TCoque c;
    std::string pourquoi;
    if (CoqueFermee(*s, c, pourquoi)) {
      l.push_back(std::move(c));
    } else {
      DbgErr(erCalcul, "ExportSTL", s->NumSurf, {pourquoi});
      if (r) r->Messages.push_back("Surface " + s->Nom + " non exportée : " + pourquoi);
    }
  }
  return l;
}

std::string TexteSTL(const std::vector<TCoque>& coques) {
  std::string s(80, ' ');
  const char* tete = "Brivane: closed shells of the floating bodies, metres";
  std::memcpy(s.data(), tete, std::strlen(tete));
  std::vector<TCoque> simples;
  for (const auto& c : coques) simples.push_back(CoqueArrondie(c, true));
  uint32_t n = 0;
  for (const auto& c : simples) n += uint32_t(c.Triangles.size());
  AjouteU32(s, n);
  s.reserve(s.size() + size_t(n) * 50);
  for (const auto& c : simples)
    for (const auto& t : c.Triangles) {
      const std::array<float, 3> a = Simple(c.Sommets[t[0]]), b = Simple(c.Sommets[t[1]]),
                                 d = Simple(c.Sommets[t[2]]);
      for (const auto& p : {NormaleSimple(a, b, d), a, b, d})
        for (float x : p) AjouteF32(s, x);
      s += std::string(2, '\0');
    }
  return s;
}

std::string TexteOBJ(const std::vector<TCoque>& coques) {
  std::string s = "# Brivane: closed shells of the floating bodies, metres\r\n";
  char b[128];
  size_t base = 1;
  for (const auto& c : coques) {
    std::string nom = c.Nom;
    for (char& x : nom)
      if (x == ' ' || x == '\t') x = '_';
    s += "o " + (nom.empty() ? std::string("surface") : nom) + "\r\n";
    // Every digit: six decimals make facets flat and merge vertices in readers.
    for (const auto& p : c.Sommets)
      s += "v " + ReelCourt(p.X) + " " + ReelCourt(p.Y) + " " + ReelCourt(p.Z) + "\r\n";
    for (const auto& t : c.Triangles) {
      std::snprintf(b, sizeof b, "f %zu %zu %zu\r\n", base + t[0], base + t[1], base + t[2]);
      s += b;
    }
    base += c.Sommets.size();
  }
  return s;
}

namespace {

// A file without a body is no model: readers take it for a broken one. Nothing is written.
TResultatExport ExportCorps(const TDocument& doc, const std::string& nomFichier, bool stl) {
  TResultatExport r;
  const std::vector<TCoque> coques = CoquesPortee(doc, &r);
  if (coques.empty()) {
    r.Ok = false;
    r.RienAEcrire = true;
    r.Erreur = rs("rsExportAucunCorps");
    return r;
  }
  r.Ok = EcritFichierAtomique(nomFichier, stl ? TexteSTL(coques) : TexteOBJ(coques), &r.Erreur);
  return r;
}

}  // namespace

TResultatExport ExportSTL(const TDocument& doc, const std::string& nomFichier) {
  return ExportCorps(doc, nomFichier, true);
}

TResultatExport ExportOBJ(const TDocument& doc, const std::string& nomFichier) {
  return ExportCorps(doc, nomFichier, false);
}
