// Least-squares fitting of control nets of the program's own form (orders 2..6,
// open uniform knots, at most 31 x 31 vertices) to points sampled on a regular
// parameter grid, and the search for the smallest net within a tolerance. Used by
// the IGES and the table-of-offsets imports.
#pragma once

#include <functional>
#include <vector>

#include "model/Calcs.h"
#include "model/NetGest.h"

// A least-squares operator of one direction: for an order and a vertex count, the
// n x Ns matrix (A^T A)^-1 A^T of the open uniform basis sampled at the parameters,
// and the basis itself at other parameters (to check the fit where it was not made).
struct TBaseAjustement {
  int Ordre = 0, Nb = 0;
  std::vector<double> Operateur;  // Nb rows of params.size() values
  bool Ok = false;
};
// Basis row values: result[s * n + i] = N_i(params[s]) of order k over n vertices.
std::vector<double> MatriceBase(int k, int n, const std::vector<double>& params);
TBaseAjustement BaseAjustement(int k, int n, const std::vector<double>& params);

// Points on a regular grid of parameters: P[i * V.size() + j] at (U[i], V[j]).
struct TEchantillons {
  std::vector<double> U, V;
  std::vector<TVertex3f> P;
  const TVertex3f& At(size_t i, size_t j) const { return P[i * V.size() + j]; }
};

// The vertices (weights 1) of the net of nu x nv vertices fitted to the samples:
// rows along U, columns along V. Empty when an operator could not be built.
std::vector<TVertex3f> AjusteGrille(const TBaseAjustement& bu, const TBaseAjustement& bv,
                                    const TEchantillons& e);
// The fitted net evaluated at the samples' parameters (through the basis rows).
std::vector<TVertex3f> EvalueGrille(const std::vector<TVertex3f>& net, int ku, int nu, int kv, int nv,
                                    const std::vector<double>& u, const std::vector<double>& v);

// The smallest nu x nv (by vertex count) whose deviation ecart(nu, nv) is within the
// tolerance, nu in minU..maxU and nv in minV..maxV; the deviation is taken as growing
// no worse when a count grows. False when even maxU x maxV is beyond it.
struct TTailleNet {
  int NU = 0, NV = 0;
  double Ecart = 0;
};
bool PlusPetitNet(int minU, int minV, int maxU, int maxV, double tolerance,
                  const std::function<double(int, int)>& ecart, TTailleNet& resultat);

// A net of the program's form from fitted vertices: rows along U, orders given.
void RemplitNet(TNet& net, const std::vector<TVertex3f>& pts, int nu, int nv, int ordreU, int ordreV);
