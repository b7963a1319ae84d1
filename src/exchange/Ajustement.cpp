#include "exchange/Ajustement.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "geometry/Nurbs.h"

std::vector<double> MatriceBase(int k, int n, const std::vector<double>& params) {
  k = std::min(k, n);
  std::vector<double> a(params.size() * size_t(n), 0.0);
  double knots[MaxNoeuds + 1] = {};
  KnotOpenUniform(k, n - 1, knots);
  double d[MaxDeriv + 1][MaxOrdre];
  for (size_t s = 0; s < params.size(); s++) {
    const double u = std::clamp(params[s], 0.0, 1.0);
    const int span = FindSpan(k, n - 1, knots, u);
    DersBasisFuns(span, k, knots, 0, u, d);
    for (int r = 0; r < k; r++) a[s * size_t(n) + size_t(span - k + 1 + r)] = d[0][r];
  }
  return a;
}

TBaseAjustement BaseAjustement(int k, int n, const std::vector<double>& params) {
  TBaseAjustement b;
  b.Ordre = k;
  b.Nb = n;
  const size_t ns = params.size();
  if (n < 1 || n > MaxNet || k < 1 || ns < size_t(n)) return b;
  const std::vector<double> a = MatriceBase(k, n, params);
  // Normal equations: A^T A is banded, symmetric and positive for samples spread over
  // every knot span, so Cholesky needs no pivoting.
  std::vector<double> m(size_t(n) * n, 0.0);
  for (size_t s = 0; s < ns; s++)
    for (int i = 0; i < n; i++) {
      const double ai = a[s * n + i];
      if (ai == 0) continue;
      for (int j = 0; j < n; j++) m[size_t(i) * n + j] += ai * a[s * n + j];
    }
  for (int j = 0; j < n; j++) {
    double s = m[size_t(j) * n + j];
    for (int p = 0; p < j; p++) s -= m[size_t(j) * n + p] * m[size_t(j) * n + p];
    if (!(s > 1e-14)) return b;
    const double l = std::sqrt(s);
    m[size_t(j) * n + j] = l;
    for (int i = j + 1; i < n; i++) {
      double t = m[size_t(i) * n + j];
      for (int p = 0; p < j; p++) t -= m[size_t(i) * n + p] * m[size_t(j) * n + p];
      m[size_t(i) * n + j] = t / l;
    }
  }
  // Operator columns: solve (L L^T) x = A^T e_s for every sample.
  b.Operateur.assign(size_t(n) * ns, 0.0);
  std::vector<double> x(static_cast<size_t>(n));
  for (size_t s = 0; s < ns; s++) {
    for (int i = 0; i < n; i++) {
      double t = a[s * n + i];
      for (int p = 0; p < i; p++) t -= m[size_t(i) * n + p] * x[size_t(p)];
      x[size_t(i)] = t / m[size_t(i) * n + i];
    }
    for (int i = n - 1; i >= 0; i--) {
      double t = x[size_t(i)];
      for (int p = i + 1; p < n; p++) t -= m[size_t(p) * n + i] * x[size_t(p)];
      x[size_t(i)] = t / m[size_t(i) * n + i];
    }
    for (int i = 0; i < n; i++) b.Operateur[size_t(i) * ns + s] = x[size_t(i)];
  }
  b.Ok = true;
  return b;
}

std::vector<TVertex3f> AjusteGrille(const TBaseAjustement& bu, const TBaseAjustement& bv,
                                    const TEchantillons& e) {
  const size_t nsu = e.U.size(), nsv = e.V.size();
  if (!bu.Ok || !bv.Ok || bu.Operateur.size() != size_t(bu.Nb) * nsu ||
      bv.Operateur.size() != size_t(bv.Nb) * nsv || e.P.size() != nsu * nsv)
    return {};
  // T = Q Mv^T (nsu x nv), then P = Mu T.
  std::vector<TVertex3f> t(nsu * size_t(bv.Nb));
  for (size_t i = 0; i < nsu; i++)
    for (int j = 0; j < bv.Nb; j++) {
      TVertex3f s{};
      const double* op = &bv.Operateur[size_t(j) * nsv];
      const TVertex3f* q = &e.P[i * nsv];
      for (size_t c = 0; c < nsv; c++) s = s + q[c] * op[c];
      t[i * bv.Nb + size_t(j)] = s;
    }
  std::vector<TVertex3f> p(size_t(bu.Nb) * bv.Nb);
  for (int i = 0; i < bu.Nb; i++) {
    const double* op = &bu.Operateur[size_t(i) * nsu];
    for (int j = 0; j < bv.Nb; j++) {
      TVertex3f s{};
      for (size_t r = 0; r < nsu; r++) s = s + t[r * bv.Nb + size_t(j)] * op[r];
      p[size_t(i) * bv.Nb + size_t(j)] = s;
    }
  }
  return p;
}

std::vector<TVertex3f> EvalueGrille(const std::vector<TVertex3f>& net, int ku, int nu, int kv, int nv,
                                    const std::vector<double>& u, const std::vector<double>& v) {
  const std::vector<double> au = MatriceBase(ku, nu, u), av = MatriceBase(kv, nv, v);
  std::vector<TVertex3f> t(u.size() * size_t(nv));
  for (size_t s = 0; s < u.size(); s++)
    for (int j = 0; j < nv; j++) {
      TVertex3f x{};
      for (int i = 0; i < nu; i++) {
        const double a = au[s * nu + i];
        if (a != 0) x = x + net[size_t(i) * nv + j] * a;
      }
      t[s * nv + size_t(j)] = x;
    }
  std::vector<TVertex3f> r(u.size() * v.size());
  for (size_t s = 0; s < u.size(); s++)
    for (size_t c = 0; c < v.size(); c++) {
      TVertex3f x{};
      for (int j = 0; j < nv; j++) {
        const double a = av[c * nv + j];
        if (a != 0) x = x + t[s * nv + size_t(j)] * a;
      }
      r[s * v.size() + c] = x;
    }
  return r;
}

bool PlusPetitNet(int minU, int minV, int maxU, int maxV, double tolerance,
                  const std::function<double(int, int)>& ecart, TTailleNet& res) {
  std::map<std::pair<int, int>, double> connus;
  auto e = [&](int nu, int nv) {
    auto it = connus.find({nu, nv});
    if (it != connus.end()) return it->second;
    const double x = ecart(nu, nv);
    connus[{nu, nv}] = x;
    return x;
  };
  maxU = std::clamp(maxU, 1, MaxNet);
  maxV = std::clamp(maxV, 1, MaxNet);
  minU = std::clamp(minU, 1, maxU);
  minV = std::clamp(minV, 1, maxV);
  res = {maxU, maxV, e(maxU, maxV)};
  if (!(res.Ecart <= tolerance)) return false;
  // A walk down the staircase of the counts that meet the tolerance: for each row
  // count, the fewest columns, which never grow when the rows do.
  int nv = maxV;
  for (int nu = minU; nu <= maxU && nv >= minV; nu++) {
    if (!(e(nu, nv) <= tolerance)) continue;
    while (nv > minV && e(nu, nv - 1) <= tolerance) nv--;
    if (nu * nv < res.NU * res.NV) res = {nu, nv, e(nu, nv)};
  }
  return true;
}

void RemplitNet(TNet& net, const std::vector<TVertex3f>& pts, int nu, int nv, int ordreU, int ordreV) {
  net.NbLn = nu;
  net.NbCol = nv;
  net.LFlex = ordreU;
  net.CFlex = ordreV;
  for (int i = 0; i < nu; i++)
    for (int j = 0; j < nv; j++) {
      net.PC[i][j].SetV(pts[size_t(i) * nv + j]);
      net.PC[i][j].W = 1;
    }
}
