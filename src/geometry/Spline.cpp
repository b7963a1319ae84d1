// The evaluation of a NURBS surface as the model asks for it: the export and
// evaluation knots, one sampling pass at the document's precision, unit
// normals, mirror grids and, when wanted, the Gaussian curvature; and the
// extreme points that every surface's evaluation ends with.
#include "geometry/Spline.h"

#include <algorithm>
#include <cstring>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "geometry/Mesh.h"
#include "geometry/Nurbs.h"

namespace {

// Mirror in a plane a x + b y + c z + d = 0, with the plane's constants worked out once per grid.
struct TMiroir {
  double A = 1, B = 0, C = 0, D = 0, F = 0;
  TMiroir(double a, double b, double c, double d) : A(a), B(b), C(c), D(d) {
    const double n2 = a * a + b * b + c * c;
    F = n2 > 0 ? 2 / n2 : 0;  // no normal: no mirror, as CalcSym
  }
  TVertex3f operator()(const TVertex3f& p) const {
    const double t = (A * p.X + B * p.Y + C * p.Z + D) * F;
    return {p.X - t * A, p.Y - t * B, p.Z - t * C};
  }
};

int Lignes(const TArrayVertex3f& g) { return static_cast<int>(g.size()); }

// The common extent of grids that should all have the same size.
void EtendueCommune(std::initializer_list<const TArrayVertex3f*> grilles, int& n, int& m) {
  n = MaxGrille, m = MaxGrille;
  for (const auto* g : grilles) {
    n = std::min(n, Lignes(*g));
    for (const auto& ligne : *g) m = std::min(m, static_cast<int>(ligne.size()));
  }
  if (n == 0) m = 0;
}

typedef double TDeux __attribute__((vector_size(16)));
// c where it is strictly beyond a (NaN never is), else a: one minpd / maxpd.
inline TDeux Min2(TDeux a, TDeux c) { return c < a ? c : a; }
inline TDeux Max2(TDeux a, TDeux c) { return c > a ? c : a; }

// Lowest and highest X, Y, Z of n points, starting from the values in mn and mx.
// The points are read as a stream of doubles, two at a time, so that the six
// running extremes advance in vector instructions without branches.
void MinMaxPoints(const TVertex3f* p, size_t n, double mn[3], double mx[3]) {
  static_assert(sizeof(TVertex3f) == 3 * sizeof(double), "points are packed coordinates");
  const char* octets = reinterpret_cast<const char*>(p);
  // Three lanes pairs cycle over x y | z x | y z of every two points.
  TDeux bas[3] = {{mn[0], mn[1]}, {mn[2], mn[0]}, {mn[1], mn[2]}};
  TDeux haut[3] = {{mx[0], mx[1]}, {mx[2], mx[0]}, {mx[1], mx[2]}};
  size_t k = 0;
  for (; k + 2 <= n; k += 2)
    for (int l = 0; l < 3; l++) {
      TDeux c;
      std::memcpy(&c, octets + (3 * k + 2 * l) * sizeof(double), sizeof c);
      bas[l] = Min2(bas[l], c);
      haut[l] = Max2(haut[l], c);
    }
  auto plie = [](double a, double b, bool versBas) { return versBas ? (b < a ? b : a) : (b > a ? b : a); };
  mn[0] = plie(bas[0][0], bas[1][1], true), mn[1] = plie(bas[0][1], bas[2][0], true);
  mn[2] = plie(bas[1][0], bas[2][1], true);
  mx[0] = plie(haut[0][0], haut[1][1], false), mx[1] = plie(haut[0][1], haut[2][0], false);
  mx[2] = plie(haut[1][0], haut[2][1], false);
  for (; k < n; k++) {
    const double c[3] = {p[k].X, p[k].Y, p[k].Z};
    for (int a = 0; a < 3; a++) mn[a] = plie(mn[a], c[a], true), mx[a] = plie(mx[a], c[a], false);
  }
}

}  // namespace

void ExtremesGrille(const TArrayVertex3f& pts, const TArrayVertex3f* sym, TVertex3f ext[6]) {
  // The extreme values row by row first, noting the first row that reaches each,
  // then the first point of that row that does: the point a strict "beyond" test
  // would keep, ties going to the earlier. Cheaper than one pass whose branches
  // the data decide.
  double val[6] = {ext[0].X, ext[1].X, ext[2].Y, ext[3].Y, ext[4].Z, ext[5].Z};
  int ligne[6] = {-1, -1, -1, -1, -1, -1};
  auto miroir = [&](size_t i) -> const std::vector<TVertex3f>* {
    return sym && i < sym->size() ? &(*sym)[i] : nullptr;
  };
  for (size_t i = 0; i < pts.size(); i++) {
    double mn[3] = {val[0], val[2], val[4]}, mx[3] = {val[1], val[3], val[5]};
    MinMaxPoints(pts[i].data(), pts[i].size(), mn, mx);
    if (const auto* l = miroir(i)) MinMaxPoints(l->data(), std::min(l->size(), pts[i].size()), mn, mx);
    const double rangee[6] = {mn[0], mx[0], mn[1], mx[1], mn[2], mx[2]};
    for (int k = 0; k < 6; k++)
      if (rangee[k] != val[k]) val[k] = rangee[k], ligne[k] = static_cast<int>(i);
  }
  for (int k = 0; k < 6; k++) {
    if (ligne[k] < 0) continue;
    const auto& l = pts[ligne[k]];
    const auto* ls = miroir(ligne[k]);
    auto coord = [k](const TVertex3f& p) { return k < 2 ? p.X : k < 4 ? p.Y : p.Z; };
    for (size_t j = 0; j < l.size(); j++) {
      if (coord(l[j]) == val[k]) {
        ext[k] = l[j];
        break;
      }
      if (ls && j < ls->size() && coord((*ls)[j]) == val[k]) {
        ext[k] = (*ls)[j];
        break;
      }
    }
  }
}

void Denormalise(const TArrayVertex3f& pts, TArrayVertex3f& normales) {
  const size_t n = std::min(pts.size(), normales.size());
  for (size_t i = 0; i < n; i++) {
    const size_t m = std::min(pts[i].size(), normales[i].size());
    for (size_t j = 0; j < m; j++) normales[i][j] = normales[i][j] - pts[i][j];
  }
}

void CalcGrillesSym(TEntity& e) {
  int n, m;
  EtendueCommune({&e.Pts, &e.Normales, &e.PtsSym, &e.NormalesSym}, n, m);
  const TPlan p = e.PlanSym.Plan();
  const TMiroir miroirPt(p.A, p.B, p.C, p.D), miroirVect(p.A, p.B, p.C, 0);
  for (int i = 0; i < n; i++) {
    const TVertex3f* pt = e.Pts[i].data();
    const TVertex3f* nr = e.Normales[i].data();
    TVertex3f* ps = e.PtsSym[n - 1 - i].data();
    TVertex3f* ns = e.NormalesSym[n - 1 - i].data();
    for (int j = 0; j < m; j++) {
      ps[j] = miroirPt(pt[j]);
      ns[j] = miroirVect(nr[j]);
    }
  }
}

void TSurface::MyNurbs2SNurbs(TSNurbs& r) const {
  TRACE("TSurface.MyNurbs2SNurbs");
  const int nbLn = std::clamp(Net.NbLn, 0, MaxNet), nbCol = std::clamp(Net.NbCol, 0, MaxNet);
  for (int i = 0; i < nbLn; i++)
    for (int j = 0; j < nbCol; j++) {
      r.PtsCtrl[i][j] = Net.PC[i][j].V();
      r.PoidsCtrl[i][j] = Net.PC[i][j].W;
    }
  r.OrdreU = Net.LFlex;
  r.OrdreV = Net.CFlex;
  r.NU = nbLn - 1;
  r.NV = nbCol - 1;
  MajTaille(r);
  KnotSetSNURBS(r);
}

void TSurface::Calc_VecteursNoeud() {
  TRACE("TSurface.Calc_VecteursNoeud");
  auto calcule = [](int ordre, int nb, std::vector<double>& t) {
    ordre = std::clamp(ordre, MinOrdre, MaxOrdre);
    nb = std::clamp(nb, 0, MaxNet);
    const int total = ordre + nb + 1;
    t.assign(static_cast<size_t>(total), 0.0);
    // Interior values exist only when nb >= ordre, so the divisor is at least 2.
    for (int i = ordre; i < total; i++) t[i] = i > nb ? 1 : double(i - ordre + 1) / (nb - ordre + 2);
  };
  calcule(Net.LFlex, Net.NbLn, NoeudsExportLn);
  calcule(Net.CFlex, Net.NbCol, NoeudsExportCol);
}

double TSurface::Gauss(int i, int j) const {
  if (i < 0 || j < 0 || i >= MaxGrille || j >= MaxGrille) return 0;
  const size_t k = static_cast<size_t>(i) * MaxGrille + j;
  return k < Courbure.size() ? Courbure[k] : 0;
}

void EvalueSurfaceNurbs(TSurface& s) {
  TRACE("TSurface.CalcSurface");
  WriteStatusBar(2, s.Nom);
  WriteStatusBar(3, "");
  s.Calc_VecteursNoeud();
  // About 32 KB: kept off the stack.
  static thread_local TSNurbs r;
  r = TSNurbs{};
  s.MyNurbs2SNurbs(r);
  if (r.Valide()) {
    // One pass instead of sampling, Denormalise and mirroring in turn: the grids
    // are written once while the values are at hand.
    EvalGrillesSurface(r, s.PlanSym.Plan(), s.AvecCourbure, s.Pts, s.Normales, s.PtsSym, s.NormalesSym,
                       s.Courbure);
  } else {
    // An empty net has no surface: no stale grid survives it.
    for (auto* g : {&s.Pts, &s.Normales})
      for (auto& ligne : *g) std::fill(ligne.begin(), ligne.end(), TVertex3f{});
    CalcGrillesSym(s);
  }
  WriteStatusBar(2, "");
}

// --- The evaluation of the model's surfaces ------------------------------------------

void TEntity::SetMinMax() {
  TRACE("TEntity.SetMinMax");
  // From the first point: a model of any size (or unit) gets its own extremes.
  TVertex3f ext[6] = {{10000, 0, 0},  {-10000, 0, 0}, {0, 10000, 0},
                      {0, -10000, 0}, {0, 0, 10000},  {0, 0, -10000}};
  if (!Pts.empty() && !Pts[0].empty())
    for (TVertex3f& e : ext) e = Pts[0][0];
  ExtremesGrille(Pts, Sym ? &PtsSym : nullptr, ext);
  PtXMin = ext[0], PtXMax = ext[1], PtYMin = ext[2], PtYMax = ext[3], PtZMin = ext[4], PtZMax = ext[5];
}

void TEntity::CalcSurface() {
  if (auto* n = dynamic_cast<TSurface*>(this)) {
    if (Calculee) AfficheMessage(rs("rsSurfDejaCalculee"), mtWarning, mbOK);
    EvalueSurfaceNurbs(*n);
  } else if (auto* m = dynamic_cast<TDXFSurface*>(this)) {
    if (Calculee) AfficheMessage(rs("rsSurfDejaCalculee"), mtWarning, mbOK);
    EvalueSurfaceMesh(*m);
  }
  SetMinMax();
  Calculee = true;
  SecCalc = LgECalc = LongCalc = DiagCalc = false;
}
