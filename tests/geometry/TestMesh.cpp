// Tests of mesh surfaces: normals from the cells with their border fall-backs,
// mirror grids, transformation, and grids beyond the 201 x 201 tables.
#include <gtest/gtest.h>

#include "geometry/Mesh.h"
#include "session/ObjCom.h"

namespace {

TArrayVertex3f Grille(int lignes, int colonnes) {
  return TArrayVertex3f(static_cast<size_t>(lignes), std::vector<TVertex3f>(static_cast<size_t>(colonnes)));
}

// A mesh surface of lignes x colonnes points on z = 0.1 x y, x = row, y = column.
std::unique_ptr<TDXFSurface> Maillage(int lignes, int colonnes) {
  auto s = std::make_unique<TDXFSurface>(0, colonnes, lignes);
  for (int i = 0; i < lignes; i++)
    for (int j = 0; j < colonnes; j++) s->Pts[i][j] = {double(i), double(j), 0.1 * i * j};
  s->Nom = "Maille";
  return s;
}

}  // namespace

TEST(NormalesMesh, FlatSquareAndItsRowsSwapped) {
  TArrayVertex3f p = Grille(2, 2), n;
  p[0][0] = {0, 0, 0}, p[1][0] = {1, 0, 0}, p[0][1] = {0, 1, 0}, p[1][1] = {1, 1, 0};
  CalcNormalesMesh(p, n);
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 2; j++) EXPECT_EQ(n[i][j], (TVertex3f{0, 0, 1}));
  std::swap(p[0], p[1]);
  CalcNormalesMesh(p, n);
  for (int i = 0; i < 2; i++)
    for (int j = 0; j < 2; j++) EXPECT_EQ(n[i][j], (TVertex3f{0, 0, -1}));
}

TEST(NormalesMesh, CollapsedBorderTakesTheFallBack) {
  // First row collapsed to a single point (a bow): its corner triangles have no area.
  TArrayVertex3f p = Grille(3, 4), n;
  for (int i = 0; i < 3; i++)
    for (int j = 0; j < 4; j++)
      p[i][j] = i == 0 ? TVertex3f{0, 0, 0} : TVertex3f{double(i), double(j) - 1.5, 0};
  CalcNormalesMesh(p, n);
  for (int j = 0; j < 4; j++) EXPECT_EQ(n[0][j], (TVertex3f{0, 0, 1})) << "column " << j;
  // First column collapsed: nD of the cell above plus nA once more.
  TArrayVertex3f q = Grille(4, 3);
  for (int i = 0; i < 4; i++)
    for (int j = 0; j < 3; j++)
      q[i][j] = j == 0 ? TVertex3f{0, 0, 0} : TVertex3f{double(i) - 1.5, double(j), 0};
  CalcNormalesMesh(q, n);
  for (int i = 1; i < 3; i++) EXPECT_EQ(n[i][0], (TVertex3f{0, 0, 1})) << "row " << i;
}

TEST(NormalesMesh, NoCellsNoNormalsAndARaggedGridIsNotOverrun) {
  TArrayVertex3f ligne = Grille(1, 5), n;
  for (int j = 0; j < 5; j++) ligne[0][j] = {double(j), 0, 0};
  CalcNormalesMesh(ligne, n);
  ASSERT_EQ(n.size(), 1u);
  ASSERT_EQ(n[0].size(), 5u);
  for (const auto& v : n[0]) EXPECT_EQ(v, (TVertex3f{}));
  TArrayVertex3f inegale = Grille(3, 4);
  inegale[1].resize(2);
  CalcNormalesMesh(inegale, n);
  EXPECT_EQ(n.size(), 3u);
  EXPECT_EQ(n[0].size(), 2u);
}

TEST(CalcSurfaceMesh, MirrorsOfASymmetricMeshAndTranslation) {
  auto s = Maillage(15, 40);
  s->CalcSurface();
  for (int i = 0; i < 15; i++)
    for (int j = 0; j < 40; j++) {
      const TVertex3f p = s->Pts[i][j], n = s->Normales[i][j];
      ASSERT_EQ(s->PtsSym[14 - i][j], (TVertex3f{-p.X, p.Y, p.Z}));
      ASSERT_EQ(s->NormalesSym[14 - i][j], (TVertex3f{-n.X, n.Y, n.Z}));
    }
  TDocument doc;
  doc.TabSurf.push_back(std::move(s));
  TMatrice4 m;
  MatTranslation({0, 2, 0}, m);
  doc.Surf(0).Transforme(m);
  EXPECT_FALSE(doc.Surf(0).Calculee);
  EXPECT_EQ(doc.Surf(0).Pts[3][4], (TVertex3f{3, 6, 1.2000000000000002}));
  MajSurface(doc, false, -1);
  EXPECT_TRUE(doc.Surf(0).Calculee);
  EXPECT_EQ(doc.Surf(0).PtsSym[14 - 3][4], (TVertex3f{-3, 6, 1.2000000000000002}));
  // A change of precision leaves a mesh grid alone.
  ChangePrecision(doc, 50);
  EXPECT_EQ(doc.Surf(0).Pts.size(), 15u);
  EXPECT_EQ(doc.Surf(0).Pts[0].size(), 40u);
}

TEST(CalcSurfaceMesh, GridBeyondTheTablesIsCutNotOverrun) {
  // Only a hand-made document brings this: Pts larger than the surface says and than 201.
  auto s = Maillage(10, 10);
  s->Pts = Grille(230, 250);
  for (int i = 0; i < 230; i++)
    for (int j = 0; j < 250; j++) s->Pts[i][j] = {double(i), double(j), 0};
  s->Sym = true;
  s->CalcSurface();
  EXPECT_EQ(s->NbLnPt, MaxGrille - 1);
  EXPECT_EQ(s->NbColPt, MaxGrille - 1);
  for (const auto* g : {&s->Pts, &s->PtsSym, &s->Normales, &s->NormalesSym}) {
    ASSERT_EQ(g->size(), size_t(MaxGrille));
    for (const auto& ligne : *g) ASSERT_EQ(ligne.size(), size_t(MaxGrille));
  }
  EXPECT_EQ(s->Normales[200][200], (TVertex3f{0, 0, 1}));
  EXPECT_EQ(s->PtsSym[0][7], (TVertex3f{-200, 7, 0}));
}
