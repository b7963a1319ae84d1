// Dimensions, reference marks and flooding points as the views draw them, and the hull
// dimensions of chosen surfaces.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "edition/Affiche.h"
#include "edition/Cadrage.h"
#include "edition/Mesures.h"
#include "session/ObjCom.h"

namespace {

constexpr int Coul = 0x123456;  // the "Mesure" colour, unique to what is checked

struct Vues {
  TDocument Doc;
  TAffichageVues Aff;
  TOptionsVues Opt;
  TGrilleVue Grille;
  TTableVertex Tab;
  TListeDessin L;
  Vues() {
    Aff = {};
    Aff.Axes = Aff.Carene = Aff.Reseau = Aff.Poids = Aff.CentreVoilure = false;
    Opt.Mesure = Coul;
  }
  static TParamVue Param(int type) {
    TParamVue v = TCadrage(type, 800, 600).Param;  // the view's own angles
    v.Echelle = 50, v.OrigineX = 300, v.OrigineY = 200;
    return v;
  }
  const TListeDessin& Trace(int type) {
    L.Vider();
    AfficheNetOne({Doc, Aff, Opt, Grille, Tab, 0, 0}, Param(type), L);
    return L;
  }
  int Compte(TFigure f) const {
    return static_cast<int>(std::count_if(L.Elements.begin(), L.Elements.end(), [&](const TElement& e) {
      return e.Figure == f && e.Stylo.Couleur == Coul;
    }));
  }
  std::vector<std::string> Textes() const {
    std::vector<std::string> t;
    for (const auto& e : L.Elements)
      if (e.Figure == TFigure::Texte) t.push_back(L.Textes[e.Texte]);
    return t;
  }
  // The longest polyline drawn (a radius's circle has 101 points).
  uint32_t PlusLonguePolyligne() const {
    uint32_t n = 0;
    for (const auto& e : L.Elements)
      if (e.Figure == TFigure::Polyligne) n = std::max(n, e.Nombre);
    return n;
  }
};

TCote Cote(TGenreMesure g, int vue, TVertex3f a, TVertex3f b, TVertex3f apex = {}) {
  TCote c;
  c.Outil.Genre = g, c.Outil.Vue = vue, c.Outil.Point1 = a, c.Outil.Point3 = b, c.Outil.Point2 = apex;
  c.Outil.Etape = 2;
  c.Genre = GenreCote(g);
  return c;
}

TEST(DessinCotes, EachInItsOwnViewAndAllInThePerspective) {
  Vues v;
  // A 3-4-5 distance in the profile view (X = 0).
  v.Doc.ListeCotes.push_back(Cote(gmMetre, tvProfil, {0, 1, 1}, {0, 4, 5}));
  for (int t : {tvSection, tvPlan}) {
    v.Trace(t);
    EXPECT_TRUE(v.Textes().empty()) << t;
  }
  for (int t : {tvProfil, tvPersp}) {
    v.Trace(t);
    // The value is the 3D distance, whatever the view.
    EXPECT_EQ(v.Textes(), std::vector<std::string>{"5.000 m"}) << t;
    EXPECT_EQ(v.Compte(TFigure::Ellipse), 2) << "a marker at each end";
  }
  v.Aff.Cotes = false;
  v.Trace(tvProfil);
  EXPECT_TRUE(v.Textes().empty());
}

TEST(DessinCotes, ARadiusCircleLiesInThePlaneOfItsView) {
  Vues v;
  v.Doc.ListeCotes.push_back(Cote(gmRayon, tvPlan, {1, 2, 0}, {1, 3, 0}));
  v.Trace(tvPlan);
  ASSERT_EQ(v.PlusLonguePolyligne(), 101u);
  // In the plan view at scale 50 the circle of radius 1 m is 50 pixels around the centre.
  TPixel c;
  Pt3DVersEcran({1, 2, 0}, c, Vues::Param(tvPlan));
  for (const auto& e : v.L.Elements)
    if (e.Figure == TFigure::Polyligne && e.Nombre == 101)
      for (uint32_t i = 0; i < e.Nombre; i++) {
        const TPixel& p = v.L.Points[e.Debut + i];
        EXPECT_NEAR(std::hypot(p.X - c.X, p.Y - c.Y), 50, 1.0);
      }
  v.Trace(tvPersp);
  EXPECT_EQ(v.PlusLonguePolyligne(), 101u) << "projected in perspective";
  // Made in the perspective view: no plane, no circle.
  v.Doc.ListeCotes = {Cote(gmRayon, tvPersp, {1, 2, 0}, {1, 3, 0})};
  v.Trace(tvPersp);
  EXPECT_LT(v.PlusLonguePolyligne(), 101u);
  EXPECT_EQ(v.Textes(), std::vector<std::string>{"1.000 m"});
}

TEST(DessinCotes, AnAngleArcSpansTheSideItTurnsTo) {
  Vues v;
  const TParamVue p = Vues::Param(tvProfil);
  // Apex at the origin, first arm along +Y (right on the screen), second arm up or down.
  for (double z : {1.0, -1.0}) {
    v.Doc.ListeCotes = {Cote(gmAngle, tvProfil, {0, 1, 0}, {0, 0, z}, {0, 0, 0})};
    v.Trace(tvProfil);
    ASSERT_EQ(v.Textes(), std::vector<std::string>{z > 0 ? "90.00 °" : "-90.00 °"});
    TPixel apex;
    Pt3DVersEcran({0, 0, 0}, apex, p);
    // The arc is the polyline whose points lie 10 pixels from the apex; its middle point
    // bisects the angle: up-right for +90°, down-right for -90°.
    bool vu = false;
    for (const auto& e : v.L.Elements) {
      if (e.Figure != TFigure::Polyligne) continue;
      const TPixel& m = v.L.Points[e.Debut + e.Nombre / 2];
      EXPECT_NEAR(std::hypot(m.X - apex.X, m.Y - apex.Y), 10, 1.0);
      EXPECT_GT(m.X, apex.X + 5);
      EXPECT_EQ(m.Y<apex.Y, z> 0) << z;
      vu = true;
    }
    EXPECT_TRUE(vu);
  }
}

TEST(DessinReperes, CrossesForMarksCirclesForFloodingPoints) {
  Vues v;
  v.Doc.ListeReperes.push_back({"Mât", 1, 2, 0});
  v.Doc.ListeReperesEnv.push_back({{"Descente", -1, 0, 0}});
  const TParamVue p = Vues::Param(tvPlan);
  TPixel a, b;
  Pt3DVersEcran({1, 2, 0}, a, p);
  Pt3DVersEcran({-1, 0, 0}, b, p);
  v.Trace(tvPlan);
  std::vector<std::pair<TPixel, TPixel>> segs;
  for (const auto& e : v.L.Elements)
    if (e.Figure == TFigure::Segment && e.Stylo.Couleur == Coul)
      segs.push_back({v.L.Points[e.Debut], v.L.Points[e.Debut + 1]});
  ASSERT_EQ(segs.size(), 2u);
  EXPECT_EQ(segs[0].first, (TPixel{a.X - 2, a.Y - 2}));
  EXPECT_EQ(segs[0].second, (TPixel{a.X + 4, a.Y + 4}));
  EXPECT_EQ(segs[1].first, (TPixel{a.X - 2, a.Y + 3}));
  ASSERT_EQ(v.Compte(TFigure::Ellipse), 1);
  for (const auto& e : v.L.Elements)
    if (e.Figure == TFigure::Ellipse) {
      EXPECT_EQ(v.L.Points[e.Debut], (TPixel{b.X - 5, b.Y - 5}));
      EXPECT_EQ(v.L.Points[e.Debut + 1], (TPixel{b.X + 6, b.Y + 6}));
    }
  v.Aff.Reperes = v.Aff.PtsEnvahissement = false;
  v.Trace(tvPlan);
  EXPECT_TRUE(v.L.Elements.empty());
}

}  // namespace
