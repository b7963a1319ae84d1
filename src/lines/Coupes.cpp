// Line computation: crossings of planes with evaluated grids, their chaining
// into polylines, the lines of every surface, and the curvature along a line.
#include "lines/Coupes.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <exception>
#include <iterator>
#include <limits>
#include <mutex>
#include <numeric>
#include <string>
#include <system_error>
#include <thread>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Fils.h"
#include "base/Options.h"
#include "base/Services.h"
#include "model/Document.h"

// --- presence tables ------------------------------------------------------------

namespace {

struct TVoisin {
  int Type, DI, DJ;
};

// Candidates next to a crossing, in order of preference, per crossing type.
constexpr TVoisin VoisinsLigne[] = {
    {tcLigne, -1, 0},  {tcLigne, 1, 0},  {tcColonne, -1, 0}, {tcColonne, -1, 1}, {tcColonne, 0, 0},
    {tcColonne, 0, 1}, {tcNoeud, -1, 0}, {tcNoeud, -1, 1},   {tcNoeud, 1, 0},    {tcNoeud, 1, 1}};
constexpr TVoisin VoisinsColonne[] = {
    {tcColonne, 0, -1}, {tcColonne, 0, 1}, {tcLigne, 0, -1}, {tcLigne, 1, -1}, {tcLigne, 0, 0},
    {tcLigne, 1, 0},    {tcNoeud, 0, -1},  {tcNoeud, 0, 1},  {tcNoeud, 1, -1}, {tcNoeud, 1, 1}};
constexpr TVoisin VoisinsNoeud[] = {
    {tcNoeud, -1, -1},   {tcNoeud, -1, 0},   {tcNoeud, -1, 1},   {tcNoeud, 0, -1},
    {tcNoeud, 0, 1},     {tcNoeud, 1, -1},   {tcNoeud, 1, 0},    {tcNoeud, 1, 1},
    {tcLigne, -1, -1},   {tcLigne, -1, 0},   {tcLigne, 1, -1},   {tcLigne, 1, 0},
    {tcColonne, -1, -1}, {tcColonne, -1, 1}, {tcColonne, 0, -1}, {tcColonne, 0, 1}};

}  // namespace

void TTablesPresence::Nouvelle(int nbLnPt, int nbColPt) {
  NouvelleBoite(nbLnPt, nbColPt, 0, nbLnPt, 0, nbColPt);
}

void TTablesPresence::NouvelleBoite(int nbLnPt, int nbColPt, int i0, int i1, int j0, int j1) {
  NbLn = nbLnPt, NbCol = nbColPt;
  I0 = i0, I1 = std::max(i0 - 1, i1), J0 = j0, J1 = std::max(j0 - 1, j1);
  Larg = static_cast<size_t>(J1 - J0 + 1) + 2;
  const size_t taille = (static_cast<size_t>(I1 - I0 + 1) + 2) * Larg * 3;
  // Entries of an older generation are never available, whatever layout they were written in.
  if (E.size() < taille) E.resize(taille);
  if (++Gen >= (1u << BitsGen)) {
    std::fill(E.begin(), E.end(), 0u);
    Gen = 1;
  }
  Marque = Gen << (32 - BitsGen);
  auto remplit = [&](int type, const auto& voisins) {
    int n = 0;
    for (const TVoisin& v : voisins)
      Deltas[type - 1][n++] =
          (static_cast<long>(v.DI) * static_cast<long>(Larg) + v.DJ) * 3 + (v.Type - type);
  };
  remplit(tcLigne, VoisinsLigne);
  remplit(tcColonne, VoisinsColonne);
  remplit(tcNoeud, VoisinsNoeud);
}

bool TTablesPresence::Dans(int type, int i, int j) const {
  bool grille = false;
  switch (type) {
    case tcLigne:
      grille = i >= 0 && i <= NbLn && j >= 0 && j < NbCol;
      break;
    case tcColonne:
      grille = i >= 0 && i < NbLn && j >= 0 && j <= NbCol;
      break;
    case tcNoeud:
      grille = i >= 0 && i <= NbLn && j >= 0 && j <= NbCol;
      break;
    default:
      break;
  }
  return grille && i >= I0 && i <= I1 && j >= J0 && j <= J1;
}

namespace {
// The candidates of a type are tested four at a time without a branch, the
// first available one being the lowest bit of the mask: neighbours that are
// there or not, taken or not, follow no pattern a branch predictor could
// learn, while a line mostly goes on through one of its first candidates.
template <int N>
inline bool PremierDisponible(uint32_t* e, size_t p, const std::array<long, 16>& d, uint32_t cible,
                              uint32_t masqueIndex, uint32_t dispo, int& index) {
  for (int k0 = 0; k0 < N; k0 += 4) {
    uint32_t masque = 0;
    for (int k = k0; k < std::min(k0 + 4, N); k++)
      masque |= static_cast<uint32_t>((e[static_cast<long>(p) + d[k]] & ~masqueIndex) == cible) << (k - k0);
    if (masque == 0) continue;
    uint32_t& x = e[static_cast<long>(p) + d[k0 + std::countr_zero(masque)]];
    index = static_cast<int>(x & masqueIndex);
    x &= ~dispo;
    return true;
  }
  return false;
}
}  // namespace

bool TTablesPresence::PresCoupleAdjPos(size_t p, int type, int& index) {
  const uint32_t cible = Marque | Dispo;
  switch (type) {
    case tcLigne:
      return PremierDisponible<10>(E.data(), p, Deltas[0], cible, MasqueIndex, Dispo, index);
    case tcColonne:
      return PremierDisponible<10>(E.data(), p, Deltas[1], cible, MasqueIndex, Dispo, index);
    default:
      return PremierDisponible<16>(E.data(), p, Deltas[2], cible, MasqueIndex, Dispo, index);
  }
}

void TTablesPresence::Place(const TCouple& c, int index) {
  if (Dans(c.TypeCouple, c.I, c.J) && index >= 0 && static_cast<uint32_t>(index) <= MaxCouples)
    PlacePos(Pos(c.TypeCouple, c.I, c.J), index);
}

void TTablesPresence::MajPresenceCouple(const TCouple& c, bool disponible) {
  if (!Dans(c.TypeCouple, c.I, c.J)) return;
  size_t p = Pos(c.TypeCouple, c.I, c.J);
  // Only a crossing of the current line changes.
  if ((E[p] & ~(MasqueIndex | Dispo)) == Marque) MajPos(p, disponible);
}

bool TTablesPresence::Disponible(const TCouple& c) const {
  return Dans(c.TypeCouple, c.I, c.J) && DisponiblePos(Pos(c.TypeCouple, c.I, c.J));
}

bool TTablesPresence::PresCoupleAdj(const TCouple& c, int& index) {
  // Positions off the grid are never placed, and the margin keeps every look-up inside the tables.
  if (!Dans(c.TypeCouple, c.I, c.J)) return false;
  return PresCoupleAdjPos(Pos(c.TypeCouple, c.I, c.J), c.TypeCouple, index);
}

// One set per thread, so that independent cuts may run side by side.
TTablesPresence& TablesPresence() {
  static thread_local TTablesPresence t;
  return t;
}

// --- chaining -------------------------------------------------------------------

namespace {

// Chains the crossings of one line: places them in the presence tables (a
// new generation over the box they span) and follows them from cell to cell.
void PlaceEtChaine(const TListCouples& l, int nbLnPt, int nbColPt, TCoupe& coupe) {
  // The line's old polylines are refilled rather than freed: their storage serves again.
  size_t nbPoly = 0;
  struct TFin {
    TCoupe& C;
    size_t& N;
    ~TFin() { C.resize(N); }
  } fin{coupe, nbPoly};
  const int n = static_cast<int>(l.size());
  if (n == 0 || l.size() > TTablesPresence::MaxCouples) return;
  TTablesPresence& t = TablesPresence();
  int i0 = l[0].I, i1 = l[0].I, j0 = l[0].J, j1 = l[0].J;
  for (const TCouple& c : l) {
    i0 = std::min(i0, c.I), i1 = std::max(i1, c.I);
    j0 = std::min(j0, c.J), j1 = std::max(j1, c.J);
  }
  t.NouvelleBoite(nbLnPt, nbColPt, i0, i1, j0, j1);
  static thread_local std::vector<size_t> pos;
  pos.resize(static_cast<size_t>(n));
  for (int k = 0; k < n; k++) {
    pos[k] = t.Pos(l[k].TypeCouple, l[k].I, l[k].J);
    t.PlacePos(pos[k], k);
  }
  // The polyline grows at both ends: indices [h0, h1) of a buffer centred on its first crossing.
  static thread_local std::vector<int> buf;
  buf.resize(2 * static_cast<size_t>(n) + 3);
  int h0 = 0, h1 = 0, tete = 0, queue = 0, utilises = 0, premier = 0;
  auto debut = [&](int k) {
    h0 = h1 = n + 1;
    buf[h1++] = k;
    t.MajPos(pos[k], false);
    tete = queue = k;
    utilises++;
  };
  auto termine = [&]() {
    // A loop closes on its first crossing; two crossings are a segment, never a loop.
    if (h1 - h0 >= 3) {
      t.MajPos(pos[tete], true);
      int k = 0;
      if (t.PresCoupleAdjPos(pos[queue], l[queue].TypeCouple, k)) buf[h1++] = k;
      t.MajPos(pos[tete], false);
    }
    TListPt3D& poly = nbPoly < coupe.size() ? coupe[nbPoly] : coupe.emplace_back();
    nbPoly++;
    poly.clear();
    poly.reserve(static_cast<size_t>(h1 - h0));
    for (int p = h0; p < h1; p++) poly.emplace_back(l[buf[p]].P);
  };
  // Crossings are only ever taken while a polyline grows: once its tail has no
  // neighbour left, it has none until the next polyline, and is not asked again.
  bool queueFinie = false;
  debut(0);
  while (utilises < n) {
    int k = 0;
    if (!queueFinie) {
      if (t.PresCoupleAdjPos(pos[queue], l[queue].TypeCouple, k)) {
        buf[h1++] = k;
        queue = k;
        utilises++;
        continue;
      }
      queueFinie = true;
    }
    if (t.PresCoupleAdjPos(pos[tete], l[tete].TypeCouple, k)) {
      buf[--h0] = k;
      tete = k;
      utilises++;
    } else {
      termine();
      while (!t.DisponiblePos(pos[premier])) premier++;
      debut(premier);
      queueFinie = false;
    }
  }
  termine();
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
void CherchePlan(const TArrayVertex3f& g, int n, int m, FDist f, FArete arete, FNoeud noeud,
                 TListCouples& l) {
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

inline double& Coord(TVertex3f& p, TAxePlan a) { return a == apX ? p.X : a == apY ? p.Y : p.Z; }
inline double Coord(const TVertex3f& p, TAxePlan a) { return a == apX ? p.X : a == apY ? p.Y : p.Z; }

// The point of P1-P2 whose coordinate on axis A is V: CalcPtDroite's
// arithmetic, written here so that it inlines (it runs once per crossing).
inline TVertex3f PointArete(const TVertex3f& p1, const TVertex3f& p2, TAxePlan a, double v) {
  TVertex3f p;
  Coord(p, a) = v;
  auto interp = [](double a1, double a2, double x, double b1, double b2) {
    return b1 + (x - a1) / (a2 - a1) * (b2 - b1);
  };
  const double a1 = Coord(p1, a), a2 = Coord(p2, a);
  auto autre = [&](double TVertex3f::*c) {
    p.*c = a1 != a2 ? interp(a1, a2, v, p1.*c, p2.*c) : (p1.*c + p2.*c) / 2;
  };
  if (a != apX) autre(&TVertex3f::X);
  if (a != apY) autre(&TVertex3f::Y);
  if (a != apZ) autre(&TVertex3f::Z);
  return p;
}

inline TVertex3f PointNoeud(TVertex3f p, TAxePlan a, double v) {
  Coord(p, a) = v;
  return p;
}

// InterDroiteDiag's arithmetic, inlined for the same reason.
inline TVertex3f PointDiag(const TVertex3f& p1, const TVertex3f& p2, double z0, double pente) {
  TVertex3f p;
  double den = pente * (p2.X - p1.X) - (p2.Z - p1.Z);
  double t = (den != 0) ? (p1.Z - pente * p1.X - z0) / den : 0;
  p.X = p1.X + t * (p2.X - p1.X);
  p.Y = p1.Y + t * (p2.Y - p1.Y);
  p.Z = z0 + pente * p.X;
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
  // A crossing that names no edge or node of the grid cannot be chained: it is left out.
  TTablesPresence& t = TablesPresence();
  t.Nouvelle(nbLnPt, nbColPt);
  if (std::all_of(couples.begin(), couples.end(),
                  [&](const TCouple& c) { return t.Dans(c.TypeCouple, c.I, c.J); })) {
    PlaceEtChaine(couples, nbLnPt, nbColPt, coupe);
    return;
  }
  TListCouples valides;
  std::copy_if(couples.begin(), couples.end(), std::back_inserter(valides),
               [&](const TCouple& c) { return t.Dans(c.TypeCouple, c.I, c.J); });
  PlaceEtChaine(valides, nbLnPt, nbColPt, coupe);
}

void CalcSecMesh(const TArrayVertex3f& g, int n, int m, TCoupe& coupe, double y) {
  CalcParallele(g, n, m, coupe, apY, y);
}
void CalcLEMesh(const TArrayVertex3f& g, int n, int m, TCoupe& coupe, double z) {
  CalcParallele(g, n, m, coupe, apZ, z);
}
void CalcLong(const TArrayVertex3f& g, int n, int m, TCoupe& coupe, double x) {
  CalcParallele(g, n, m, coupe, apX, x);
}

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
      sortie.emplace_back(PointArete(p.V(), voisin, apX, 0));
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
  std::vector<uint16_t> Code;       // per node: 2 x (planes strictly below) + (on a plane)
  std::vector<double> Sentinelles;  // the positions between two not-a-numbers
  std::vector<int> Seaux;           // first guess of a rank, by bucket of the positions' span
  TRechercheFamille Recherche;
};

TTravailFamille& Travail() {
  static thread_local TTravailFamille t;
  return t;
}

// A node that is not a number crosses nothing: its code is even (on no plane)
// and its bit is outside every rank (at most 2 x 100 + 1).
constexpr uint16_t CodeNaN = 0x8000;

// Calls F(j) for every j < n where a[j] != b[j], in order. Eight codes are
// compared at a time: most edges cross no plane. Reads up to 7 codes past n.
template <typename F>
inline void PourDifferences(const uint16_t* a, const uint16_t* b, int n, F f) {
  int j = 0;
#ifdef __SSE2__
  for (; j < n; j += 8) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + j));
    __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + j));
    // Two mask bits per code: keep one.
    unsigned diff = ~static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(x, y))) & 0x5555u;
    if (n - j < 8) diff &= (1u << (2 * (n - j))) - 1;
    for (; diff; diff &= diff - 1) f(j + std::countr_zero(diff) / 2);
  }
#else
  for (; j < n; j++)
    if (a[j] != b[j]) f(j);
#endif
}

// Calls F(j) for every j < n where a[j] is odd (a node on a plane), in order.
template <typename F>
inline void PourImpairs(const uint16_t* a, int n, F f) {
  int j = 0;
#ifdef __SSE2__
  const __m128i un = _mm_set1_epi16(1);
  for (; j < n; j += 8) {
    __m128i x = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(a + j)), un);
    unsigned impair = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi16(x, un))) & 0x5555u;
    if (n - j < 8) impair &= (1u << (2 * (n - j))) - 1;
    for (; impair; impair &= impair - 1) f(j + std::countr_zero(impair) / 2);
  }
#else
  for (; j < n; j++)
    if (a[j] & 1) f(j);
#endif
}

// A document keeps plane positions to six decimals: a station meant at a hull's end
// (its transom) may come back up to 5e-7 beyond it and would cut nothing.
constexpr double ToleranceBout = 1e-6;

// The positions, those that miss the grid's end on the axis by less than ToleranceBout
// moved onto that end, a hair inside: a flat end whose nodes differ by rounding is cut whole.
std::vector<double> PlansAuxBouts(const std::vector<double>& positions, const TArrayVertex3f& g, int n, int m,
                                  TAxePlan a) {
  std::vector<double> r = positions;
  if (!GrilleValide(g, n, m)) return r;
  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  for (int i = 0; i <= n; i++)
    for (int j = 0; j <= m; j++) {
      const double x = Coord(g[i][j], a);
      lo = x < lo ? x : lo, hi = x > hi ? x : hi;  // not-a-number changes neither
    }
  if (!(lo <= hi)) return r;
  const double cheveu = std::min((hi - lo) / 4, 1e-9 * std::max({1.0, std::fabs(lo), std::fabs(hi)}));
  for (double& p : r) {
    if (p < lo && lo - p <= ToleranceBout)
      p = lo + cheveu;
    else if (p > hi && p - hi <= ToleranceBout)
      p = hi - cheveu;
  }
  return r;
}

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

void RechercheParallele(const TArrayVertex3f& g, int n, int m, TAxePlan axe,
                        const std::vector<double>& positions, TRechercheFamille& res) {
  res.Valeurs.clear();
  res.Unique.assign(positions.size(), -1);
  if (!GrilleValide(g, n, m)) return;
  // Buttocks are left as they are: the mirror half's are the main half's images.
  const std::vector<double>& nominales = positions;
  const std::vector<double> ajustees = axe != apX ? PlansAuxBouts(positions, g, n, m, axe) : positions;
  TTravailFamille& w = Travail();
  for (double p : ajustees)
    if (std::isfinite(p)) res.Valeurs.push_back(p);
  if (res.Valeurs.empty()) return;
  std::sort(res.Valeurs.begin(), res.Valeurs.end());
  res.Valeurs.erase(std::unique(res.Valeurs.begin(), res.Valeurs.end()), res.Valeurs.end());
  const std::vector<double>& val = res.Valeurs;
  const int nv = static_cast<int>(val.size());
  for (size_t k = 0; k < ajustees.size(); k++)
    if (std::isfinite(ajustees[k]))
      res.Unique[k] = static_cast<int>(std::lower_bound(val.begin(), val.end(), ajustees[k]) - val.begin());
  if (res.Listes.size() < val.size()) res.Listes.resize(val.size());
  for (int u = 0; u < nv; u++) res.Listes[u].clear();

  // Each node's rank among the planes (how many lie below it): a table of
  // buckets over the planes' span gives a first guess that at most a step or
  // two corrects, each node on its own. Not-a-number ends the positions on both
  // sides, so that no correction runs off them.
  w.Sentinelles.assign(static_cast<size_t>(nv) + 2, std::nan(""));
  std::copy(val.begin(), val.end(), w.Sentinelles.begin() + 1);
  const double* p = w.Sentinelles.data() + 1;  // p[-1] and p[nv] are not numbers
  const int nbSeaux = 4 * nv;
  const double etendue = val.back() - val.front();
  const double echelle = etendue > 0 ? nbSeaux / etendue : 0;
  w.Seaux.resize(static_cast<size_t>(nbSeaux) + 1);
  for (int b = 0, r = 0; b <= nbSeaux; b++) {
    const double x = val.front() + b / echelle;
    while (r < nv && p[r] < x) r++;
    w.Seaux[b] = etendue > 0 ? r : 0;
  }
  const size_t larg = static_cast<size_t>(m) + 1;
  const size_t marge = 16;  // read past the last node by the comparisons of eight codes at a time
  w.Code.resize((static_cast<size_t>(n) + 1) * larg + marge);
  for (int i = 0; i <= n; i++) {
    const double* v = &g[i][0].X + axe;  // the coordinate of node j is v[3 j]
    uint16_t* code = &w.Code[static_cast<size_t>(i) * larg];
    for (int j = 0; j <= m; j++) {
      const double x = v[3 * j];
      // Held to the table without a branch (a node beyond the planes is common); not-a-number gives 0.
      double b = (x - val.front()) * echelle;
      b = b > 0 ? b : 0;
      b = b < nbSeaux ? b : nbSeaux;
      int r = w.Seaux[static_cast<int>(b)];
      r += p[r] < x;  // a bucket of evenly spaced planes holds one plane at most
      if (p[r] < x || p[r - 1] >= x) [[unlikely]] {
        while (p[r] < x) r++;
        while (p[r - 1] >= x) r--;
      }
      code[j] = std::isnan(x) ? CodeNaN : static_cast<uint16_t>(2 * r + (p[r] == x));
    }
  }
  static_assert(sizeof(TVertex3f) == 3 * sizeof(double), "the coordinate stride above");
  // Each edge whose ends differ adds its crossings: the planes strictly between
  // its ends, from the first above the lower end to the last below the upper end.
  auto ajoute = [&](int type, int i, int j, uint16_t a, uint16_t b, const TVertex3f& p1,
                    const TVertex3f& p2) {
    if ((a | b) & CodeNaN) return;
    int la = a >> 1, lb = b >> 1;
    int k0 = std::min(la + (a & 1), lb + (b & 1)), k1 = std::max(la, lb);
    for (int k = k0; k < k1; k++) res.Listes[k].push_back({type, i, j, PointArete(p1, p2, axe, val[k])});
  };
  for (int i = 0; i < n; i++) {
    const uint16_t* c0 = &w.Code[static_cast<size_t>(i) * larg];
    const uint16_t* c1 = c0 + larg;
    PourDifferences(c0, c1, m + 1,
                    [&](int j) { ajoute(tcColonne, i, j, c0[j], c1[j], g[i][j], g[i + 1][j]); });
  }
  for (int i = 0; i <= n; i++) {
    const uint16_t* c0 = &w.Code[static_cast<size_t>(i) * larg];
    PourDifferences(c0, c0 + 1, m,
                    [&](int j) { ajoute(tcLigne, i, j, c0[j], c0[j + 1], g[i][j], g[i][j + 1]); });
  }
  for (int i = 0; i <= n; i++) {
    const uint16_t* c0 = &w.Code[static_cast<size_t>(i) * larg];
    PourImpairs(c0, m + 1, [&](int j) { res.Listes[c0[j] >> 1].push_back({tcNoeud, i, j, g[i][j]}); });
  }
  // A plane moved onto the grid's end keeps its place: its points lie on it.
  for (size_t k = 0; k < ajustees.size(); k++)
    if (ajustees[k] != nominales[k] && res.Unique[k] >= 0)
      for (TCouple& c : res.Listes[res.Unique[k]])
        if (Coord(c.P, axe) != nominales[k]) Coord(c.P, axe) = nominales[k];
}

void CalcFamilleParallele(const TArrayVertex3f& g, int n, int m, TAxePlan axe,
                          const std::vector<double>& positions, std::vector<TCoupe>& coupes,
                          const std::function<void(int)>& avant) {
  coupes.resize(positions.size());
  if (positions.empty() || !GrilleValide(g, n, m)) {
    for (auto& c : coupes) c.clear();
    return;
  }
  TRechercheFamille& r = Travail().Recherche;
  RechercheParallele(g, n, m, axe, positions, r);
  RangeLignes(
      coupes, r.Unique, [&](int u, TCoupe& c) { PlaceEtChaine(r.Listes[u], n, m, c); }, avant);
}

namespace {

// Cells are grouped in square blocks whose node bounds in X and Z tell at once
// whether a diagonal plane can reach them: only the nodes of reached blocks are
// measured against the plane. Blocks of 4 cells a side keep the measured nodes
// within a few times the line's own cells; coarse blocks of 4 x 4 blocks keep
// the per-plane tests few.
constexpr int TailleBloc = 4;
constexpr int Groupe = 4;  // blocks a side of a coarse block

struct TBornesXZ {
  double XMin, XMax, ZMin, ZMax;
  double Echelle;  // size of the values the bounds are computed from
  bool NaN;
};

struct TNiveauBlocs {
  int NbBl = 1, NbBc = 1;
  std::vector<TBornesXZ> B;
};

struct TBlocsXZ {
  int N = 0, M = 0;
  TNiveauBlocs Fin, Gros;

  void Calcule(const TArrayVertex3f& g, int n, int m) {
    N = n, M = m;
    const double inf = std::numeric_limits<double>::infinity();
    Fin.NbBl = std::max(1, (n + TailleBloc - 1) / TailleBloc);
    Fin.NbBc = std::max(1, (m + TailleBloc - 1) / TailleBloc);
    Fin.B.assign(static_cast<size_t>(Fin.NbBl) * Fin.NbBc, TBornesXZ{inf, -inf, inf, -inf, 0, false});
    for (int bl = 0; bl < Fin.NbBl; bl++)
      for (int bc = 0; bc < Fin.NbBc; bc++) {
        TBornesXZ& b = Fin.B[static_cast<size_t>(bl) * Fin.NbBc + bc];
        for (int i = bl * TailleBloc; i <= std::min(bl * TailleBloc + TailleBloc, n); i++)
          for (int j = bc * TailleBloc; j <= std::min(bc * TailleBloc + TailleBloc, m); j++) {
            const TVertex3f& p = g[i][j];
            b.NaN |= std::isnan(p.X) | std::isnan(p.Z);
            b.XMin = std::min(b.XMin, p.X), b.XMax = std::max(b.XMax, p.X);
            b.ZMin = std::min(b.ZMin, p.Z), b.ZMax = std::max(b.ZMax, p.Z);
          }
      }
    Gros.NbBl = (Fin.NbBl + Groupe - 1) / Groupe;
    Gros.NbBc = (Fin.NbBc + Groupe - 1) / Groupe;
    Gros.B.assign(static_cast<size_t>(Gros.NbBl) * Gros.NbBc, TBornesXZ{inf, -inf, inf, -inf, 0, false});
    for (int bl = 0; bl < Fin.NbBl; bl++)
      for (int bc = 0; bc < Fin.NbBc; bc++) {
        const TBornesXZ& f = Fin.B[static_cast<size_t>(bl) * Fin.NbBc + bc];
        TBornesXZ& b = Gros.B[static_cast<size_t>(bl / Groupe) * Gros.NbBc + bc / Groupe];
        b.NaN = b.NaN || f.NaN;
        b.XMin = std::min(b.XMin, f.XMin), b.XMax = std::max(b.XMax, f.XMax);
        b.ZMin = std::min(b.ZMin, f.ZMin), b.ZMax = std::max(b.ZMax, f.ZMax);
      }
    for (auto* niv : {&Fin, &Gros})
      for (TBornesXZ& b : niv->B)
        b.Echelle = std::fabs(b.ZMin) + std::fabs(b.ZMax) + std::max(std::fabs(b.XMin), std::fabs(b.XMax));
  }

  // Whether some node of the block may lie on the plane or on its far side
  // from another. The bounds are rounded as DistDiag rounds, and rounding keeps
  // order, so a block found clear is clear; the margin only guards against a
  // compiler fusing the operations differently.
  static bool Atteint(const TBornesXZ& b, double z0, double pente, double facteur, double marge0) {
    if (b.NaN) return true;
    double a1 = pente * b.XMin, a2 = pente * b.XMax;
    double lo = std::min(a1, a2), hi = std::max(a1, a2);
    double fmin = b.ZMin - (z0 + hi), fmax = b.ZMax - (z0 + lo);
    double marge = marge0 + facteur * b.Echelle;
    return fmin <= marge && fmax >= -marge;
  }
};

// Relative size of the guard margin: far above the rounding of a few
// operations, far below any distance between grid nodes.
constexpr double MargeRelative = 1e-12;

}  // namespace

void CalcFamilleDiag(const TArrayVertex3f& g, int n, int m, const std::vector<double>& z0s,
                     const std::vector<double>& pentes, std::vector<TCoupe>& coupes,
                     const std::function<void(int)>& avant) {
  coupes.resize(z0s.size());
  if (z0s.empty() || !GrilleValide(g, n, m)) {
    for (auto& c : coupes) c.clear();
    return;
  }
  static thread_local TBlocsXZ blocs;
  blocs.Calcule(g, n, m);
  static thread_local TListCouples l, lLigne, lNoeud;
  // Sides of the plane, one bit per node: above, below, on it (a node that is
  // not a number is in none). Only the nodes of reached blocks are measured;
  // the others are in none either, and no edge they end can cross the plane.
  const size_t mots = (static_cast<size_t>(m) + 64) / 64;
  const size_t tailleMasque = (static_cast<size_t>(n) + 1) * mots;
  static thread_local std::vector<uint64_t> dessus, dessous, zero;  // all zero between lines
  dessus.assign(tailleMasque, 0), dessous.assign(tailleMasque, 0), zero.assign(tailleMasque, 0);

  for (size_t k = 0; k < z0s.size(); k++) {
    if (avant) avant(static_cast<int>(k));
    TCoupe& coupe = coupes[k];
    const double z0 = z0s[k], pente = k < pentes.size() ? pentes[k] : std::nan("");
    if (!std::isfinite(z0) || !std::isfinite(pente)) {
      coupe.clear();
      continue;
    }
    const double facteur = MargeRelative * (1 + std::fabs(pente)), marge0 = MargeRelative * std::fabs(z0);
    const TNiveauBlocs& gros = blocs.Gros;
    const TNiveauBlocs& fin = blocs.Fin;
    int iMin = n + 1, iMax = -1;  // rows holding bits, cleared again after the line
    for (int gl = 0; gl < gros.NbBl; gl++)
      for (int gc = 0; gc < gros.NbBc; gc++) {
        if (!TBlocsXZ::Atteint(gros.B[static_cast<size_t>(gl) * gros.NbBc + gc], z0, pente, facteur, marge0))
          continue;
        for (int bl = gl * Groupe; bl < std::min(gl * Groupe + Groupe, fin.NbBl); bl++)
          for (int bc = gc * Groupe; bc < std::min(gc * Groupe + Groupe, fin.NbBc); bc++) {
            if (!TBlocsXZ::Atteint(fin.B[static_cast<size_t>(bl) * fin.NbBc + bc], z0, pente, facteur,
                                   marge0))
              continue;
            const int j0 = bc * TailleBloc, j1 = std::min(j0 + TailleBloc, m);
            const int i0 = bl * TailleBloc, i1 = std::min(i0 + TailleBloc, n);
            iMin = std::min(iMin, i0), iMax = std::max(iMax, i1);
            const size_t w0 = static_cast<size_t>(j0) >> 6;
            const int decal = j0 & 63;
            const bool complet = j1 - j0 == TailleBloc;
            const bool nan = fin.B[static_cast<size_t>(bl) * fin.NbBc + bc].NaN;
            for (int i = i0; i <= i1; i++) {
              const TVertex3f* ligne = g[i].data() + j0;
              // The block's few columns gathered from bit 0, then put in place.
              uint64_t d = 0, u = 0, z = 0;
              auto mesure = [&](int b) {
                const double f = DistDiag(ligne[b], z0, pente);
                d |= static_cast<uint64_t>(f > 0) << b;
                u |= static_cast<uint64_t>(f < 0) << b;
              };
              if (complet && !nan) {
                mesure(0), mesure(1), mesure(2), mesure(3), mesure(4);
                z = ~(d | u) & 0x1F;  // no NaN: neither above nor below is on the plane
              } else {
                for (int b = 0; b <= j1 - j0; b++) {
                  mesure(b);
                  const double f = DistDiag(ligne[b], z0, pente);
                  z |= static_cast<uint64_t>(f == 0) << b;
                }
              }
              const size_t w = static_cast<size_t>(i) * mots + w0;
              dessus[w] |= d << decal, dessous[w] |= u << decal, zero[w] |= z << decal;
              if (decal + (j1 - j0) >= 64) {
                dessus[w + 1] |= d >> (64 - decal), dessous[w + 1] |= u >> (64 - decal);
                zero[w + 1] |= z >> (64 - decal);
              }
            }
          }
      }
    // Crossings by type, each by rows then columns: column edges, row edges, nodes.
    l.clear(), lLigne.clear(), lNoeud.clear();
    auto parcourt = [](uint64_t x, size_t w, auto f) {
      while (x) {
        f(static_cast<int>(w * 64 + static_cast<size_t>(std::countr_zero(x))));
        x &= x - 1;
      }
    };
    for (int i = iMin; i <= iMax; i++) {
      const uint64_t* d0 = &dessus[static_cast<size_t>(i) * mots];
      const uint64_t* u0 = &dessous[static_cast<size_t>(i) * mots];
      const uint64_t* z = &zero[static_cast<size_t>(i) * mots];
      for (size_t w = 0; w < mots; w++) {
        if ((d0[w] | u0[w] | z[w]) == 0) continue;
        if (i < n) {
          const uint64_t x = (d0[w] & u0[w + mots]) | (u0[w] & d0[w + mots]);
          parcourt(x, w, [&](int j) {
            l.push_back({tcColonne, i, j, PointDiag(g[i][j], g[i + 1][j], z0, pente)});
          });
        }
        // Bit j of the shifted masks is node j + 1: row edge j crosses when its ends differ.
        const uint64_t d1 = (d0[w] >> 1) | (w + 1 < mots ? d0[w + 1] << 63 : 0);
        const uint64_t u1 = (u0[w] >> 1) | (w + 1 < mots ? u0[w + 1] << 63 : 0);
        parcourt((d0[w] & u1) | (u0[w] & d1), w, [&](int j) {
          lLigne.push_back({tcLigne, i, j, PointDiag(g[i][j], g[i][j + 1], z0, pente)});
        });
        parcourt(z[w], w, [&](int j) { lNoeud.push_back({tcNoeud, i, j, g[i][j]}); });
      }
    }
    if (iMax >= iMin) {
      const auto debut = static_cast<long>(static_cast<size_t>(iMin) * mots);
      const auto finBits = static_cast<long>(static_cast<size_t>(iMax + 1) * mots);
      for (auto* v : {&dessus, &dessous, &zero}) std::fill(v->begin() + debut, v->begin() + finBits, 0);
    }
    l.insert(l.end(), lLigne.begin(), lLigne.end());
    l.insert(l.end(), lNoeud.begin(), lNoeud.end());
    // Every point beyond the centre plane: EliminePtInfZero would leave nothing, however
    // they chain (the mirror half of most hulls).
    if (std::all_of(l.begin(), l.end(), [](const TCouple& c) { return c.P.X < 0; })) {
      coupe.clear();
      continue;
    }
    PlaceEtChaine(l, n, m, coupe);
    EliminePtInfZero(coupe);
  }
}

// --- lines of the surfaces --------------------------------------------------------

bool MiroirRetourne(const TArrayVertex3f& g, const TArrayVertex3f& s, int n, int m) {
  if (!GrilleValide(g, n, m) || !GrilleValide(s, n, m)) return false;
  constexpr uint64_t signe = uint64_t{1} << 63;
  for (int i = 0; i <= n; i++) {
    const TVertex3f* a = g[i].data();
    const TVertex3f* b = s[n - i].data();
    uint64_t ecart = 0;
    for (int j = 0; j <= m; j++)
      ecart |= (std::bit_cast<uint64_t>(a[j].X) ^ signe ^ std::bit_cast<uint64_t>(b[j].X)) |
               (std::bit_cast<uint64_t>(a[j].Y) ^ std::bit_cast<uint64_t>(b[j].Y)) |
               (std::bit_cast<uint64_t>(a[j].Z) ^ std::bit_cast<uint64_t>(b[j].Z));
    if (ecart) return false;
  }
  return true;
}

namespace {

// The crossings that a cut of the mirror grid S by the plane at V on axis A
// lists, made from the main grid's crossings L with the image of that plane.
// Rows run the other way on S: each type's crossings come row by row from the
// last. A row edge keeps its ends in order, so its point is the main one with X
// negated (or set to V for a buttock) and the other coordinates unchanged, all
// exact, except where X is a zero or not a number, whose sign the negation
// would not give. A column edge has its ends swapped, and a node is S's own:
// those points are taken on S as the sweep of S takes them.
void CouplesMiroir(const TListCouples& l, const TArrayVertex3f& s, int n, TAxePlan a, double v,
                   TListCouples& sortie) {
  sortie.clear();
  sortie.reserve(l.size());
  auto retourne = [&](const TCouple& c) {
    TCouple r = c;
    if (c.TypeCouple == tcNoeud) {
      r.I = n - c.I;
      r.P = s[r.I][r.J];  // as the sweep lists a node: the grid's own point
    } else if (c.TypeCouple == tcColonne) {
      r.I = n - 1 - c.I;
      r.P = PointArete(s[r.I][r.J], s[r.I + 1][r.J], a, v);
    } else {
      r.I = n - c.I;
      if (a == apX)
        r.P.X = v;
      else if (c.P.X != 0 && !std::isnan(c.P.X))
        r.P.X = -c.P.X;
      else
        r.P = PointArete(s[r.I][r.J], s[r.I][r.J + 1], a, v);
    }
    return r;
  };
  for (size_t debut = 0, fin = 0; debut < l.size(); debut = fin) {
    while (fin < l.size() && l[fin].TypeCouple == l[debut].TypeCouple) fin++;
    for (size_t e = fin; e > debut;) {
      size_t d = e;
      while (d > debut && l[d - 1].I == l[e - 1].I) d--;
      for (size_t k = d; k < e; k++) sortie.push_back(retourne(l[k]));
      e = d;
    }
  }
}

struct TGenre {
  bool TEntity::*Calc;
  std::vector<TCoupe> TEntity::*Main;
  std::vector<TCoupe> TEntity::*Sym;
  const char* CleStatut;
};

const TGenre& Genre(TFamilleLignes f) {
  static const TGenre genres[] = {
      {&TEntity::SecCalc, &TEntity::Sec, &TEntity::SecSym, "rsStatutCouple"},
      {&TEntity::LgECalc, &TEntity::LgE, &TEntity::LgESym, "rsStatutLigneEau"},
      {&TEntity::LongCalc, &TEntity::Long, &TEntity::LongSym, "rsStatutLongitudinale"},
      {&TEntity::DiagCalc, &TEntity::Diag, &TEntity::DiagSym, "rsStatutDiagonale"}};
  return genres[f];
}

TAxePlan AxeFamille(TFamilleLignes f) { return f == flSections ? apY : f == flLignesEau ? apZ : apX; }

// One surface's share of a computation of lines.
struct TLignesSurface {
  TEntity* E = nullptr;
  bool Deduit = false;                    // mirror lines from the main half's crossings
  TRechercheFamille Principal, Sym;       // crossings per plane, parallel families
  std::vector<int> PremiereP, PremiereS;  // first line of each distinct plane
  std::string Erreur;                     // what the first failure said
  bool SansCroisements = false;           // the crossings could not be found
};

// Per line: its own index when it is the first at its plane, -1 when it is a
// copy of an earlier one or has no plane.
void Premieres(const std::vector<int>& unique, size_t n, std::vector<int>& premiere) {
  premiere.assign(n, -1);
  std::vector<bool> vu;
  for (size_t k = 0; k < n; k++) {
    const int u = unique[k];
    if (u < 0) continue;
    if (vu.size() <= static_cast<size_t>(u)) vu.resize(static_cast<size_t>(u) + 1, false);
    if (!vu[u]) vu[u] = true, premiere[k] = static_cast<int>(k);
  }
}

// The lines of repeated planes, copied from the first line at their plane.
void CopieRepetees(std::vector<TCoupe>& c, const std::vector<int>& unique, const std::vector<int>& premiere) {
  std::vector<int> source;
  for (size_t k = 0; k < c.size(); k++) {
    const int u = unique[k];
    if (u < 0) continue;
    if (source.size() <= static_cast<size_t>(u)) source.resize(static_cast<size_t>(u) + 1, -1);
    if (premiere[k] >= 0)
      source[u] = static_cast<int>(k);
    else
      c[k] = c[source[u]];
  }
}

// The lines of family F of the given surfaces, in the pieces the cores share.
void CalcLignes(TDocument& doc, const std::vector<TEntity*>& surfaces, TFamilleLignes f, bool courbure) {
  if (surfaces.empty()) return;
  TRACE("TEntity.CalcAll");
  TCurseurAttente attente(!Options().SplineTR);
  const TGenre& genre = Genre(f);
  const std::vector<double> positions = doc.Grille.Positions(f);
  const size_t nl = positions.size();
  const int ns = static_cast<int>(surfaces.size());
  // The calling thread's, kept for its capacity and captured by reference: a piece on another
  // thread must not see its own. A call made from inside one (a status hook that let events
  // run) takes storage of its own.
  static thread_local std::vector<TLignesSurface> travauxDuFil;
  static thread_local bool enCours = false;
  std::vector<TLignesSurface> propres;
  std::vector<TLignesSurface>& travaux = enCours ? propres : travauxDuFil;
  struct TEnCours {
    bool Avant;
    TEnCours() : Avant(enCours) { enCours = true; }
    ~TEnCours() { enCours = Avant; }
  } enCoursGarde;
  if (travaux.size() < surfaces.size()) travaux.resize(surfaces.size());

  // The status bar's texts in their order, written from this thread only, as far as the pieces
  // it has reached: every line of a surface, then an empty field.
  std::vector<std::string> statuts;
  const std::string statut = rs(genre.CleStatut);
  std::vector<size_t> finStatuts;  // past the texts of each surface
  for (TEntity* e : surfaces) {
    for (size_t k = 0; k < nl; k++) statuts.push_back(statut + std::to_string(k + 1) + " - " + e->Nom);
    statuts.emplace_back();
    finStatuts.push_back(statuts.size());
  }
  const std::thread::id appelant = std::this_thread::get_id();
  size_t ecrits = 0;
  auto ecrit = [&](size_t jusque) {
    if (std::this_thread::get_id() != appelant) return;
    for (; ecrits < jusque && ecrits < statuts.size(); ecrits++) WriteStatusBar(2, statuts[ecrits]);
  };
  std::mutex verrouErreurs;
  auto garde = [&](int s, auto&& travail) {
    try {
      travail();
    } catch (const std::exception& ex) {
      std::lock_guard<std::mutex> g(verrouErreurs);
      if (travaux[s].Erreur.empty()) travaux[s].Erreur = ex.what()[0] ? ex.what() : "?";
    }
  };

  for (int s = 0; s < ns; s++) {
    TLignesSurface& t = travaux[s];
    TEntity& e = *surfaces[s];
    t.E = &e, t.Deduit = false, t.Erreur.clear(), t.SansCroisements = false;
    garde(s, [&] {
      (e.*genre.Main).resize(nl);
      (e.*genre.Sym).resize(nl);
      if (!e.Sym)
        for (auto& c : e.*genre.Sym) c.clear();
    });
  }

  if (f == flDiagonales) {
    std::vector<double> pentes;
    for (int k = 0; k < doc.Grille.NombreValide(f); k++)
      pentes.push_back(AngleDiagValide(doc.Grille.AngleDiag[k]) ? PenteDiag(doc.Grille.AngleDiag[k])
                                                                : std::nan(""));
    // Each half of each surface is one piece.
    Partage(2 * ns, [&](int p) {
      const int s = p / 2;
      TEntity& e = *surfaces[s];
      ecrit(s > 0 ? finStatuts[s - 1] : 0);
      if (p % 2 == 1 && !e.Sym) return;
      garde(s, [&] {
        if (p % 2 == 0)
          CalcFamilleDiag(e.Pts, e.NbLnPt, e.NbColPt, positions, pentes, e.*genre.Main);
        else
          CalcFamilleDiag(e.PtsSym, e.NbLnPt, e.NbColPt, positions, pentes, e.*genre.Sym);
      });
    });
  } else {
    const TAxePlan axe = AxeFamille(f);
    // A buttock of the mirror half at X is the main half's at -X: one sweep finds both, unless a
    // plane lies at a zero, whose sign the two sweeps might see differently.
    const bool sansZero = std::none_of(positions.begin(), positions.end(), [](double p) { return p == 0; });
    std::vector<double> avecImages = positions;
    if (axe == apX && sansZero)
      for (double p : positions) avecImages.push_back(-p);
    // First the crossings: the main grid of each surface, and the mirror grid unless it is
    // the main one turned over.
    Partage(2 * ns, [&](int p) {
      const int s = p / 2;
      TLignesSurface& t = travaux[s];
      TEntity& e = *t.E;
      garde(s, [&] {
        if (p % 2 == 0) {
          RechercheParallele(e.Pts, e.NbLnPt, e.NbColPt, axe,
                             e.Sym && (axe != apX || sansZero) ? avecImages : positions, t.Principal);
          Premieres(t.Principal.Unique, nl, t.PremiereP);
        } else if (e.Sym) {
          // Decided here, not by the main piece: the main sweep does not depend on it.
          t.Deduit = (axe != apX || sansZero) && MiroirRetourne(e.Pts, e.PtsSym, e.NbLnPt, e.NbColPt);
          if (!t.Deduit) {
            RechercheParallele(e.PtsSym, e.NbLnPt, e.NbColPt, axe, positions, t.Sym);
            Premieres(t.Sym.Unique, nl, t.PremiereS);
          }
        }
      });
    });
    for (int s = 0; s < ns; s++) travaux[s].SansCroisements = !travaux[s].Erreur.empty();
    // Then the chaining, line by line, the two halves side by side.
    const int parSurface = 2 * static_cast<int>(nl);
    Partage(ns * parSurface, [&](int p) {
      const int s = p / parSurface, k = (p % parSurface) / 2;
      const bool miroir = p % 2 == 1;
      TLignesSurface& t = travaux[s];
      TEntity& e = *t.E;
      ecrit((s > 0 ? finStatuts[s - 1] : 0) + static_cast<size_t>(k) + 1);
      if (t.SansCroisements || (miroir && !e.Sym)) return;
      garde(s, [&] {
        TCoupe& c = (e.*(miroir ? genre.Sym : genre.Main))[k];
        const TListCouples* l = nullptr;
        if (!miroir) {
          if (t.PremiereP[k] >= 0) l = &t.Principal.Listes[t.Principal.Unique[k]];
        } else if (t.Deduit) {
          // The mirror line at P is made from the main half's line at P's image.
          const int u = t.Principal.Unique[axe == apX ? nl + k : k];
          static thread_local TListCouples retournes;
          if (t.PremiereP[k] >= 0 && u >= 0) {
            CouplesMiroir(t.Principal.Listes[u], e.PtsSym, e.NbLnPt, axe,
                          t.Principal.Valeurs[t.Principal.Unique[k]], retournes);
            l = &retournes;
          }
        } else if (t.PremiereS[k] >= 0) {
          l = &t.Sym.Listes[t.Sym.Unique[k]];
        }
        if (!l) {
          c.clear();  // no plane, or a copy made below
          return;
        }
        PlaceEtChaine(*l, e.NbLnPt, e.NbColPt, c);
        // A plane moved onto the grid's end keeps its place: the points lie on it.
        if (axe != apX)
          for (auto& pl : c)
            for (auto& pt : pl)
              if (double& x = axe == apY ? pt.Y : pt.Z; x != positions[k]) x = positions[k];
        if (!miroir && f == flSections && courbure) CalcCourbureCoupe(c);
      });
    });
    for (int s = 0; s < ns; s++) {
      TLignesSurface& t = travaux[s];
      TEntity& e = *t.E;
      garde(s, [&] {
        if (t.SansCroisements) return;
        CopieRepetees(e.*genre.Main, t.Principal.Unique, t.PremiereP);
        if (e.Sym && t.Deduit)
          CopieRepetees(e.*genre.Sym, t.Principal.Unique, t.PremiereP);
        else if (e.Sym)
          CopieRepetees(e.*genre.Sym, t.Sym.Unique, t.PremiereS);
      });
    }
  }
  ecrit(statuts.size());
  for (int s = 0; s < ns; s++) {
    TLignesSurface& t = travaux[s];
    // A table that could not be rebuilt stays as it is; the display simply lacks those lines.
    if (!t.Erreur.empty()) DbgErr(erCalcul, "TEntity.CalcAll", f, {t.Erreur});
    t.E->*genre.Calc = true;
  }
}

}  // namespace

void CalcAll(TDocument& doc, TEntity& e, TFamilleLignes f, bool courbure) {
  if (!(e.*Genre(f).Calc)) CalcLignes(doc, {&e}, f, courbure);
}

void CalcAllSec(TDocument& doc, TEntity& e, bool courbure) { CalcAll(doc, e, flSections, courbure); }
void CalcAllLgE(TDocument& doc, TEntity& e) { CalcAll(doc, e, flLignesEau); }
void CalcAllLong(TDocument& doc, TEntity& e) { CalcAll(doc, e, flLongitudinales); }
void CalcAllDiag(TDocument& doc, TEntity& e) { CalcAll(doc, e, flDiagonales); }

namespace {
void CalcTabLignes(TDocument& doc, TFamilleLignes f, bool courbure = false) {
  TRACE("ObjCom.CalcTabLignes");
  std::vector<TEntity*> l;
  for (auto& s : doc.TabSurf)
    if (s->Visible && !(s.get()->*Genre(f).Calc)) l.push_back(s.get());
  CalcLignes(doc, l, f, courbure);
}
}  // namespace

void CalcTabLignesSec(TDocument& doc, bool courbure) { CalcTabLignes(doc, flSections, courbure); }
void CalcTabLignesLE(TDocument& doc) { CalcTabLignes(doc, flLignesEau); }
void CalcTabLignesLgt(TDocument& doc) { CalcTabLignes(doc, flLongitudinales); }
void CalcTabLignesDiag(TDocument& doc) { CalcTabLignes(doc, flDiagonales); }

void CalcCourbureCoupe(TCoupe& coupe) {
  TRACE("Coupes.CalcCourbureCoupe");
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
