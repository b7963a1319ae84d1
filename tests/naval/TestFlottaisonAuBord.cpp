// An underwater body modelled alone: its top edge lies on the waterline Z = 0, where the
// evaluation samples it a hair inside the parameter domain. The waterplane is the edge's
// and the lid between the two halves is not wetted.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "naval/Hydrostat.h"
#include "naval/Wigley.h"

namespace {

TParticulesHydro Particules(double h, bool jonction) {
  TDocument doc;
  doc.Vider();
  TSurface& s = AjouteWigley(doc, 10, 1, 0.625, h, 40);
  s.JonctionSym = jonction;
  MajSurface(doc, true, -1);
  TListSurf p{0};
  return CalcHydrostatiques(doc, p, 81).P;
}

TEST(FlottaisonAuBord, AHullEndingAtTheWaterlineKeepsItsWaterplane) {
  const double L = 10, B = 1;
  for (bool jonction : {false, true}) {
    SCOPED_TRACE(jonction);
    const TParticulesHydro bord = Particules(0, jonction), haut = Particules(0.3, jonction);
    // The waterline x = B/2 (1 - (2y/L)^2): its area and second moments by Simpson on the
    // exact half-breadth.
    const int n = 2000;
    double a = 0, it = 0, il = 0;
    for (int k = 0; k <= n; k++) {
      const double y = -L / 2 + L * k / n, x = B / 2 * (1 - 4 * y * y / (L * L));
      const double w = (k == 0 || k == n) ? 1 : (k % 2 ? 4 : 2);
      a += w * 2 * x, it += w * 2 * x * x * x / 3, il += w * 2 * x * y * y;
    }
    a *= L / n / 3, it *= L / n / 3, il *= L / n / 3;
    EXPECT_NEAR(bord.Awp, a, 2e-3 * a);
    EXPECT_NEAR(bord.Lwl, L, 1e-3);
    EXPECT_NEAR(bord.Bwl, B, 1e-3);
    EXPECT_NEAR(bord.It, it, 5e-3 * it);
    EXPECT_NEAR(bord.Il, il, 5e-3 * il);
    EXPECT_NEAR(bord.BMt, it / bord.V, 5e-3 * it / bord.V);
    EXPECT_GT(bord.Cwp, 0.6);
    // The same body continued above the water: the same immersed volume and wetted area
    // (the lid joining the two halves along the edge is dry).
    EXPECT_NEAR(bord.V, haut.V, 2e-3 * haut.V);
    EXPECT_NEAR(bord.SurfMouillee, haut.SurfMouillee, 5e-3 * haut.SurfMouillee);
    EXPECT_NEAR(bord.Awp, haut.Awp, 5e-3 * haut.Awp);
  }
}

}  // namespace
