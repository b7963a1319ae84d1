// Control nets: starting shapes and topology edits of one net.
#include "model/NetGest.h"

#include <algorithm>
#include <utility>

#include "base/Chaines.h"
#include "base/Services.h"

void AjoutePCListe(TListPC& l, const TPC& pc) { l.push_back(pc); }

bool PCDansListe(const TListPC& l, const TPC& pc) { return std::find(l.begin(), l.end(), pc) != l.end(); }

void RetirePCListe(TListPC& l, const TPC& pc) {
  auto it = std::find(l.begin(), l.end(), pc);
  if (it != l.end()) l.erase(it);
}

TNet::TNet(int numSurf) : NumSurf(numSurf) {}

bool TNet::Initialise(int typeSurf) {
  if (typeSurf < 0 || typeSurf > 7) {
    AfficheMessage(rs("rsErrCasImpossible"), mtError, mbOK);
    return false;
  }
  for (int i = 0; i <= 10; i++)
    for (int j = 0; j < MaxNet; j++) PC[i][j] = {0, 0, 0, 1};
  auto set = [this](int i, int j, double x, double y, double z, double w = 1) { PC[i][j] = {x, y, z, w}; };
  constexpr double w3 = 0.3333;  // the decimal, not one third
  switch (typeSurf) {
    case 0:
      NbLn = 3, NbCol = 3;
      set(0, 0, 0, 0, 0.05), set(0, 1, 0, 3, -0.3), set(0, 2, 0, 5.9, -0.1);
      set(1, 0, 1, 0, 0.1), set(1, 1, 1.1, 3, 0), set(1, 2, 0, 5.95, 0.4);
      set(2, 0, 1.2, 0, 0.7), set(2, 1, 1.4, 3, 0.8), set(2, 2, 0, 6, 0.9);
      break;
    case 1:
      NbLn = 2, NbCol = 2;
      set(0, 0, 0, 0, 0), set(0, 1, 0, 2, 0);
      set(1, 0, 2, 0, 0), set(1, 1, 2, 2, 0);
      break;
    case 2:
      NbLn = 2, NbCol = 2;
      set(0, 0, 0, 0, 0), set(0, 1, 0, 2, 0);
      set(1, 0, 0, 0, 2), set(1, 1, 0, 2, 2);
      break;
    case 3:
      NbLn = 2, NbCol = 2;
      set(0, 0, 0, 0, 0), set(0, 1, 2, 0, 0);
      set(1, 0, 0, 0, 2), set(1, 1, 2, 0, 2);
      break;
    case 4:
      NbLn = 4, NbCol = 2;
      set(0, 0, 0, 0, 0), set(0, 1, 0, 3, 0);
      set(1, 0, 2, 0, 0, w3), set(1, 1, 2, 3, 0, w3);
      set(2, 0, 2, 0, 2, w3), set(2, 1, 2, 3, 2, w3);
      set(3, 0, 0, 0, 2), set(3, 1, 0, 3, 2);
      break;
    case 5:
      NbLn = 4, NbCol = 2;
      set(0, 0, 0, 0, 0), set(0, 1, 3, 0, 0);
      set(1, 0, 0, 2, 0, w3), set(1, 1, 3, 2, 0, w3);
      set(2, 0, 0, 2, 2, w3), set(2, 1, 3, 2, 2, w3);
      set(3, 0, 0, 0, 2), set(3, 1, 3, 0, 2);
      break;
    case 6:
      NbLn = 2, NbCol = 4;
      set(0, 0, 0, 0, 0), set(0, 1, 2, 0, 0, w3), set(0, 2, 2, 2, 0, w3), set(0, 3, 0, 2, 0);
      set(1, 0, 0, 0, 3), set(1, 1, 2, 0, 3, w3), set(1, 2, 2, 2, 3, w3), set(1, 3, 0, 2, 3);
      break;
    default:  // 7: reset only
      break;
  }
  return true;
}

TResultatNet TNet::CalcProp_AjoutPC(const TVertex3f& p, const TPC& pc, int vue, double& proportion,
                                    double& angle) const {
  if (vue == tvPersp) return TResultatNet::VuePersp;
  if (vue < tvSection || vue > tvPersp) return TResultatNet::VueNonPrevue;
  if (!DansNet(pc.NumLn, pc.NumCol)) return TResultatNet::Impossible;
  int r = pc.NumLn, c = pc.NumCol;
  bool seul = (vue == tvSection) ? NbLn == 1 : NbCol == 1;
  if (seul) {
    angle = 0;
    proportion = 1;
    return TResultatNet::Ok;
  }
  // No previous vertex to measure from: the insertion is refused.
  if ((vue == tvSection && r < 1) || (vue != tvSection && c < 1)) return TResultatNet::PasDePrecedent;
  TPoint2f q, v, k;
  switch (vue) {
    case tvSection:
      q = Point2f(PC[r - 1][c].X, PC[r - 1][c].Z), v = Point2f(PC[r][c].X, PC[r][c].Z), k = Point2f(p.X, p.Z);
      break;
    case tvPlan:
      q = Point2f(PC[r][c - 1].Y, PC[r][c - 1].X), v = Point2f(PC[r][c].Y, PC[r][c].X), k = Point2f(p.Y, p.X);
      break;
    default:
      q = Point2f(PC[r][c - 1].Y, PC[r][c - 1].Z), v = Point2f(PC[r][c].Y, PC[r][c].Z), k = Point2f(p.Y, p.Z);
      break;
  }
  angle = AngleOriente2D(v, q, k);
  if (vue == tvPlan) angle = -angle;
  double qv = Distance2D(q, v);
  proportion = qv > 0 ? Distance2D(q, k) / qv : 1;
  return TResultatNet::Ok;
}

TResultatNet TNet::AjoutLnPC(int r, double t, double a) {
  if (NbLn >= MaxNet) return TResultatNet::MaxAtteint;
  if (NbLn < 1 || r < 0 || r >= NbLn) return TResultatNet::Impossible;
  if (NbLn == 1) {
    // A single row has no neighbour to interpolate from: it is duplicated.
    for (int j = 0; j < NbCol; j++) PC[1][j] = PC[0][j];
    NbLn = 2;
    return TResultatNet::Ok;
  }
  if (r < 1) return TResultatNet::PasDePrecedent;
  for (int i = NbLn - 1; i >= r; i--)
    for (int j = 0; j < NbCol; j++) PC[i + 1][j] = PC[i][j];
  for (int j = 0; j < NbCol; j++) {
    const TPtNet& A = PC[r - 1][j];
    const TPtNet& B = PC[r + 1][j];
    TVertex3f n = A.V() + (B.V() - A.V()) * t;
    RotationPtAxe(0, A.V(), n, a);
    n.Y = (B.X != A.X) ? A.Y + (B.Y - A.Y) * (n.X - A.X) / (B.X - A.X) : A.Y;
    PC[r][j] = {n.X, n.Y, n.Z, 1};
  }
  NbLn++;
  return TResultatNet::Ok;
}

TResultatNet TNet::AjoutColPC(int c, double t, double a, int vue) {
  if (NbCol >= MaxNet) return TResultatNet::MaxAtteint;
  if (vue == tvPersp) return TResultatNet::VuePersp;
  if (vue != tvPlan && vue != tvProfil) return TResultatNet::VueNonPrevue;
  if (NbCol < 1 || c < 0 || c >= NbCol) return TResultatNet::Impossible;
  if (NbCol == 1) {
    for (int i = 0; i < NbLn; i++) PC[i][1] = PC[i][0];
    NbCol = 2;
    return TResultatNet::Ok;
  }
  if (c < 1) return TResultatNet::PasDePrecedent;
  for (int i = 0; i < NbLn; i++)
    for (int j = NbCol - 1; j >= c; j--) PC[i][j + 1] = PC[i][j];
  for (int i = 0; i < NbLn; i++) {
    const TPtNet& A = PC[i][c - 1];
    const TPtNet& B = PC[i][c + 1];
    TVertex3f n = A.V() + (B.V() - A.V()) * t;
    if (vue == tvPlan) {
      RotationPtAxe(1, A.V(), n, a);
      n.Z = (B.Y != A.Y) ? A.Z + (B.Z - A.Z) * (n.Y - A.Y) / (B.Y - A.Y) : A.Z;
    } else {
      RotationPtAxe(2, A.V(), n, a);
      n.X = (B.Y != A.Y) ? A.X + (B.X - A.X) * (n.Y - A.Y) / (B.Y - A.Y) : A.X;
    }
    PC[i][c] = {n.X, n.Y, n.Z, 1};
  }
  NbCol++;
  return TResultatNet::Ok;
}

TResultatNet TNet::SupprLn(int r) {
  if (NbLn <= 1 || NbLn + NbCol == 3) return TResultatNet::Impossible;
  if (r < 0 || r >= NbLn) return TResultatNet::Impossible;
  for (int i = r; i < NbLn - 1; i++)
    for (int j = 0; j < NbCol; j++) PC[i][j] = PC[i + 1][j];
  for (int j = 0; j < NbCol; j++) PC[NbLn - 1][j].X = PC[NbLn - 1][j].Y = PC[NbLn - 1][j].Z = 0;
  NbLn--;
  return TResultatNet::Ok;
}

TResultatNet TNet::SupprCol(int c) {
  if (NbCol <= 1 || NbLn + NbCol == 3) return TResultatNet::Impossible;
  if (c < 0 || c >= NbCol) return TResultatNet::Impossible;
  for (int i = 0; i < NbLn; i++) {
    for (int j = c; j < NbCol - 1; j++) PC[i][j] = PC[i][j + 1];
    PC[i][NbCol - 1].X = PC[i][NbCol - 1].Y = PC[i][NbCol - 1].Z = 0;
  }
  NbCol--;
  return TResultatNet::Ok;
}

void TNet::Transpose() {
  TPtNet t[MaxNet][MaxNet] = {};
  for (int i = 0; i < NbLn; i++)
    for (int j = 0; j < NbCol; j++) t[j][i] = PC[i][j];
  std::copy(&t[0][0], &t[0][0] + MaxNet * MaxNet, &PC[0][0]);
  std::swap(NbLn, NbCol);
  std::swap(LFlex, CFlex);
}

std::string NomFlexibilite(int ordre) {
  switch (ordre) {
    case 2:
      return rs("rsRigide");
    case 3:
      return rs("rsPeuflexible");
    case 4:
      return rs("rsFlexible");
    case 5:
      return rs("rsSouple");
    case 6:
      return rs("rsTresSouple");
    default:
      return rs("rsErrFlexibilite");
  }
}
