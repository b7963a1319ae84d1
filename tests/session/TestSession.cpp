// The session's updates: extents of any size, the display toggles and their guard.
#include <gtest/gtest.h>

#include "session/ObjCom.h"

namespace {

// The default surface moved by (dx, dy, dz) and scaled by k: a model of any size or unit.
void Deplace(TDocument& doc, double k, double dx, double dy, double dz) {
  TSurface* s = doc.SurfNurbs(0);
  ASSERT_NE(s, nullptr);
  for (int i = 0; i < s->Net.NbLn; i++)
    for (int j = 0; j < s->Net.NbCol; j++) {
      TPtNet& p = s->Net.PC[i][j];
      p.X = p.X * k + dx, p.Y = p.Y * k + dy, p.Z = p.Z * k + dz;
    }
  s->MarqueNonCalculee();
  MajSurface(doc, true, -1);
  MajMinMaxAllNet(doc, false);
}

TEST(Extents, AModelBeyondTenKilometresGetsItsOwnExtents) {
  TDocument petit, grand;
  petit.InitDefaut();
  grand.InitDefaut();
  Deplace(petit, 1, 0, 0, 0);
  Deplace(grand, 1, 0, 30000, 15000);  // X stays: the surface is mirrored in x = 0
  // Shifted, the extents shift with it: nothing is held at +-10000.
  EXPECT_NEAR(grand.SurfXMin, petit.SurfXMin, 1e-6);
  EXPECT_NEAR(grand.SurfYMin, petit.SurfYMin + 30000, 1e-6);
  EXPECT_NEAR(grand.SurfYMax, petit.SurfYMax + 30000, 1e-6);
  EXPECT_NEAR(grand.SurfZMax, petit.SurfZMax + 15000, 1e-6);
  EXPECT_NEAR(grand.NetYMin, petit.NetYMin + 30000, 1e-6);
  EXPECT_NEAR(grand.NetZMin, petit.NetZMin + 15000, 1e-6);
  EXPECT_NEAR(grand.Surf(0).PtYMin.Y, petit.Surf(0).PtYMin.Y + 30000, 1e-6);
  EXPECT_NEAR(grand.Surf(0).PtZMin.Z, petit.Surf(0).PtZMin.Z + 15000, 1e-6);
  // Drawn in millimetres: every extent a thousand times the metre's.
  TDocument mm;
  mm.InitDefaut();
  Deplace(mm, 1000, 0, 0, 0);
  EXPECT_NEAR(mm.SurfYMax, 1000 * petit.SurfYMax, 1e-6);
  EXPECT_NEAR(mm.SurfYMin, 1000 * petit.SurfYMin, 1e-6);
  EXPECT_NEAR(mm.NetXMax, 1000 * petit.NetXMax, 1e-6);
  EXPECT_NEAR(mm.SurfXMin, 1000 * petit.SurfXMin, 1e-6);
  EXPECT_NEAR(mm.Surf(0).PtYMax.Y, 1000 * petit.Surf(0).PtYMax.Y, 1e-6);
}

TEST(Extents, NothingToMeasureKeepsTheEmptyMarks) {
  TDocument doc;
  MajMinMaxAllSurf(doc);
  MajMinMaxAllNet(doc, false);
  EXPECT_EQ(doc.SurfXMin, 10000);
  EXPECT_EQ(doc.NetXMax, -10000);
}

TEST(Toggles, TheGuardPutsThemBack) {
  const TAffichage avant = AffichageCalculs();
  {
    TAffichageGarde g;
    AffichageCalculs().Carene = !avant.Carene;
    AffichageCalculs().Poids = !avant.Poids;
  }
  EXPECT_EQ(AffichageCalculs().Carene, avant.Carene);
  EXPECT_EQ(AffichageCalculs().Poids, avant.Poids);
}

}  // namespace
