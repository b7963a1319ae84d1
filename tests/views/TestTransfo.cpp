// Transformations of whole surfaces and the hull dimensions, checked coordinate by
// coordinate against the transformation written out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "Aide.h"
#include "edition/Annuler.h"
#include "edition/Taille.h"
#include "edition/Transfo.h"
#include "session/ObjCom.h"

namespace {

// Two surfaces side by side: a NURBS net at x in [1, 2] and a mesh at x in [3, 4], the
// first symmetric about x = 0.5 with an attached weight, the mesh not symmetric.
struct Modele {
  EnregistreMessages Messages;
  TDocument Doc;
  Modele() {
    Doc.Vider();
    Doc.Precision = 8;
    auto s = std::make_unique<TSurface>(0, Doc.Precision);
    s->Nom = "Net";
    s->Net.NbLn = 3, s->Net.NbCol = 4;
    s->Net.LFlex = s->Net.CFlex = 3;
    for (int i = 0; i < 3; i++)
      for (int j = 0; j < 4; j++)
        s->Net.PC[i][j] = {1 + i / 2.0, 2.0 * j, 0.3 * i - 0.5 + 0.1 * j, 1 + 0.1 * i};
    s->PlanSym.Origine = {0.5, 3, 0};  // its mirror half at x from -1 to 0
    s->PlanSym.MajPlan();
    Doc.TabSurf.push_back(std::move(s));
    auto m = std::make_unique<TDXFSurface>(1, 3, 2);
    m->Nom = "Maille";
    for (int i = 0; i < 2; i++)
      for (int j = 0; j < 3; j++) m->Pts[size_t(i)][size_t(j)] = {3.0 + i, 1.0 * j, 0.2 * j};
    m->Sym = false;
    m->PlanSym.Origine = {3.5, 1, 0.2};
    m->PlanSym.MajPlan();
    Doc.TabSurf.push_back(std::move(m));
    for (auto& e : Doc.TabSurf) e->CreateTabCoupes(0, 0, 0, 0);
    TPoids p;
    p.Nom = "Moteur", p.Masse = 100, p.X = 1.2, p.Y = 2, p.Z = 0.4, p.Surface = 0;
    Doc.ListePoids.push_back(p);
    MajSurface(Doc, true, -1);
  }
  TSurface& N() { return *Doc.SurfNurbs(0); }
  TEntity& M() { return Doc.Surf(1); }
};

TEST(Transformations, ResizeTo200PercentInXKeepsOrNotTheRelativePositions) {
  Modele a, b;
  const TSurface avant = a.N();
  const TArrayVertex3f maille = a.M().Pts;
  ASSERT_TRUE(RedimSurfaces(a.Doc, {0, 1}, {2, 1, 1}, true));
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 4; j++) {
      EXPECT_DOUBLE_EQ(a.N().Net.PC[i][j].X, 2 * avant.Net.PC[i][j].X);
      EXPECT_DOUBLE_EQ(a.N().Net.PC[i][j].Y, avant.Net.PC[i][j].Y);
      EXPECT_EQ(a.N().Net.PC[i][j].W, avant.Net.PC[i][j].W);
    }
  EXPECT_DOUBLE_EQ(a.M().Pts[1][2].X, 2 * maille[1][2].X);
  EXPECT_DOUBLE_EQ(a.N().PlanSym.Origine.X, 1);
  EXPECT_DOUBLE_EQ(a.M().PlanSym.Origine.X, 7);
  EXPECT_EQ(a.Doc.ListePoids[0].X, 1.2);  // weights never follow a resize
  // In place: each about its own base origin, which stays.
  ASSERT_TRUE(RedimSurfaces(b.Doc, {0, 1}, {2, 1, 1}, false));
  EXPECT_DOUBLE_EQ(b.N().Net.PC[2][1].X, 0.5 + 2 * (avant.Net.PC[2][1].X - 0.5));
  EXPECT_DOUBLE_EQ(b.M().Pts[0][0].X, 3.5 + 2 * (maille[0][0].X - 3.5));
  EXPECT_DOUBLE_EQ(b.N().PlanSym.Origine.X, 0.5);
  EXPECT_FALSE(b.N().Calculee);
}

TEST(Transformations, AResizeFactorAtOrBelowZeroIsRefusedAndChangesNothing) {
  Modele a;
  const TSurface avant = a.N();
  for (TVertex3f f : {TVertex3f{0, 1, 1}, TVertex3f{1, -2, 1}, TVertex3f{1, 1, std::nan("")}}) {
    EXPECT_FALSE(RedimSurfaces(a.Doc, {0, 1}, f, true));
    EXPECT_EQ(a.N().Net.PC[1][1], avant.Net.PC[1][1]);
    EXPECT_EQ(a.N().PlanSym.Origine, avant.PlanSym.Origine);
  }
}

TEST(Transformations, SizesCountTheMirrorHalfOfASymmetricSurfaceOnly) {
  Modele a;
  const std::vector<TDim> d = DimsSurfaces(a.Doc);
  // The net spans x from 1 to 2 and is symmetric about x = 0.5: its mirror reaches x = -1.
  EXPECT_NEAR(d[0].Min[0], -1, 1e-5);
  EXPECT_NEAR(d[0].Max[0], 2, 1e-5);
  EXPECT_NEAR(d[1].Min[0], 3, 1e-6);
  EXPECT_NEAR(d[1].Max[0], 4, 1e-6);
  const TTailleSelection t = TailleSelection(d, {1});
  EXPECT_NEAR(t.Taille(0), 1, 1e-6);
  EXPECT_NEAR(t.Taille(1), 2, 1e-6);
  const TTailleSelection rien = TailleSelection(d, {});
  for (int k = 0; k < 3; k++) EXPECT_EQ(rien.Taille(k), 0);
  // A zero size gives a factor of 1 whatever the target.
  const double cible[3] = {2, 5, 7};
  const TVertex3f f = FacteursTaille(cible, rien);
  EXPECT_EQ(f, (TVertex3f{1, 1, 1}));
  const TVertex3f g = FacteursTaille(cible, t);
  EXPECT_NEAR(g.X, 2, 1e-5);
  EXPECT_NEAR(g.Y, 2.5, 1e-5);
}

TEST(Transformations, TranslationMovesSurfacesEvenWhenOnlyTheBaseIsAsked) {
  Modele a;
  const TSurface avant = a.N();
  TranslationSurfaces(a.Doc, {0}, {0.5, -1, 2}, {.Poids = true, .PlanSym = true, .PlanSymSeul = true});
  EXPECT_DOUBLE_EQ(a.N().Net.PC[2][3].X, avant.Net.PC[2][3].X + 0.5);
  EXPECT_DOUBLE_EQ(a.N().Net.PC[2][3].Z, avant.Net.PC[2][3].Z + 2);
  EXPECT_EQ(a.N().PlanSym.Origine, (TVertex3f{1, 2, 2}));
  EXPECT_DOUBLE_EQ(a.N().PlanSym.D, -1);  // the plane x = 1
  EXPECT_DOUBLE_EQ(a.Doc.ListePoids[0].Y, 1);
  // Without the weights and the base, only the surface moves.
  TranslationSurfaces(a.Doc, {0}, {1, 0, 0}, {.Poids = false, .PlanSym = false});
  EXPECT_DOUBLE_EQ(a.Doc.ListePoids[0].X, 1.7);
  EXPECT_EQ(a.N().PlanSym.Origine.X, 1);
}

TEST(Transformations, RotatingOnlyTheBaseTurnsItAboutTheCentreAndKeepsItsAxesSquare) {
  Modele a;
  const TSurface avant = a.N();
  const TVertex3f c{0, 1, 0};
  RotationSurfaces(a.Doc, {0}, c, {0, 0, 90}, {.Poids = true, .PlanSym = true, .PlanSymSeul = true});
  EXPECT_EQ(a.N().Net.PC[1][2], avant.Net.PC[1][2]);
  // (0.5, 3, 0) turned 90 degrees about Z through (0, 1, 0): (-2, 1.5, 0).
  const TPlanSym& b = a.N().PlanSym;
  EXPECT_NEAR(b.Origine.X, -2, 1e-12);
  EXPECT_NEAR(b.Origine.Y, 1.5, 1e-12);
  EXPECT_NEAR(b.Axe1.Y, 1, 1e-12);
  EXPECT_NEAR(ProduitScalaire(b.Axe1, b.Axe2), 0, 1e-12);
  EXPECT_NEAR(ProduitScalaire(b.Axe2, b.Axe3), 0, 1e-12);
  EXPECT_NEAR(Norme(b.Axe2), 1, 1e-12);
  // The weight (1.2, 2, 0.4) turns too: (-1, 2.2, 0.4).
  EXPECT_NEAR(a.Doc.ListePoids[0].X, -1, 1e-12);
  EXPECT_NEAR(a.Doc.ListePoids[0].Y, 2.2, 1e-12);
  // The whole surface: a vertex turns like a hand-computed point.
  RotationSurfaces(a.Doc, {0}, c, {90, 0, 0}, {});
  const TPtNet &p = a.N().Net.PC[1][2], &q = avant.Net.PC[1][2];
  // About X through c: (x, y, z) -> (x, 1 - z, y - 1).
  EXPECT_NEAR(p.X, q.X, 1e-12);
  EXPECT_NEAR(p.Y, 1 - q.Z, 1e-12);
  EXPECT_NEAR(p.Z, q.Y - 1, 1e-12);
  EXPECT_EQ(p.W, q.W);
}

TEST(Transformations, BothMirrorsNegateXThenZOfSurfacesBasesAndWeights) {
  Modele a;
  const TSurface avant = a.N();
  const TArrayVertex3f maille = a.M().Pts;
  MiroirSurfaces(a.Doc, {0, 1}, true, true, {});
  EXPECT_EQ(a.N().Net.PC[2][1].X, -avant.Net.PC[2][1].X);
  EXPECT_EQ(a.N().Net.PC[2][1].Y, avant.Net.PC[2][1].Y);
  EXPECT_EQ(a.N().Net.PC[2][1].Z, -avant.Net.PC[2][1].Z);
  EXPECT_EQ(a.M().Pts[1][2], (TVertex3f{-maille[1][2].X, maille[1][2].Y, -maille[1][2].Z}));
  EXPECT_EQ(a.N().PlanSym.Origine, (TVertex3f{-0.5, 3, 0}));
  EXPECT_EQ(a.N().PlanSym.Axe1, (TVertex3f{-1, 0, 0}));
  EXPECT_EQ(a.Doc.ListePoids[0].X, -1.2);
  EXPECT_EQ(a.Doc.ListePoids[0].Z, -0.4);
  // Only the base: the surface stays.
  MiroirSurfaces(a.Doc, {1}, false, true, {.Poids = true, .PlanSym = true, .PlanSymSeul = true});
  EXPECT_EQ(a.M().Pts[1][2].X, -maille[1][2].X);
  EXPECT_EQ(a.M().PlanSym.Origine.X, 3.5);
}

TEST(Transformations, UndoRestoresATransformedSurfaceExactly) {
  Modele a;
  const TSurface n0 = a.N();
  const TArrayVertex3f m0 = a.M().Pts;
  const TPlanSym b0 = a.N().PlanSym;
  const TListPoids p0 = a.Doc.ListePoids;
  TAnnulation u;
  u.Enregistre(a.Doc);
  RotationSurfaces(a.Doc, {0, 1}, {0.3, 0.7, 0.1}, {12.5, -33, 71}, {});
  RedimSurfaces(a.Doc, {0, 1}, {1.3, 0.7, 2.1}, true);
  MiroirSurfaces(a.Doc, {0, 1}, true, false, {});
  ASSERT_NE(a.N().Net.PC[1][1], n0.Net.PC[1][1]);
  ASSERT_TRUE(u.Annuler(a.Doc));
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 4; j++) EXPECT_EQ(a.N().Net.PC[i][j], n0.Net.PC[i][j]);
  EXPECT_EQ(a.M().Pts, m0);
  EXPECT_EQ(a.N().PlanSym.Origine, b0.Origine);
  EXPECT_EQ(a.N().PlanSym.Axe2, b0.Axe2);
  EXPECT_EQ(a.Doc.ListePoids, p0);
}

TEST(HullDimensions, ExtremesOfTheChosenSurfacesAndTheirTexts) {
  Modele a;
  // Nothing chosen: every value shown is 0.
  for (const auto& g : GroupesTaille(CalcDimensionsCoque(a.Doc, {})))
    for (const auto& l : g.Lignes) EXPECT_NE(l.find("=0.0000"), std::string::npos) << l;
  // The mesh lies at z from 0 to 0.4: no depth below the waterline.
  const TDimensionsCoque d = CalcDimensionsCoque(a.Doc, {1});
  EXPECT_EQ(d.Pt[0], (TVertex3f{3, 0, 0}));
  EXPECT_NEAR(d.Pt[3].Y, 2, 1e-9);
  const auto g = GroupesTaille(d);
  ASSERT_EQ(g.size(), 9u);
  EXPECT_EQ(g[0].Titre, "Min largeur X");
  EXPECT_EQ(g[0].Lignes[0], "Min X=3.0000");
  EXPECT_EQ(g[6].Lignes[0], "Longueur=2.0000");
  EXPECT_EQ(g[6].Lignes[1], "Largeur=1.0000");
  EXPECT_EQ(g[7].Lignes[0], "Hauteur max=0.4000");
  EXPECT_EQ(g[7].Lignes[1], "Profondeur max=0.0000");
  // Both: the symmetric net brings its mirror half and its depth.
  const TDimensionsCoque t = CalcDimensionsCoque(a.Doc, {0, 1});
  EXPECT_NEAR(t.Pt[0].X, -1, 1e-5);
  EXPECT_LT(t.Pt[4].Z, 0);
  EXPECT_EQ(GroupesTailleImpression(t)[0].Cle, "rsGBDimCaption");
  EXPECT_EQ(GroupesTailleImpression(t)[3].Cle, "rsGBMaxXCaption");
}

}  // namespace
