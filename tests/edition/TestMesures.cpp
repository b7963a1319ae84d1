// The measuring tools: values from clicks in a view, the angle's two-arm gesture,
// and the refusal in the perspective view.
#include <gtest/gtest.h>

#include "edition/Cadrage.h"
#include "edition/Mesures.h"

namespace {

TParamVue Vue(int type, float echelle) {
  TParamVue v;
  v.Type = type;
  v.Echelle = echelle;
  v.OrigineX = 200, v.OrigineY = 150;
  return v;
}

TEST(Mesures, DistanceFromTwoClicksInThePlanView) {
  const TParamVue v = Vue(tvPlan, 50);
  TGesteMesure g(gmMetre);
  g.Appui(CalculePt3DInv(v, 120, 80, 0), v);
  g.Deplace(CalculePt3DInv(v, 170, 80, 0), v);
  EXPECT_EQ(g.M.Texte, "1.000 m");
  ASSERT_TRUE(g.Relache(CalculePt3DInv(v, 220, 80, 0), v));
  EXPECT_EQ(g.M.Texte, "2.000 m");
  EXPECT_EQ(TexteStatusMesure(g.M), "Mesure :2.000 m");
  EXPECT_EQ(g.M.Vue, tvPlan);
  EXPECT_EQ(g.Etat, TGesteMesure::Libre);
  // A 3-4-5 triangle in the section view at scale 100: 300 and 400 pixels.
  const TParamVue s = Vue(tvSection, 100);
  TGesteMesure r(gmRayon);
  r.Appui(CalculePt3DInv(s, 0, 0, 0), s);
  ASSERT_TRUE(r.Relache(CalculePt3DInv(s, 300, 400, 0), s));
  EXPECT_EQ(r.M.Texte, "5.000 m");
  EXPECT_EQ(GenreCote(gmRayon), "Rayon");
}

TEST(Mesures, AngleInTwoArmsAndItsReset) {
  const TParamVue v = Vue(tvProfil, 50);
  auto pt = [&](int x, int y) { return CalculePt3DInv(v, x, y, 0); };
  TGesteMesure g(gmAngle);
  // First arm: press at its end, drag to the apex, release.
  g.Appui(pt(300, 150), v);
  EXPECT_FALSE(g.Relache(pt(300, 150), v)) << "a click without a drag places no arm";
  EXPECT_EQ(g.M.Etape, 1);
  g.Deplace(pt(200, 150), v);
  EXPECT_FALSE(g.Relache(pt(200, 150), v));
  EXPECT_EQ(g.M.Etape, 2);
  // Second arm: upwards on the screen, a quarter turn counter-clockwise.
  g.Appui(pt(200, 150), v);
  g.Deplace(pt(200, 50), v);
  ASSERT_TRUE(g.Relache(pt(200, 50), v));
  EXPECT_EQ(g.M.Texte, "90.00 °");
  // The other way round, the angle is negative.
  TGesteMesure h(gmAngle);
  h.Appui(pt(300, 150), v), h.Deplace(pt(200, 150), v), h.Relache(pt(200, 150), v);
  h.Appui(pt(200, 150), v), h.Deplace(pt(200, 250), v);
  ASSERT_TRUE(h.Relache(pt(200, 250), v));
  EXPECT_EQ(h.M.Texte, "-90.00 °");

  // Half placed, then the mode changes: the next press starts a new angle.
  TGesteMesure k(gmAngle);
  k.Appui(pt(300, 150), v), k.Deplace(pt(200, 150), v), k.Relache(pt(200, 150), v);
  ASSERT_EQ(k.Etat, TGesteMesure::EnCours);
  k.Reinitialise();
  k.Appui(pt(10, 10), v);
  EXPECT_EQ(k.M.Etape, 1);
  EXPECT_EQ(k.M.Point1, pt(10, 10));
  EXPECT_EQ(k.M.Point2, pt(10, 10));
}

TEST(Mesures, NoneInThePerspectiveView) {
  EXPECT_FALSE(MesurePossible(Vue(tvPersp, 50)));
  for (int t : {tvSection, tvPlan, tvProfil}) EXPECT_TRUE(MesurePossible(Vue(t, 50))) << t;
}

}  // namespace
