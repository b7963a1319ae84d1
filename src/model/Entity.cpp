// Surface classes: construction, line tables and transformations (the evaluation
// is the geometry layer's: geometry/Spline.cpp).
#include "model/Entity.h"

#include <algorithm>

#include "base/Chaines.h"
#include "base/Services.h"

TEntityA::TEntityA(int numSurf) : NumSurf(numSurf) {}

TEntity::TEntity(int numSurf, int nbCol, int nbLn) : TEntityA(numSurf) { RedimGrilles(nbLn, nbCol); }

bool TEntity::RedimGrilles(int nbLn, int nbCol) {
  // A grid beyond 201 x 201 would overflow the curvature and colour tables.
  nbLn = std::clamp(nbLn, 1, MaxGrille);
  nbCol = std::clamp(nbCol, 1, MaxGrille);
  TArrayVertex3f p = Pts, ps = PtsSym, n = Normales, ns = NormalesSym;
  if (!ResizeArrayVertex3f(p, nbLn, nbCol) || !ResizeArrayVertex3f(ps, nbLn, nbCol) ||
      !ResizeArrayVertex3f(n, nbLn, nbCol) || !ResizeArrayVertex3f(ns, nbLn, nbCol))
    return false;
  Pts.swap(p);
  PtsSym.swap(ps);
  Normales.swap(n);
  NormalesSym.swap(ns);
  NbLnPt = nbLn - 1;
  NbColPt = nbCol - 1;
  return true;
}

void TEntity::MarqueNonCalculee() {
  Calculee = false;
  SecCalc = LgECalc = LongCalc = DiagCalc = false;
}

void TEntity::Transforme(const TMatrice4&) {}

void TEntity::CreateTabCoupes(int nbSec, int nbLE, int nbLong, int nbDiag) {
  auto cree = [](std::vector<TCoupe>& t, int n) {
    t.assign(static_cast<size_t>(std::clamp(n, 0, MaxLignes)), {});
  };
  cree(Sec, nbSec), cree(SecSym, nbSec);
  cree(LgE, nbLE), cree(LgESym, nbLE);
  cree(Long, nbLong), cree(LongSym, nbLong);
  cree(Diag, nbDiag), cree(DiagSym, nbDiag);
  SecCalc = LgECalc = LongCalc = DiagCalc = false;
}

void TEntity::FreeTabCoupes() {
  for (auto* t : {&Sec, &SecSym, &LgE, &LgESym, &Long, &LongSym, &Diag, &DiagSym}) t->clear();
}

// The precision is kept within 1..200 whatever its source: 0 steps would leave no parameter step.
TSurface::TSurface(int numSurf, int precision)
    : TEntity(numSurf, std::clamp(precision, MinPrecision, MaxPrecision) + 1,
              std::clamp(precision, MinPrecision, MaxPrecision) + 1),
      Net(numSurf) {}

void TSurface::Transforme(const TMatrice4& m) {
  for (int i = 0; i < Net.NbLn; i++)
    for (int j = 0; j < Net.NbCol; j++) {
      TVertex3f v = Net.PC[i][j].V();
      Transformation3D(m, v);
      Net.PC[i][j].SetV(v);
    }
  MarqueNonCalculee();
}

void TDXFSurface::Transforme(const TMatrice4& m) {
  for (auto& row : Pts)
    for (auto& p : row) Transformation3D(m, p);
  MarqueNonCalculee();
}
