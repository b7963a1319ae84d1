// The floating position against the closed forms of a wall-sided box barge, and the
// hydrostatics of a hull placed at an attitude against sections clipped in the test.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "naval/Barge.h"
#include "naval/Flottaison.h"

namespace {

constexpr double Rho = 1.026;
constexpr double Deg = 180 / std::numbers::pi;

// A closed box of breadth 2 b, length l from Y = 0, keel at Z = -t0, deck at Z = creux.
struct TBoite {
  double b = 1, l = 10, t0 = 1, creux = 1;
  TDocument doc;
  TBoite() {
    doc.Vider();
    AjouteBarge(doc, b, l, t0, creux, 4);
  }
  TListSurf Portee() const { return {0}; }
};

// Root of t (T' + t² L²/(24 T) - KG... ) = offset with T' = L²/(12 T) + T/2: the wall-sided
// balance of a box trimmed (or heeled, with the breadth for L) by atan(t), by bisection.
double PenteParoisDroites(double L, double T, double KG, double ecart) {
  auto f = [&](double t) { return t * (L * L / (12 * T) + T / 2 + t * t * L * L / (24 * T) - KG) - ecart; };
  double a = 0, b = 1;
  if (ecart < 0) a = -1, b = 0;
  for (int i = 0; i < 200; i++) {
    const double m = (a + b) / 2;
    ((f(m) > 0) == (f(b) > 0) ? b : a) = m;
  }
  return (a + b) / 2;
}

// The depth of the waterline above a model point, measured along the model's Z (square to a
// flat bottom): from the floating position's matrix, whatever produced it.
double ProfondeurSous(const TMatrice4& m, const TVertex3f& p) {
  const double z = m[2][0] * p.X + m[2][1] * p.Y + m[2][2] * p.Z + m[2][3];
  return -z / m[2][2];
}

TEST(Flottaison, BoxWithLongitudinalOffsetTrimsToTheWallSidedAngle) {
  TBoite bx;
  const double T = 0.8, KG = 1.2, lcg = 0.3, B = 2 * bx.b, L = bx.l;
  TConditionFlottaison c;
  c.Poids = {{0, L / 2 + lcg, -bx.t0 + KG}, Rho * L * B * T * 1000};
  c.Densite = Rho;
  const TResultatFlottaison r = Flotte(bx.doc, bx.Portee(), c);
  ASSERT_TRUE(r.Converge) << r.Erreur;
  const double t = PenteParoisDroites(L, T, KG, lcg);
  // Nothing of the wall-sided hypothesis is broken: both ends wet, no deck edge under water.
  ASSERT_GT(T - t * L / 2, 0);
  ASSERT_LT(T + t * L / 2, bx.t0 + bx.creux);
  EXPECT_NEAR(std::abs(r.Attitude.Assiette), std::atan(t) * Deg, 1e-4);
  EXPECT_NEAR(r.Attitude.Gite, 0, 1e-4);
  EXPECT_NEAR(ProfondeurSous(r.Placement, {0, L / 2, -bx.t0}), T, 1e-5);
  // The end nearer G goes down; drafts along the centre plane from the keel at the waterline's ends.
  EXPECT_NEAR(r.YArriere, 0, 1e-9);
  EXPECT_NEAR(r.YAvant, L, 1e-9);
  EXPECT_NEAR(r.TirantArriere, T - t * L / 2, 1e-5);
  EXPECT_NEAR(r.TirantAvant, T + t * L / 2, 1e-5);
  EXPECT_NEAR(r.AssietteMetres, t * L, 1e-5);
  EXPECT_NEAR(r.TirantMoyen, T, 1e-5);
  EXPECT_NEAR(r.Carene.Valeur, c.Poids.Valeur, 1e-6 * c.Poids.Valeur);
  EXPECT_LT(std::hypot(r.ResiduLongitudinal, r.ResiduTransversal), 1e-8);
  // The deck edge's lowest point is the forward end's: depth minus the draft there.
  ASSERT_TRUE(r.AvecLivet);
  EXPECT_NEAR(r.FrancBordLivet, (bx.t0 + bx.creux - (T + t * L / 2)) * std::cos(std::atan(t)), 1e-5);
}

TEST(Flottaison, BoxWithTransverseOffsetHeelsToTheWallSidedAngle) {
  TBoite bx;
  const double T = 0.8, KG = 0.6, tcg = 0.05, B = 2 * bx.b, L = bx.l;
  TConditionFlottaison c;
  c.Poids = {{tcg, L / 2, -bx.t0 + KG}, Rho * L * B * T * 1000};
  const TResultatFlottaison r = Flotte(bx.doc, bx.Portee(), c);
  ASSERT_TRUE(r.Converge) << r.Erreur;
  const double t = PenteParoisDroites(B, T, KG, tcg);
  ASSERT_GT(T - t * B / 2, 0);
  ASSERT_LT(T + t * B / 2, bx.t0 + bx.creux);
  EXPECT_NEAR(std::abs(r.Attitude.Gite), std::atan(t) * Deg, 1e-4);
  EXPECT_NEAR(r.Attitude.Assiette, 0, 1e-4);
  EXPECT_NEAR(ProfondeurSous(r.Placement, {0, L / 2, -bx.t0}), T, 1e-5);
  // The side of G is the low one, by the wall-sided rise of the side.
  EXPECT_NEAR(ProfondeurSous(r.Placement, {bx.b, L / 2, -bx.t0}), T + t * B / 2, 1e-5);
  EXPECT_NEAR(ProfondeurSous(r.Placement, {-bx.b, L / 2, -bx.t0}), T - t * B / 2, 1e-5);
}

TEST(Flottaison, HeldHeelLeavesTheTransverseOffsetAsResidual) {
  TBoite bx;
  const double T = 0.8, L = bx.l;
  TConditionFlottaison c;
  c.Poids = {{0.05, L / 2, -0.4}, Rho * L * 2 * T * 1000};
  c.GiteImposee = true;
  c.Gite = 0;
  const TResultatFlottaison r = Flotte(bx.doc, bx.Portee(), c);
  ASSERT_TRUE(r.Converge) << r.Erreur;
  EXPECT_EQ(r.Attitude.Gite, 0);
  EXPECT_NEAR(r.Attitude.Assiette, 0, 1e-6);
  EXPECT_NEAR(r.ResiduTransversal, -0.05, 1e-9);  // upright, B on the centre plane
  EXPECT_NEAR(ProfondeurSous(r.Placement, {0, L / 2, -bx.t0}), T, 1e-9);

  // Held at 5 degrees: that heel, B under G lengthwise, the volume kept.
  c.Gite = 5;
  const TResultatFlottaison h = Flotte(bx.doc, bx.Portee(), c);
  ASSERT_TRUE(h.Converge) << h.Erreur;
  EXPECT_EQ(h.Attitude.Gite, 5);
  EXPECT_NEAR(h.Carene.Valeur, c.Poids.Valeur, 1e-6 * c.Poids.Valeur);
}

TEST(Flottaison, RefusesWhatCannotFloat) {
  TBoite bx;
  TConditionFlottaison c;
  c.Poids = {{0, 5, 0}, 0};
  EXPECT_FALSE(Flotte(bx.doc, bx.Portee(), c).Erreur.empty());
  // Heavier than the whole box full of water.
  c.Poids.Valeur = Rho * 10 * 2 * 2 * 1000 * 1.01;
  const TResultatFlottaison r = Flotte(bx.doc, bx.Portee(), c);
  EXPECT_FALSE(r.Converge);
  EXPECT_FALSE(r.Erreur.empty());
}

// The area and centroid of the box section (2 b x (t0 + creux)) below the water when heeled by
// phi about the point of the centre plane at height h above the keel: a polygon clipped here.
std::pair<double, std::pair<double, double>> SectionInclinee(double b, double d, double h, double phi) {
  std::vector<std::pair<double, double>> r{{-b, -h}, {b, -h}, {b, d - h}, {-b, d - h}}, s;
  for (auto& [x, z] : r) {
    const double xr = x * std::cos(phi) - z * std::sin(phi), zr = x * std::sin(phi) + z * std::cos(phi);
    x = xr, z = zr;
  }
  for (size_t i = 0; i < r.size(); i++) {
    const auto &p = r[i], &q = r[(i + 1) % r.size()];
    if (p.second <= 0) s.push_back(p);
    if ((p.second < 0) != (q.second < 0)) {
      const double k = p.second / (p.second - q.second);
      s.push_back({p.first + k * (q.first - p.first), 0});
    }
  }
  double a = 0, sx = 0, sz = 0;
  for (size_t i = 0; i < s.size(); i++) {
    const auto &p = s[i], &q = s[(i + 1) % s.size()];
    const double e = p.first * q.second - q.first * p.second;
    a += e, sx += (p.first + q.first) * e, sz += (p.second + q.second) * e;
  }
  return {std::abs(a) / 2, {sx / (3 * a), sz / (3 * a)}};
}

TEST(Flottaison, HydrostaticsAtAnAttitude) {
  TBoite bx;
  for (double phi : {10.0, 25.0}) {
    // The waterline 0.2 below the model's Z = 0 at mid-length: 0.8 above the keel.
    const TAttitude a{-0.2, 0, phi, YMilieuPortee(bx.doc, bx.Portee())};
    ASSERT_EQ(a.YRef, bx.l / 2);
    const TResultatsHydro h = HydroAttitude(bx.doc, bx.Portee(), a, 21);
    const auto [aire, c] = SectionInclinee(bx.b, bx.t0 + bx.creux, bx.t0 - 0.2, phi / Deg);
    EXPECT_NEAR(h.P.V, aire * bx.l, 1e-9) << phi;
    EXPECT_NEAR(std::abs(h.P.CC.X), std::abs(c.first), 1e-9) << phi;
    EXPECT_NEAR(h.P.CC.Z, c.second, 1e-9) << phi;
    EXPECT_NEAR(h.P.CC.Y, bx.l / 2, 1e-9) << phi;
  }
  // The model itself never moves.
  EXPECT_EQ(bx.doc.Surf(0).Pts[0][0].Z, -bx.t0);
}

TEST(Flottaison, NoAttitudeIsTheHullAsDrawn) {
  TBoite bx;
  const TResultatsHydro a = HydroAttitude(bx.doc, bx.Portee(), {0, 0, 0, 5}, 21);
  const TResultatsHydro d = CalcHydrostatiques(bx.doc, bx.Portee(), 21);
  ASSERT_EQ(a.Lignes.size(), d.Lignes.size());
  for (size_t i = 0; i < a.Lignes.size(); i++)
    EXPECT_EQ(a.Lignes[i].Valeur, d.Lignes[i].Valeur) << a.Lignes[i].Libelle;
}

}  // namespace
