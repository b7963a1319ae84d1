// Line computation: crossings of planes with evaluated grids, their chaining
// into polylines, the lines of every surface, and the curvature along a line.
#include "lines/Coupes.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <string>

#include "app/Chaines.h"
#include "app/Debug.h"
#include "app/Options.h"
#include "app/Services.h"
#include "model/Document.h"

// --- presence tables ------------------------------------------------------------

namespace {

struct TVoisin {
  int Type, DI, DJ;
};

// Candidates next to a crossing, in order of preference, per crossing type.
constexpr TVoisin VoisinsLigne[] = {{tcLigne, -1, 0},   {tcLigne, 1, 0},   {tcColonne, -1, 0}, {tcColonne, -1, 1},
                                    {tcColonne, 0, 0},  {tcColonne, 0, 1}, {tcNoeud, -1, 0},   {tcNoeud, -1, 1},
                                    {tcNoeud, 1, 0},    {tcNoeud, 1, 1}};
constexpr TVoisin VoisinsColonne[] = {{tcColonne, 0, -1}, {tcColonne, 0, 1}, {tcLigne, 0, -1}, {tcLigne, 1, -1},
                                      {tcLigne, 0, 0},    {tcLigne, 1, 0},   {tcNoeud, 0, -1}, {tcNoeud, 0, 1},
                                      {tcNoeud, 1, -1},   {tcNoeud, 1, 1}};
constexpr TVoisin VoisinsNoeud[] = {{tcNoeud, -1, -1},  {tcNoeud, -1, 0},   {tcNoeud, -1, 1},  {tcNoeud, 0, -1},
                                    {tcNoeud, 0, 1},    {tcNoeud, 1, -1},   {tcNoeud, 1, 0},   {tcNoeud, 1, 1},
                                    {tcLigne, -1, -1},  {tcLigne, -1, 0},   {tcLigne, 1, -1},  {tcLigne, 1, 0},
                                    {tcColonne, -1, -1}, {tcColonne, -1, 1}, {tcColonne, 0, -1}, {tcColonne, 0, 1}};

}  // namespace

void TTablesPresence::Nouvelle(int nbLnPt, int nbColPt) {
  if (nbLnPt != NbLn || nbColPt != NbCol) {
    NbLn = nbLnPt, NbCol = nbColPt;
    // Entries of an older generation are never available, whatever the layout they were written in.
    E.resize(3 * static_cast<size_t>(NbLn + 1) * static_cast<size_t>(NbCol + 1));
  }
  if (Gen == std::numeric_limits<uint32_t>::max()) {
    std::fill(E.begin(), E.end(), TEntree{});
    Gen = 0;
  }
  Gen++;
}

bool TTablesPresence::Dans(int type, int i, int j) const {
  switch (type) {
    case tcLigne: return i >= 0 && i <= NbLn && j >= 0 && j < NbCol;
    case tcColonne: return i >= 0 && i < NbLn && j >= 0 && j <= NbCol;
    case tcNoeud: return i >= 0 && i <= NbLn && j >= 0 && j <= NbCol;
    default: return false;
  }
}

void TTablesPresence::Place(const TCouple& c, int index) {
  if (!Dans(c.TypeCouple, c.I, c.J)) return;
  E[Pos(c.TypeCouple, c.I, c.J)] = {Gen, index};
}

void TTablesPresence::MajPresenceCouple(const TCouple& c, bool disponible) {
  if (!Dans(c.TypeCouple, c.I, c.J)) return;
  E[Pos(c.TypeCouple, c.I, c.J)].Gen = disponible ? Gen : 0;
}

bool TTablesPresence::Disponible(const TCouple& c) const {
  return Dans(c.TypeCouple, c.I, c.J) && E[Pos(c.TypeCouple, c.I, c.J)].Gen == Gen;
}

bool TTablesPresence::PresCoupleAdj(const TCouple& c, int& index) {
  auto essaie = [&](const auto& voisins) {
    for (const TVoisin& v : voisins) {
      int i = c.I + v.DI, j = c.J + v.DJ;
      // Bounds per type: a row edge has no column NbCol, a column edge no row NbLn.
      if (!Dans(v.Type, i, j)) continue;
      TEntree& e = E[Pos(v.Type, i, j)];
      if (e.Gen == Gen) {
        e.Gen = 0;
        index = e.Index;
        return true;
      }
    }
    return false;
  };
  switch (c.TypeCouple) {
    case tcLigne: return essaie(VoisinsLigne);
    case tcColonne: return essaie(VoisinsColonne);
    case tcNoeud: return essaie(VoisinsNoeud);
    default: return false;
  }
}

TTablesPresence& TablesPresence() {
  static TTablesPresence t;
  return t;
}

// --- chaining -------------------------------------------------------------------

namespace {

// Chains crossings already placed in the tables (the current generation).
void Chaine(const TListCouples& l, TTablesPresence& t, TCoupe& coupe) {
  coupe.clear();
  const int n = static_cast<int>(l.size());
  if (n == 0) return;
  // The polyline grows at both ends: indices [h0, h1) of a buffer centred on its first crossing.
  static thread_local std::vector<int> buf;
  buf.resize(2 * static_cast<size_t>(n) + 3);
  int h0 = 0, h1 = 0, tete = 0, queue = 0, utilises = 0, premier = 0;
  auto debut = [&](int k) {
    h0 = h1 = n + 1;
    buf[h1++] = k;
    t.MajPresenceCouple(l[k], false);
    tete = queue = k;
    utilises++;
  };
  auto termine = [&]() {
    // A loop closes on its first crossing; two crossings are a segment, never a loop.
    if (h1 - h0 >= 3) {
      t.MajPresenceCouple(l[tete], true);
      int k = 0;
      if (t.PresCoupleAdj(l[queue], k)) buf[h1++] = k;
      t.MajPresenceCouple(l[tete], false);
    }
    TListPt3D& poly = coupe.emplace_back();
    poly.reserve(static_cast<size_t>(h1 - h0));
    for (int p = h0; p < h1; p++) poly.emplace_back(l[buf[p]].P);
  };
  debut(0);
  while (utilises < n) {
    int k = 0;
    if (t.PresCoupleAdj(l[queue], k)) {
      buf[h1++] = k;
      queue = k;
      utilises++;
    } else if (t.PresCoupleAdj(l[tete], k)) {
      buf[--h0] = k;
      tete = k;
      utilises++;
    } else {
      termine();
      while (!t.Disponible(l[premier])) premier++;
      debut(premier);
    }
  }
  termine();
}

void PlaceEtChaine(const TListCouples& l, int nbLnPt, int nbColPt, TCoupe& coupe) {
  TTablesPresence& t = TablesPresence();
  t.Nouvelle(nbLnPt, nbColPt);
  for (size_t k = 0; k < l.size(); k++) t.Place(l[k], static_cast<int>(k));
  Chaine(l, t, coupe);
}

bool GrilleValide(const TArrayVertex3f& g, int nbLnPt, int nbColPt) {
  if (nbLnPt < 0 || nbColPt < 0 || nbLnPt >= MaxGrille || nbColPt >= MaxGrille) return false;
  if (g.size() < static_cast<size_t>(nbLnPt) + 1) return false;
  for (int i = 0; i <= nbLnPt; i++)
    if (g[i].size() < static_cast<size_t>(nbColPt) + 1) return false;
  return true;
}

// Every crossing of one plane, edge by edge and node by node, in list order:
// column edges, row edges, nodes, each by rows then columns.
template <typename FDist, typename FArete, typename FNoeud>
void CherchePlan(const TArrayVertex3f& g, int n, int m, FDist f, FArete arete, FNoeud noeud, TListCouples& l) {
  l.clear();
  auto croise = [](double a, double b) { return (a > 0 && b < 0) || (a < 0 && b > 0); };
  for (int i = 0; i < n; i++)
    for (int j = 0; j <= m; j++)
      if (croise(f(g[i][j]), f(g[i + 1][j]))) l.push_back({tcColonne, i, j, arete(g[i][j], g[i + 1][j])});
  for (int i = 0; i <= n; i++)
    for (int j = 0; j < m; j++)
      if (croise(f(g[i][j]), f(g[i][j + 1]))) l.push_back({tcLigne, i, j, arete(g[i][j], g[i][j + 1])});
  for (int i = 0; i <= n; i++)
    for (int j = 0; j <= m; j++)
      if (f(g[i][j]) == 0) l.push_back({tcNoeud, i, j, noeud(g[i][j])});
}

double& Coord(TVertex3f& p, TAxePlan a) { return a == apX ? p.X : a == apY ? p.Y : p.Z; }
double Coord(const TVertex3f& p, TAxePlan a) { return a == apX ? p.X : a == apY ? p.Y : p.Z; }
int ModeDroite(TAxePlan a) { return a == apX ? 1 : a == apY ? 2 : 3; }

TVertex3f PointArete(const TVertex3f& p1, const TVertex3f& p2, TAxePlan a, double v) {
  TVertex3f p;
  Coord(p, a) = v;
  CalcPtDroite(p1, p2, p, ModeDroite(a));
  return p;
}

TVertex3f PointNoeud(TVertex3f p, TAxePlan a, double v) {
  Coord(p, a) = v;
  return p;
}

TVertex3f PointDiag(const TVertex3f& p1, const TVertex3f& p2, double z0, double pente) {
  TVertex3f p;
  InterDroiteDiag(p1, p2, p, z0, pente);
  return p;
}

// The signed distance to a diagonal plane, written once so that every search
// rounds it the same way.
inline double DistDiag(const TVertex3f& p, double z0, double pente) { return p.Z - (z0 + pente * p.X); }

void CalcParallele(const TArrayVertex3f& g, int n, int m, TCoupe& coupe, TAxePlan a, double v) {
  coupe.clear();
  if (!GrilleValide(g, n, m)) return;
  static thread_local TListCouples l;
  CherchePlan(
      g, n, m, [&](const TVertex3f& p) { return Coord(p, a) - v; },
      [&](const TVertex3f& p1, const TVertex3f& p2) { return PointArete(p1, p2, a, v); },
      [&](const TVertex3f& p) { return PointNoeud(p, a, v); }, l);
  PlaceEtChaine(l, n, m, coupe);
}

}  // namespace

void TrieLstCouples(const TListCouples& couples, int nbLnPt, int nbColPt, TCoupe& coupe) {
  coupe.clear();
  if (nbLnPt < 0 || nbColPt < 0 || nbLnPt >= MaxGrille || nbColPt >= MaxGrille) return;
  PlaceEtChaine(couples, nbLnPt, nbColPt, coupe);
}

void CalcSecMesh(const TArrayVertex3f& g, int n, int m, TCoupe& coupe, double y) { CalcParallele(g, n, m, coupe, apY, y); }
void CalcLEMesh(const TArrayVertex3f& g, int n, int m, TCoupe& coupe, double z) { CalcParallele(g, n, m, coupe, apZ, z); }
void CalcLong(const TArrayVertex3f& g, int n, int m, TCoupe& coupe, double x) { CalcParallele(g, n, m, coupe, apX, x); }

void CalcDiag(const TArrayVertex3f& g, int n, int m, TCoupe& coupe, double z0, double pente) {
  coupe.clear();
  if (!GrilleValide(g, n, m) || !std::isfinite(z0) || !std::isfinite(pente)) return;
  static thread_local TListCouples l;
  CherchePlan(
      g, n, m, [&](const TVertex3f& p) { return DistDiag(p, z0, pente); },
      [&](const TVertex3f& p1, const TVertex3f& p2) { return PointDiag(p1, p2, z0, pente); },
      [](const TVertex3f& p) { return p; }, l);
  PlaceEtChaine(l, n, m, coupe);
  EliminePtInfZero(coupe);
}

void EliminePtInfZero(TCoupe& coupe) {
  static thread_local TListPt3D sortie;
  for (TListPt3D& poly : coupe) {
    // From the last point to the first: the next neighbour of a point is what
    // the points after it have already become.
    sortie.clear();
    for (size_t k = poly.size(); k-- > 0;) {
      const TPt3D& p = poly[k];
      if (p.X >= 0 || std::isnan(p.X)) {
        sortie.push_back(p);
        continue;
      }
      double xPrec = k > 0 ? poly[k - 1].X : 0;
      double xSuiv = sortie.empty() ? 0 : sortie.back().X;
      if (xPrec <= 0 && xSuiv <= 0) continue;
      const TVertex3f voisin = xPrec > 0 ? poly[k - 1].V() : sortie.back().V();
      TVertex3f q;
      q.X = 0;
      CalcPtDroite(p.V(), voisin, q, 1);
      sortie.emplace_back(q);
    }
    poly.assign(sortie.rbegin(), sortie.rend());
  }
  // Later code indexes the first point of every polyline.
  std::erase_if(coupe, [](const TListPt3D& p) { return p.empty(); });
}

// --- whole families -------------------------------------------------------------

namespace {

// Working storage of the family sweeps, kept between calls for its capacity.
struct TTravailFamille {
  std::vector<double> Valeurs;        // distinct plane positions, sorted
  std::vector<int> Unique;            // line index -> index in Valeurs (-1: no plane)
  std::vector<uint16_t> Code;         // per node: 2 x (planes strictly below) + (on a plane)
  std::vector<TListCouples> Listes;   // crossings per distinct plane
};

TTravailFamille& Travail() {
  static thread_local TTravailFamille t;
  return t;
}

constexpr uint16_t CodeNaN = 0xFFFF;  // a node that is not a number crosses nothing

// Stores the chained lines: distinct planes are chained once, repeated positions copied.
template <typename FChaine>
void RangeLignes(std::vector<TCoupe>& coupes, const std::vector<int>& unique, FChaine chaine,
                 const std::function<void(int)>& avant) {
  static thread_local std::vector<int> premiere;
  premiere.assign(coupes.size(), -1);
  for (size_t k = 0; k < coupes.size(); k++) {
    if (avant) avant(static_cast<int>(k));
    int u = unique[k];
    if (u < 0) {
      coupes[k].clear();
    } else if (premiere[u] >= 0) {
      coupes[k] = coupes[premiere[u]];
    } else {
      chaine(u, coupes[k]);
      premiere[u] = static_cast<int>(k);
    }
  }
}

}  // namespace

void CalcFamilleParallele(const TArrayVertex3f& g, int n, int m, TAxePlan axe, const std::vector<double>& positions,
                          std::vector<TCoupe>& coupes, const std::function<void(int)>& avant) {
  coupes.resize(positions.size());
  for (auto& c : coupes) c.clear();
  if (positions.empty() || !GrilleValide(g, n, m)) return;
  TTravailFamille& w = Travail();
  w.Valeurs.clear();
  for (double p : positions)
    if (std::isfinite(p)) w.Valeurs.push_back(p);
  std::sort(w.Valeurs.begin(), w.Valeurs.end());
  w.Valeurs.erase(std::unique(w.Valeurs.begin(), w.Valeurs.end()), w.Valeurs.end());
  const std::vector<double>& val = w.Valeurs;
  const int nv = static_cast<int>(val.size());
  w.Unique.resize(positions.size());
  for (size_t k = 0; k < positions.size(); k++)
    w.Unique[k] = std::isfinite(positions[k])
                      ? static_cast<int>(std::lower_bound(val.begin(), val.end(), positions[k]) - val.begin())
                      : -1;
  if (w.Listes.size() < val.size()) w.Listes.resize(val.size());
  for (int u = 0; u < nv; u++) w.Listes[u].clear();

  // Each node's rank among the planes: neighbouring nodes have near ranks, so
  // walking from the previous one costs a comparison or two.
  const size_t larg = static_cast<size_t>(m) + 1;
  w.Code.resize((static_cast<size_t>(n) + 1) * larg);
  int r = 0;
  for (int i = 0; i <= n; i++) {
    const TVertex3f* ligne = g[i].data();
    uint16_t* code = &w.Code[static_cast<size_t>(i) * larg];
    for (int j = 0; j <= m; j++) {
      double v = Coord(ligne[j], axe);
      if (std::isnan(v)) {
        code[j] = CodeNaN;
        continue;
      }
      while (r < nv && val[r] < v) r++;
      while (r > 0 && val[r - 1] >= v) r--;
      code[j] = static_cast<uint16_t>(2 * r + (r < nv && val[r] == v ? 1 : 0));
    }
  }
  // The planes strictly between the ends of an edge: from the first above the
  // lower end to the last below the upper end.
  auto plans = [](uint16_t a, uint16_t b, int& k0, int& k1) {
    if (a == b || a == CodeNaN || b == CodeNaN) return false;
    int la = a >> 1, lb = b >> 1;
    k0 = std::min(la + (a & 1), lb + (b & 1));
    k1 = std::max(la, lb);
    return k0 < k1;
  };
  const int mode = ModeDroite(axe);
  for (int i = 0; i < n; i++) {
    const uint16_t* c0 = &w.Code[static_cast<size_t>(i) * larg];
    const uint16_t* c1 = c0 + larg;
    for (int j = 0; j <= m; j++) {
      int k0, k1;
      if (!plans(c0[j], c1[j], k0, k1)) continue;
      for (int k = k0; k < k1; k++) {
        TCouple c{tcColonne, i, j, {}};
        Coord(c.P, axe) = val[k];
        CalcPtDroite(g[i][j], g[i + 1][j], c.P, mode);
        w.Listes[k].push_back(c);
      }
    }
  }
  for (int i = 0; i <= n; i++) {
    const uint16_t* c0 = &w.Code[static_cast<size_t>(i) * larg];
    for (int j = 0; j < m; j++) {
      int k0, k1;
      if (!plans(c0[j], c0[j + 1], k0, k1)) continue;
      for (int k = k0; k < k1; k++) {
        TCouple c{tcLigne, i, j, {}};
        Coord(c.P, axe) = val[k];
        CalcPtDroite(g[i][j], g[i][j + 1], c.P, mode);
        w.Listes[k].push_back(c);
      }
    }
  }
  for (int i = 0; i <= n; i++) {
    const uint16_t* c0 = &w.Code[static_cast<size_t>(i) * larg];
    for (int j = 0; j <= m; j++)
      if (c0[j] != CodeNaN && (c0[j] & 1)) w.Listes[c0[j] >> 1].push_back({tcNoeud, i, j, g[i][j]});
  }
  RangeLignes(
      coupes, w.Unique, [&](int u, TCoupe& c) { PlaceEtChaine(w.Listes[u], n, m, c); }, avant);
}

namespace {

// Cells are grouped in square blocks whose node bounds in X and Z tell at once
// whether a diagonal plane can reach them. 8 keeps the blocks a plane passes
// through few while the per-plane test of every block stays cheap.
constexpr int TailleBloc = 8;

struct TBlocsXZ {
  int NbBl = 1, NbBc = 1;
  struct TBornes {
    double XMin, XMax, ZMin, ZMax;
    bool NaN;
  };
  std::vector<TBornes> B;

  void Calcule(const TArrayVertex3f& g, int n, int m) {
    NbBl = std::max(1, (n + TailleBloc - 1) / TailleBloc);
    NbBc = std::max(1, (m + TailleBloc - 1) / TailleBloc);
    B.assign(static_cast<size_t>(NbBl) * NbBc, TBornes{std::numeric_limits<double>::infinity(),
                                                       -std::numeric_limits<double>::infinity(),
                                                       std::numeric_limits<double>::infinity(),
                                                       -std::numeric_limits<double>::infinity(), false});
    for (int bl = 0; bl < NbBl; bl++)
      for (int bc = 0; bc < NbBc; bc++) {
        TBornes& b = B[static_cast<size_t>(bl) * NbBc + bc];
        for (int i = bl * TailleBloc; i <= std::min(bl * TailleBloc + TailleBloc, n); i++)
          for (int j = bc * TailleBloc; j <= std::min(bc * TailleBloc + TailleBloc, m); j++) {
            const TVertex3f& p = g[i][j];
            if (std::isnan(p.X) || std::isnan(p.Z)) b.NaN = true;
            b.XMin = std::min(b.XMin, p.X), b.XMax = std::max(b.XMax, p.X);
            b.ZMin = std::min(b.ZMin, p.Z), b.ZMax = std::max(b.ZMax, p.Z);
          }
      }
  }

  // Whether some node of the block may lie on the plane or on its far side
  // from another: the bounds are rounded as DistDiag rounds, and rounding keeps
  // order, so a block found clear is clear; the margin only guards against a
  // compiler fusing the operations differently.
  bool Atteint(const TBornes& b, double z0, double pente) const {
    if (b.NaN) return true;
    double a1 = pente * b.XMin, a2 = pente * b.XMax;
    double lo = std::min(a1, a2), hi = std::max(a1, a2);
    double fmin = b.ZMin - (z0 + hi), fmax = b.ZMax - (z0 + lo);
    double marge = 1e-12 * (std::fabs(b.ZMin) + std::fabs(b.ZMax) + std::fabs(z0) + std::fabs(lo) + std::fabs(hi));
    return fmin <= marge && fmax >= -marge;
  }
};

}  // namespace

void CalcFamilleDiag(const TArrayVertex3f& g, int n, int m, const std::vector<double>& z0s,
                     const std::vector<double>& pentes, std::vector<TCoupe>& coupes,
                     const std::function<void(int)>& avant) {
  coupes.resize(z0s.size());
  for (auto& c : coupes) c.clear();
  if (z0s.empty() || !GrilleValide(g, n, m)) return;
  static thread_local TBlocsXZ blocs;
  blocs.Calcule(g, n, m);
  static thread_local TListCouples l;
  static thread_local std::vector<int> actifs;  // per block row: the reached blocks, ascending
  static thread_local std::vector<int> nbActifs;
  const int nbl = blocs.NbBl, nbc = blocs.NbBc;
  actifs.resize(static_cast<size_t>(nbl) * nbc);
  nbActifs.resize(static_cast<size_t>(nbl));
  auto blocLn = [&](int i) { return std::min(i / TailleBloc, nbl - 1); };

  auto chaine = [&](size_t k, TCoupe& coupe) {
    const double z0 = z0s[k], pente = k < pentes.size() ? pentes[k] : std::nan("");
    coupe.clear();
    if (!std::isfinite(z0) || !std::isfinite(pente)) return;
    for (int bl = 0; bl < nbl; bl++) {
      int c = 0;
      for (int bc = 0; bc < nbc; bc++)
        if (blocs.Atteint(blocs.B[static_cast<size_t>(bl) * nbc + bc], z0, pente))
          actifs[static_cast<size_t>(bl) * nbc + c++] = bc;
      nbActifs[bl] = c;
    }
    auto croise = [](double a, double b) { return (a > 0 && b < 0) || (a < 0 && b > 0); };
    l.clear();
    // Column edges: row i lies in block row i / 8; column j in block j / 8, the last block taking column m.
    for (int i = 0; i < n; i++) {
      int bl = i / TailleBloc;
      for (int a = 0; a < nbActifs[bl]; a++) {
        int bc = actifs[static_cast<size_t>(bl) * nbc + a];
        int j1 = bc == nbc - 1 ? m : bc * TailleBloc + TailleBloc - 1;
        for (int j = bc * TailleBloc; j <= j1; j++)
          if (croise(DistDiag(g[i][j], z0, pente), DistDiag(g[i + 1][j], z0, pente)))
            l.push_back({tcColonne, i, j, PointDiag(g[i][j], g[i + 1][j], z0, pente)});
      }
    }
    for (int i = 0; i <= n; i++) {
      int bl = blocLn(i);
      for (int a = 0; a < nbActifs[bl]; a++) {
        int bc = actifs[static_cast<size_t>(bl) * nbc + a];
        int j1 = std::min(bc * TailleBloc + TailleBloc, m);
        for (int j = bc * TailleBloc; j < j1; j++)
          if (croise(DistDiag(g[i][j], z0, pente), DistDiag(g[i][j + 1], z0, pente)))
            l.push_back({tcLigne, i, j, PointDiag(g[i][j], g[i][j + 1], z0, pente)});
      }
    }
    for (int i = 0; i <= n; i++) {
      int bl = blocLn(i);
      for (int a = 0; a < nbActifs[bl]; a++) {
        int bc = actifs[static_cast<size_t>(bl) * nbc + a];
        int j1 = bc == nbc - 1 ? m : bc * TailleBloc + TailleBloc - 1;
        for (int j = bc * TailleBloc; j <= j1; j++)
          if (DistDiag(g[i][j], z0, pente) == 0) l.push_back({tcNoeud, i, j, g[i][j]});
      }
    }
    PlaceEtChaine(l, n, m, coupe);
    EliminePtInfZero(coupe);
  };
  for (size_t k = 0; k < z0s.size(); k++) {
    if (avant) avant(static_cast<int>(k));
    chaine(k, coupes[k]);
  }
}

// --- lines of the surfaces --------------------------------------------------------

namespace {

struct TGenre {
  bool TEntity::*Calc;
  std::vector<TCoupe> TEntity::*Main;
  std::vector<TCoupe> TEntity::*Sym;
  const char* CleStatut;
};

const TGenre& Genre(TFamilleLignes f) {
  static const TGenre genres[] = {{&TEntity::SecCalc, &TEntity::Sec, &TEntity::SecSym, "rsStatutCouple"},
                                  {&TEntity::LgECalc, &TEntity::LgE, &TEntity::LgESym, "rsStatutLigneEau"},
                                  {&TEntity::LongCalc, &TEntity::Long, &TEntity::LongSym, "rsStatutLongitudinale"},
                                  {&TEntity::DiagCalc, &TEntity::Diag, &TEntity::DiagSym, "rsStatutDiagonale"}};
  return genres[f];
}

void CalcFamille(const TDocument& doc, const TArrayVertex3f& g, const TEntity& e, TFamilleLignes f,
                 std::vector<TCoupe>& coupes, const std::function<void(int)>& avant) {
  const TGrille& gr = doc.Grille;
  switch (f) {
    case flSections: CalcFamilleParallele(g, e.NbLnPt, e.NbColPt, apY, gr.Positions(f), coupes, avant); break;
    case flLignesEau: CalcFamilleParallele(g, e.NbLnPt, e.NbColPt, apZ, gr.Positions(f), coupes, avant); break;
    case flLongitudinales:
      CalcFamilleParallele(g, e.NbLnPt, e.NbColPt, apX, gr.Positions(f), coupes, avant);
      break;
    case flDiagonales: {
      std::vector<double> pentes;
      for (int k = 0; k < gr.NombreValide(f); k++)
        pentes.push_back(AngleDiagValide(gr.AngleDiag[k]) ? PenteDiag(gr.AngleDiag[k]) : std::nan(""));
      CalcFamilleDiag(g, e.NbLnPt, e.NbColPt, gr.Positions(f), pentes, coupes, avant);
      break;
    }
  }
}

}  // namespace

void CalcAll(TDocument& doc, TEntity& e, TFamilleLignes f) {
  const TGenre& genre = Genre(f);
  if (e.*genre.Calc) return;
  TRACE("TEntity.CalcAll");
  TCurseurAttente attente(!Options().SplineTR);
  std::vector<TCoupe>& main = e.*genre.Main;
  std::vector<TCoupe>& sym = e.*genre.Sym;
  try {
    const size_t n = static_cast<size_t>(doc.Grille.NombreValide(f));
    main.resize(n);
    sym.resize(n);
    for (auto& c : sym) c.clear();
    const std::string statut = rs(genre.CleStatut);
    CalcFamille(doc, e.Pts, e, f, main,
                [&](int k) { WriteStatusBar(2, statut + std::to_string(k + 1) + " - " + e.Nom); });
    if (e.Sym) CalcFamille(doc, e.PtsSym, e, f, sym, {});
    if (f == flSections && doc.Affichage.Herisson)
      for (auto& c : main) CalcCourbureCoupe(c);
  } catch (const std::exception& ex) {
    // A table that could not be rebuilt stays as it is; the display simply lacks those lines.
    DbgErr(erCalcul, "TEntity.CalcAll", f, {ex.what()});
  }
  e.*genre.Calc = true;
  WriteStatusBar(2, "");
}

void CalcAllSec(TDocument& doc, TEntity& e) { CalcAll(doc, e, flSections); }
void CalcAllLgE(TDocument& doc, TEntity& e) { CalcAll(doc, e, flLignesEau); }
void CalcAllLong(TDocument& doc, TEntity& e) { CalcAll(doc, e, flLongitudinales); }
void CalcAllDiag(TDocument& doc, TEntity& e) { CalcAll(doc, e, flDiagonales); }

namespace {
void CalcTabLignes(TDocument& doc, TFamilleLignes f) {
  for (auto& s : doc.TabSurf)
    if (s->Visible) CalcAll(doc, *s, f);
}
}  // namespace

void CalcTabLignesSec(TDocument& doc) { CalcTabLignes(doc, flSections); }
void CalcTabLignesLE(TDocument& doc) { CalcTabLignes(doc, flLignesEau); }
void CalcTabLignesLgt(TDocument& doc) { CalcTabLignes(doc, flLongitudinales); }
void CalcTabLignesDiag(TDocument& doc) { CalcTabLignes(doc, flDiagonales); }

void CalcCourbureCoupe(TCoupe& coupe) {
  for (size_t np = 0; np < coupe.size(); np++) {
    TListPt3D& l = coupe[np];
    if (l.empty()) continue;
    l.front().Courbure = {};
    l.back().Courbure = {};
    for (size_t k = 1; k + 1 < l.size(); k++) {
      TCourbure c;
      Courbure(l[k - 1].V(), l[k].V(), l[k + 1].V(), true, c);
      if (!std::isfinite(c.Valeur) || !std::isfinite(c.Vecteur.X) || !std::isfinite(c.Vecteur.Y) ||
          !std::isfinite(c.Vecteur.Z)) {
        DbgErr(erCalcul, "TEntity.CalcCourbureCoupe", static_cast<int>(k), {DbgVal(static_cast<int>(np))});
        l[k].Courbure = {};
        return;
      }
      l[k].Courbure = c;
    }
  }
}
