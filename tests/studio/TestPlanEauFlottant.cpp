// The studio's water plane with "Flottaison": the rectangle carried into the waterplane where
// the weights float a box barge, against the wall-sided closed form of its draft and trim.
#include <gtest/gtest.h>

#include <cmath>

#include "naval/Barge.h"
#include "naval/Poids.h"
#include "studio/StudioCalc.h"

namespace {

constexpr double L = 10, T = 0.8, KG = 0.5, Rho = 1026;

// t = tan(trim) solving t (L²/(12 T) + T/2 + t² L²/(24 T) - KG) = LCG (wall-sided), by bisection.
double PenteParoisDroites(double lcg) {
  auto f = [&](double t) { return t * (L * L / (12 * T) + T / 2 + t * t * L * L / (24 * T) - KG) - lcg; };
  double a = 0, b = 1;
  for (int i = 0; i < 200; i++) {
    const double m = (a + b) / 2;
    ((f(m) > 0) == (f(b) > 0) ? b : a) = m;
  }
  return (a + b) / 2;
}

// Breadth 2, keel at Z = -1, deck at Z = +1; the load G at lcg forward of mid-length.
void Barge(TDocument& d, double lcg) {
  d.Vider();
  AjouteBarge(d, 1, L, 1, 1, 4);
  d.ListePoids.push_back({"Charge", Rho * L * 2 * T, 0, L / 2 + lcg, -1 + KG, -1});
  MajTotalPoids(d);
}

TEST(PlanEauStudio, ModelPlaneWithoutTheSwitchOrAWeight) {
  TDocument d;
  Barge(d, 0.3);
  for (const TVertex3f& c : PlanEauStudio(d, false, -5, 5, -3, 13).Coins) EXPECT_EQ(c.Z, 0);
  d.ListePoids.clear();
  MajTotalPoids(d);
  const TPlanEauStudio p = PlanEauStudio(d, true, -5, 5, -3, 13);
  for (const TVertex3f& c : p.Coins) EXPECT_EQ(c.Z, 0);
  EXPECT_EQ(p.Coins[2].X, 5);
  EXPECT_EQ(p.Coins[2].Y, 13);
}

TEST(PlanEauStudio, LiesInTheFloatingWaterplane) {
  TDocument d;
  // Level: the plane at the draft above the keel, everywhere.
  Barge(d, 0);
  TPlanEauStudio p = PlanEauStudio(d, true, -5, 5, -3, 13);
  for (const TVertex3f& c : p.Coins) EXPECT_NEAR(c.Z, -1 + T, 1e-6);
  EXPECT_NEAR(p.Normale.Z, 1, 1e-9);

  // Trimmed by the bow: the plane rises aft at the wall-sided slope and crosses mid-length at
  // the mean draft; the normal leans by the trim.
  const double t = PenteParoisDroites(0.3);
  Barge(d, 0.3);
  p = PlanEauStudio(d, true, -5, 5, -3, 13);
  const TVertex3f &a = p.Coins[0], &b = p.Coins[3];  // x0 at y0, then x0 at y1
  const double pente = (b.Z - a.Z) / (b.Y - a.Y);
  EXPECT_NEAR(std::abs(pente), t, 1e-6);
  EXPECT_GT(pente, 0);  // the bow, where G is, sinks: the water stands higher on it
  EXPECT_NEAR(a.Z + pente * (L / 2 - a.Y), -1 + T, 1e-6);
  EXPECT_NEAR(std::abs(p.Normale.Y), t / std::sqrt(1 + t * t), 1e-6);
  // The four corners in one plane: the other side's pair at the same heights.
  EXPECT_NEAR(p.Coins[1].Z, a.Z, 1e-9);
  EXPECT_NEAR(p.Coins[2].Z, b.Z, 1e-9);
}

}  // namespace
