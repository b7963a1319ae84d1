// Surface evaluation: control net to grids of points, normals and mirror images.
#include <algorithm>
#include <cmath>

#include "model/Entity.h"

namespace {

std::vector<double> NoeudsOuverts(int k, int n) {
  std::vector<double> t(static_cast<size_t>(k + n + 1), 0.0);
  for (int i = 1; i <= k + n; i++) t[i] = t[i - 1] + ((i >= k && i <= n + 1) ? 1 : 0);
  for (int i = 1; i <= k + n; i++) t[i] /= t[k + n];
  return t;
}

// Basis functions of order k at u (Cox-de Boor), all n + 1 of them.
std::vector<double> Base(const std::vector<double>& t, int k, int n, double u) {
  std::vector<double> N(t.size() - 1, 0.0);
  for (size_t i = 0; i + 1 < t.size(); i++) N[i] = (u >= t[i] && u < t[i + 1]) ? 1 : 0;
  if (u >= t.back()) N[n] = 1;
  for (int d = 2; d <= k; d++)
    for (size_t i = 0; i + d < t.size(); i++) {
      double a = t[i + d - 1] - t[i], b = t[i + d] - t[i + 1];
      N[i] = (a > 0 ? (u - t[i]) / a * N[i] : 0) + (b > 0 ? (t[i + d] - u) / b * N[i + 1] : 0);
    }
  N.resize(static_cast<size_t>(n + 1));
  return N;
}

TVertex3f Point(const TNet& net, const std::vector<double>& nu, const std::vector<double>& nv) {
  TVertex3f s;
  double w = 0;
  for (int i = 0; i < net.NbLn; i++)
    for (int j = 0; j < net.NbCol; j++) {
      double b = nu[i] * nv[j] * net.PC[i][j].W;
      s = s + net.PC[i][j].V() * b;
      w += b;
    }
  return w != 0 ? s * (1 / w) : s;
}

}  // namespace

void EvalueSurfaceNurbs(TSurface& s) {
  const TNet& net = s.Net;
  int ku = std::min(net.LFlex, net.NbLn), kv = std::min(net.CFlex, net.NbCol);
  auto tu = NoeudsOuverts(ku, net.NbLn - 1), tv = NoeudsOuverts(kv, net.NbCol - 1);
  int N = s.NbLnPt, M = s.NbColPt;
  const double h = 1e-6;
  auto clamp = [h](double u) { return std::clamp(u, h, 1 - h); };
  for (int i = 0; i <= N; i++)
    for (int j = 0; j <= M; j++) {
      double u = clamp(N ? double(i) / N : 0), v = clamp(M ? double(j) / M : 0);
      auto bu = Base(tu, ku, net.NbLn - 1, u), bv = Base(tv, kv, net.NbCol - 1, v);
      TVertex3f p = Point(net, bu, bv);
      TVertex3f pu = (Point(net, Base(tu, ku, net.NbLn - 1, std::min(u + h, 1 - h / 2)), bv) - p);
      TVertex3f pv = (Point(net, bu, Base(tv, kv, net.NbCol - 1, std::min(v + h, 1 - h / 2))) - p);
      TVertex3f n = ProduitVect(pu, pv);
      double l = Norme(n);
      s.Pts[i][j] = p;
      s.Normales[i][j] = l > 0 ? n * (1 / l) : TVertex3f{};
    }
  const TPlan monde{1, 0, 0, 0};
  for (int i = 0; i <= N; i++)
    for (int j = 0; j <= M; j++) {
      s.PtsSym[N - i][j] = CalcSym(s.Pts[i][j], s.PlanSym.Plan());
      s.NormalesSym[N - i][j] = CalcSym(s.Normales[i][j], monde);
    }
}

void EvalueSurfaceMesh(TDXFSurface& s) {
  int N = s.NbLnPt, M = s.NbColPt;
  for (int i = 0; i <= N; i++)
    for (int j = 0; j <= M; j++) {
      TVertex3f a = s.Pts[std::min(i + 1, N)][j] - s.Pts[std::max(i - 1, 0)][j];
      TVertex3f b = s.Pts[i][std::min(j + 1, M)] - s.Pts[i][std::max(j - 1, 0)];
      TVertex3f n = ProduitVect(a, b);
      double l = Norme(n);
      s.Normales[i][j] = l > 0 ? n * (1 / l) : TVertex3f{};
    }
  const TPlan monde{1, 0, 0, 0};
  for (int i = 0; i <= N; i++)
    for (int j = 0; j <= M; j++) {
      s.PtsSym[N - i][j] = CalcSym(s.Pts[i][j], s.PlanSym.Plan());
      s.NormalesSym[N - i][j] = CalcSym(s.Normales[i][j], monde);
    }
}
