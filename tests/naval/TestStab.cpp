// Stability: the fast facets against the facet lists, the box barge against the
// wall-sided formula and the trim closed form, steps, checks, convergence flags,
// the stop flag, the synthesis and the export.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

#include "Aide.h"
#include "base/Chaines.h"
#include "naval/Barge.h"
#include "naval/Stab.h"

namespace {

// The session's upkeep that the stability window runs around the calculations: the
// barge evaluated once built, the document up to date before the window opens.
template <class... A>
TEntity& BargeFermee(TDocument& doc, A... a) {
  TEntity& e = AjouteBargeFermee(doc, a...);
  MajSurface(doc, true, -1);
  return e;
}
void Init(TStab& st, TDocument& doc) {
  MajSurface(doc, true, -1);
  st.Init(doc);
}

constexpr double Rad = std::numbers::pi / 180;

TArrayVertex3f Transforme(TArrayVertex3f g, const TMatrice4& m) {
  for (auto& r : g)
    for (auto& p : r) Transformation3D(m, p);
  return g;
}

// The facet list of the copies placed by m, clipped at w, as the stability would build it.
TListFace ListeDe(const TDoubleSurfList& l, const TMatrice4& m, double w) {
  TListFace f;
  for (const auto& d : l.Items) {
    TArrayVertex3f g = Transforme(d.Pts, m), s = Transforme(d.PtsSym, m);
    BuildFaceList(g, d.PtsSym.empty() ? nullptr : &s, d.Orientation ? 1 : 0, w, f, true, d.JonctionSym);
  }
  return f;
}

// A document of three unlike bodies: a closed barge, the default NURBS hull (open,
// indirect orientation) and a mesh barge placed elsewhere.
void TroisCorps(TDocument& doc) {
  doc.InitDefaut();
  doc.Surf(0).Orientation = false;
  BargeFermee(doc, 3, 6, 0.8, 2, 3);
  AjouteBarge(doc, 1, 4, 0.5, 1.5, 4, 7);
}

TEST(Carene, SameFacetsAsTheLists) {
  // Facet for facet, corners in the same order, for every kind of grid.
  const TArrayVertex3f g = {{{0, 0, 0}, {0, 1, 0.1}, {0, 2, 0}},
                            {{1, 0, -1}, {1.1, 1, -1}, {1, 2, -0.9}},
                            {{2, 0, 0.5}, {2, 1, 0.4}, {2.1, 2, 0.6}},
                            {{2, 0, 1.5}, {2, 1, 1.4}, {2.1, 2, 1.6}}};
  TArrayVertex3f s = g;
  for (size_t i = 0; i < g.size(); i++)
    for (size_t j = 0; j < g[i].size(); j++) s[g.size() - 1 - i][j] = {-g[i][j].X, g[i][j].Y, g[i][j].Z};
  for (int ordre : {0, 1})
    for (bool sym : {false, true})
      for (bool fermer : {false, true}) {
        TListFace l;
        BuildFaceList(g, sym ? &s : nullptr, ordre, 0, l, false, fermer);
        std::vector<TFacette> f;
        PourFacettesCorps(4, 3, sym, ordre, fermer, [&](TRefPt a, TRefPt b, TRefPt c) {
          auto p = [&](const TRefPt& r) { return (r.Sym ? s : g)[r.Ln][r.Col]; };
          f.emplace_back(p(a), p(b), p(c));
        });
        ASSERT_EQ(f.size(), l.F.size()) << ordre << sym << fermer;
        for (size_t k = 0; k < f.size(); k++) {
          EXPECT_EQ(f[k].P1, l.F[k].P1);
          EXPECT_EQ(f[k].P2, l.F[k].P2);
          EXPECT_EQ(f[k].P3, l.F[k].P3);
        }
      }
}

TEST(Carene, IntegralsEqualThoseOfTheLists) {
  TDocument doc;
  TroisCorps(doc);
  TDoubleSurfList copies;
  for (int k = 0; k < doc.NbSurf(); k++) ASSERT_TRUE(copies.AddSurf(doc.Surf(k)));
  TCarene c;
  c.Construit(copies);
  TMatrice4 t, e;
  MatTranslation({0.2, -1, 0.3}, t);
  MatEchelle3D({1.3, 0.8, 1.1}, e);  // not only rigid motions: normals go by the cofactors
  const TMatrice4 m = t * MatriceAttitude(37, -4, {0.3, 2, 0.4}) * e;
  c.Place(m);
  const double ws[] = {-0.4, 0.05, 0.31};
  for (double w : ws) {
    TListFace l = ListeDe(copies, m, w);
    TBarycentre attendu, obtenu;
    CCByFace(l, attendu, w, 1);
    TCumulCarene cumul;
    c.Integre(w, cumul);
    cumul.Barycentre(obtenu, 1);
    EXPECT_NEAR(obtenu.Valeur, attendu.Valeur, 1e-12 * std::abs(attendu.Valeur));
    EXPECT_NEAR(Distance3D(obtenu.Centre, attendu.Centre), 0, 1e-12);
    EXPECT_NEAR(cumul.Aire, AireByFace(l), 1e-12 * AireByFace(l));
  }
  // Volumes while the bisection narrows the interval: the facets summed once are still right.
  c.Resserre(-0.5, 0.4);
  for (double w : ws) EXPECT_NEAR(c.Volume(w), VolByFace(ListeDe(copies, m, w), w, 1), 1e-11);
  c.Resserre(0.0, 0.35);
  EXPECT_NEAR(c.Volume(0.31), VolByFace(ListeDe(copies, m, 0.31), 0.31, 1), 1e-11);
  for (double w : {0.31, 0.02}) {
    TBarycentre attendu, obtenu;
    CCByFace(ListeDe(copies, m, w), attendu, w, 1);
    TCumulCarene cumul;
    c.Centre(w, cumul);
    cumul.Barycentre(obtenu, 1);
    EXPECT_NEAR(obtenu.Valeur, attendu.Valeur, 1e-11);
    EXPECT_NEAR(Distance3D(obtenu.Centre, attendu.Centre), 0, 1e-11);
  }
  EXPECT_NEAR(c.Volume(-0.4), VolByFace(ListeDe(copies, m, -0.4), -0.4, 1), 1e-11);  // outside: recounted
  // Height range: the corners of every facet.
  TListFace tout = ListeDe(copies, m, 10000);
  double zmin = 1e9, zmax = -1e9;
  for (const auto& f : tout.F)
    for (double z : {f.P1.Z, f.P2.Z, f.P3.Z}) zmin = std::min(zmin, z), zmax = std::max(zmax, z);
  EXPECT_EQ(c.ZMin(), zmin);
  EXPECT_EQ(c.ZMax(), zmax);
}

// Facets wholly above or below the plane skip the clipping: the sums stay those of the
// clipped facets to the last bit, corners on the plane included.
TEST(Carene, FacetsOnOneSideCountAsClipped) {
  std::mt19937 gen(7);
  const double hauteurs[] = {-1.5, -0.25, 0, 0, 0.5, 2};
  std::uniform_int_distribution<int> h(0, 5);
  std::uniform_real_distribution<double> u(-2, 2);
  TCumulCarene rapide, reference;
  int entieres = 0, coupees = 0, dessus = 0;
  for (int k = 0; k < 3000; k++) {
    TVertex3f p[3];
    for (auto& q : p) q = {u(gen), u(gen), k % 3 ? hauteurs[h(gen)] : u(gen)};
    rapide.AjouteSous(p[0], p[1], p[2], 0);
    TVertex3f a = p[0], b = p[1], c = p[2], d, e, f;
    const int n = GetTriUnderDWL(a, b, c, 0, d, e, f);
    if (n >= 1) reference.Ajoute(a, b, c, 0);
    if (n == 2) reference.Ajoute(d, e, f, 0);
    const bool sous = p[0].Z <= 0 && p[1].Z <= 0 && p[2].Z <= 0;
    entieres += n == 1 && sous, coupees += n >= 1 && !sous, dessus += n == 0;
  }
  EXPECT_GT(entieres, 300);
  EXPECT_GT(coupees, 300);
  EXPECT_GT(dessus, 300);
  EXPECT_EQ(rapide.Vol, reference.Vol);
  EXPECT_EQ(rapide.Mx, reference.Mx);
  EXPECT_EQ(rapide.My, reference.My);
  EXPECT_EQ(rapide.Mz, reference.Mz);
  EXPECT_EQ(rapide.Aire, reference.Aire);
}

TEST(Carene, CornersOnTheWaterline) {
  // Waterlines through grid points: facets touching the plane from above or lying in it count
  // for nothing, those touching it from below count whole, as in the lists.
  TDoubleSurfList l;
  l.Items.push_back({2,
                     2,
                     {{{0, 0, 0}, {0, 1, 1}, {0, 2, 0}},
                      {{1, 0, -1}, {1, 1, 0}, {1, 2, -1}},
                      {{2, 0, 0}, {2, 1, 0}, {2, 2, 1}}},
                     {},
                     true,
                     false});
  TCarene c;
  c.Construit(l);
  for (double w : {-1.0, 0.0, 1.0, 0.5}) {
    EXPECT_NEAR(c.Volume(w), VolByFace(ListeDe(l, MatIdentite(), w), w, 1), 1e-15) << w;
    c.Resserre(w - 0.5, w);
    EXPECT_NEAR(c.ResserreVolume(w - 0.25, w, w), VolByFace(ListeDe(l, MatIdentite(), w), w, 1), 1e-15) << w;
  }
}

TEST(Carene, SinkageAsWithTheLists) {
  // The bisection of the sinkage written plainly with facet lists rebuilt at every trial.
  TDocument doc;
  TroisCorps(doc);
  doc.Surf(0).Orientation = true;
  TStab st;
  st.Conditions.TolEnfoncement = 0.01;
  Init(st, doc);
  st.Poids.Valeur = 0.8 * st.CarInitiale.Valeur;
  const TMatrice4 m = MatriceGite(30, {0, 3, 0.2});
  const double w = st.Poids.Valeur / 1000, tau = 0.01 * w / 100, rho = st.Conditions.Densite;
  double zmin = 1e9, zmax = -1e9;
  for (const auto& f : ListeDe(st.Copies, m, 10000).F)
    for (double z : {f.P1.Z, f.P2.Z, f.P3.Z}) zmin = std::min(zmin, z), zmax = std::max(zmax, z);
  const double tauFin = TolEquilibreFine * w;
  double a = zmin, b = zmax, s = 0, d = VolByFace(ListeDe(st.Copies, m, 0), 0, rho);
  int n = 0;
  do {
    if (d > w) b = s;
    if (d < w) a = s;
    s = (a + b) / 2;
    d = VolByFace(ListeDe(st.Copies, m, s), s, rho);
    n++;
  } while (!(-tauFin < w - d && w - d < tauFin) && n < 200);
  EXPECT_LT(std::abs(w - d), tau);
  // The search goes past the tolerance asked to a tight equilibrium, in fewer trials than the
  // bisection; the record is the lists' at the waterline it found.
  TEquilibre e = st.IsoCareneEnf(m, 0);
  EXPECT_TRUE(e.Converge);
  EXPECT_LE(e.Iterations, n);
  EXPECT_LE(e.Ecart, TolEquilibreFine);
  EXPECT_NEAR(VolByFace(ListeDe(st.Copies, m, e.Enfoncement), e.Enfoncement, rho), w, TolEquilibreFine * w);
  EXPECT_NEAR(e.Enfoncement, s, 1e-5);
  s = e.Enfoncement;
  TBarycentre cc;
  TListFace l = ListeDe(st.Copies, m, s);
  CCByFace(l, cc, s, rho);
  EXPECT_NEAR(e.CC.Valeur, cc.Valeur, 1e-12 * cc.Valeur);
  EXPECT_NEAR(Distance3D(e.CC.Centre, cc.Centre), 0, 1e-12);
  EXPECT_NEAR(e.SurfMouillee, AireByFace(l), 1e-12 * AireByFace(l));
}

TEST(Copies, OnlyUsableGridsAreCopied) {
  TDocument doc;
  TEntity& e = BargeFermee(doc, 2, 4, 1, 2, 2);
  TDoubleSurfList l;
  ASSERT_TRUE(l.AddSurf(e));
  EXPECT_EQ(l.Items[0].NbLnPt, 6);
  EXPECT_EQ(l.Items[0].PtsSym.size(), 7u);
  e.Sym = false;
  ASSERT_TRUE(l.AddSurf(e));
  EXPECT_TRUE(l.Items[1].PtsSym.empty());
  e.Pts[1][1].Z = std::nan("");
  EXPECT_FALSE(l.AddSurf(e));
  EXPECT_EQ(l.Count(), 2);
}

// A stability calculation on a document, with its own weight record.
struct Calcul {
  TDocument Doc;
  TStab S;
  explicit Calcul(double tol = 1e-6) { S.Conditions.TolEnfoncement = tol; }
  void Lance(double max, double pas, bool assiette = false) {
    S.Conditions.AngleMax = max, S.Conditions.Pas = pas, S.Conditions.CorrectionAssiette = assiette;
    ASSERT_EQ(S.CalcStab(), "");
  }
};

// Breadth 4, draft 1.5, depth 4: the bilge leaves the water at 36.9 degrees, the deck edge
// enters it at 51.3. Wall-sided below both: GZ = sin(phi) (GM + BM tan²(phi) / 2).
TEST(Barge, WallSidedFormulaBelowDeckImmersion) {
  const double B = 4, L = 10, T = 1.5, D = 4, KG = 1;
  double erreur[2] = {0, 0};
  const int divisions[2] = {12, 36};
  for (int k = 0; k < 2; k++) {
    Calcul c;
    BargeFermee(c.Doc, B, L, T, D, divisions[k]);
    Init(c.S, c.Doc);
    EXPECT_NEAR(c.S.Poids.Valeur, 1026 * B * L * T, 1e-6);
    EXPECT_NEAR(c.S.CarInitiale.Valeur, c.S.Poids.Valeur, 1e-6);  // floats at its draft
    c.S.Poids.Centre.Z = KG - T;
    c.Lance(35, 5);
    ASSERT_EQ(c.S.Etapes.size(), 8u);
    const TGZ& droit = c.S.Etapes[0];
    EXPECT_NEAR(droit.GZ(), 0, 1e-12);
    EXPECT_NEAR(droit.Enfoncement, 0, 1e-6);
    EXPECT_NEAR(droit.CC.Centre.Z, -T / 2, 1e-6);
    EXPECT_NEAR(droit.SurfMouillee, B * L + 2 * L * T + 2 * B * T, 1e-4);
    const double BM = B * B / (12 * T), GM = T / 2 + BM - KG;
    for (const TGZ& e : c.S.Etapes) {
      EXPECT_TRUE(e.Converge);
      double phi = e.Gite * Rad;
      double gz = std::sin(phi) * (GM + BM * std::tan(phi) * std::tan(phi) / 2);
      erreur[k] = std::max(erreur[k], std::abs(e.GZ() - gz));
      EXPECT_NEAR(e.CC.Centre.Y, L / 2, 1e-3);
      EXPECT_NEAR(e.CC.Valeur * 1000, c.S.Poids.Valeur, 1e-6 * c.S.Poids.Valeur);
    }
  }
  // A box is exactly its facets and their prisms' centres are exact: no division error.
  EXPECT_LT(erreur[0], 1e-5);
  EXPECT_LT(erreur[1], 1e-5);
}

// Breadth 6, depth 3, draft 1.5, KG 2: past the deck edge and the bilge, up to 90 degrees, with
// and without the trim search (G centred, so no trim), at a coarse and a finer division.
TEST(Barge, GZEqualsTheClippedSections) {
  const double B = 6, L = 20, T = 1.5, D = 3, KG = 2;
  EXPECT_NEAR(GZSectionBoite(B, D, T, KG, 10 * Rad), 0.13564, 1e-5);  // the reference itself
  EXPECT_NEAR(GZSectionBoite(B, D, T, KG, 70 * Rad), -0.04798, 1e-5);
  for (int div : {4, 20})
    for (bool assiette : {false, true}) {
      Calcul c(1e-7);
      BargeFermee(c.Doc, B, L, T, D, div);
      Init(c.S, c.Doc);
      c.S.Poids.Centre = {0, L / 2, KG - T};
      c.Lance(90, 10, assiette);
      ASSERT_EQ(c.S.Etapes.size(), 10u);
      for (const TGZ& e : c.S.Etapes) {
        EXPECT_NEAR(e.GZ(), GZSectionBoite(B, D, T, KG, e.Gite * Rad), 1e-4)
            << e.Gite << " " << div << assiette;
        EXPECT_NEAR(e.Assiette, 0, 1e-6);
      }
    }
}

// With G forward of midship by e the barge trims by the angle t where the longitudinal
// wall-sided lever vanishes: tan(t) (GML + BML tan²(t) / 2) = e, bow down.
TEST(Barge, TrimsUntilBuoyancyIsUnderG) {
  const double B = 4, L = 20, T = 1.5, D = 4, e = 1, KG = 3.5;
  const double BML = L * L / (12 * T), GML = T / 2 + BML - KG;
  double lo = 0, hi = 0.5;
  for (int i = 0; i < 100; i++) {
    double m = (lo + hi) / 2;
    (std::tan(m) * (GML + BML * std::tan(m) * std::tan(m) / 2) > e ? hi : lo) = m;
  }
  const double attendu = -lo / Rad;
  Calcul c(1e-5);
  BargeFermee(c.Doc, B, L, T, D, 48);
  Init(c.S, c.Doc);
  c.S.Poids.Centre = {0, L / 2 + e, KG - T};
  c.S.Conditions.TolAssiette = 1e-4;
  c.Lance(10, 10, true);
  ASSERT_EQ(c.S.Etapes.size(), 2u);
  const TGZ& droit = c.S.Etapes[0];
  EXPECT_TRUE(droit.Converge);
  std::printf("trim %.6f, closed form %.6f\n", droit.Assiette, attendu);
  EXPECT_NEAR(droit.Assiette, attendu, 2e-3);
  EXPECT_NEAR(droit.CC.Centre.Y, droit.CG.Centre.Y, 1e-4);
  EXPECT_NEAR(droit.GZ(), 0, 2e-4);
  // Heeled, the trim is searched again and B is under G once more.
  EXPECT_TRUE(c.S.Etapes[1].Converge);
  EXPECT_NEAR(c.S.Etapes[1].CC.Centre.Y, c.S.Etapes[1].CG.Centre.Y, 1e-4);
  EXPECT_LT(c.S.Etapes[1].Assiette, 0);
}

TEST(Barge, TransformerPutsTheModelAfloat) {
  Calcul c(1e-5);
  TEntity& s = BargeFermee(c.Doc, 4, 20, 1.5, 4, 8);
  c.Doc.ListePoids.push_back({"lest", 1000, 0, 15, -1, 0});
  c.Doc.ListePoids.push_back({"libre", 1, 0, 15, -1, -1});
  Init(c.S, c.Doc);
  const TVertex3f g = c.S.Poids.Centre;
  c.S.Conditions.TolAssiette = 1e-3;
  c.Lance(20, 20, true);
  const TGZ e = c.S.Etapes[1];
  ASSERT_TRUE(e.Converge);
  TransformerModele(c.Doc, e, g);
  MajSurface(c.Doc, true, -1);
  MajCoupesSurface(c.Doc);
  EXPECT_TRUE(s.Calculee);
  // The attached ballast moved with the hull; the free weight stayed.
  TVertex3f lest{0, 15, -1};
  Transformation3D(MatriceEtape(e, g), lest);
  EXPECT_NEAR(c.Doc.ListePoids[0].X, lest.X, 1e-12);
  EXPECT_EQ((TVertex3f{c.Doc.ListePoids[1].X, c.Doc.ListePoids[1].Y, c.Doc.ListePoids[1].Z}),
            (TVertex3f{0, 15, -1}));
  // The model now floats as the step found it: same displacement, B at the step's B.
  TStab apres;
  Init(apres, c.Doc);
  EXPECT_NEAR(apres.CarInitiale.Valeur / 1000, e.CC.Valeur, 1e-9 * e.CC.Valeur);
  EXPECT_NEAR(Distance3D(apres.CarInitiale.Centre, e.CC.Centre), 0, 1e-9);
}

TEST(Etapes, CountsAndAnglesWithoutDrift) {
  EXPECT_EQ(NombreEtapes(180, 5), 37);
  EXPECT_EQ(NombreEtapes(180, 7), 27);
  EXPECT_EQ(AngleEtape(25, 27, 180, 7), 175);
  EXPECT_EQ(AngleEtape(26, 27, 180, 7), 180);
  EXPECT_EQ(NombreEtapes(5, 5), 2);
  EXPECT_EQ(NombreEtapes(0.3, 0.1), 4);
  EXPECT_EQ(NombreEtapes(180, 0.1), 1801);
  EXPECT_EQ(AngleEtape(1799, 1801, 180, 0.1), 1799 * 0.1);
  EXPECT_EQ(NombreEtapes(1, 2), 0);
}

TEST(Conditions, EveryInputIsCheckedBeforeComputing) {
  TConditionsStab c;
  EXPECT_EQ(ValideConditionsStab(c, 1000), "");
  auto avec = [](auto f) {
    TConditionsStab c;
    f(c);
    return ValideConditionsStab(c, 1000);
  };
  EXPECT_EQ(avec([](auto& c) { c.Pas = 0; }), rs("rsStabPasIncorrect"));
  EXPECT_EQ(avec([](auto& c) { c.Pas = -5; }), rs("rsStabPasIncorrect"));
  EXPECT_EQ(avec([](auto& c) { c.AngleMax = 4; }), rs("rsStabPasIncorrect"));
  EXPECT_EQ(avec([](auto& c) { c.Pas = 1e-9; }), rs("rsStabPasIncorrect"));  // a billion steps
  EXPECT_EQ(avec([](auto& c) { c.AngleMax = std::nan(""); }), rs("rsStabAngleMax"));
  EXPECT_EQ(avec([](auto& c) { c.AngleMax = 400; }), rs("rsStabAngleMax"));
  EXPECT_EQ(avec([](auto& c) { c.AngleMax = -1; }), rs("rsStabAngleMax"));
  EXPECT_EQ(avec([](auto& c) { c.AngleMax = 180, c.Pas = 0.05; }), "");  // 3601 steps, the most
  EXPECT_EQ(avec([](auto& c) { c.AngleMax = 180, c.Pas = 0.0499; }), rs("rsStabPasIncorrect"));
  EXPECT_EQ(avec([](auto& c) { c.AngleMax = 100, c.Pas = 1e-300; }),
            rs("rsStabPasIncorrect"));  // too many to count
  EXPECT_EQ(ValideConditionsStab(c, 0), rs("rsStabPoidsManquant"));
  EXPECT_EQ(ValideConditionsStab(c, -3), rs("rsStabPoidsManquant"));
  EXPECT_EQ(avec([](auto& c) { c.TolEnfoncement = 0; }), rs("rsStabTolerance"));
  EXPECT_EQ(avec([](auto& c) { c.TolAssiette = 0; }), "");  // not used without trim correction
  EXPECT_EQ(avec([](auto& c) { c.TolAssiette = 0, c.CorrectionAssiette = true; }), rs("rsStabTolerance"));
  EXPECT_EQ(avec([](auto& c) { c.Densite = 0; }), rs("rsStabDensite"));
  EXPECT_EQ(avec([](auto& c) { c.Densite = -1.0; }), rs("rsStabDensite"));

  TSaisieStab s;
  ASSERT_EQ(LitConditionsStab(s, c), "");
  EXPECT_EQ(c.AngleMax, 180);
  EXPECT_EQ(c.Densite, 1.026);
  s.Densite = "1,025";
  c.Densite = 5;
  EXPECT_EQ(LitConditionsStab(s, c),
            Format(rs("rsErrConversionChamp"), rs("rsStabSynDensite").c_str(), "1,025"));
  EXPECT_EQ(c.Densite, 5);

  // The sweep refuses with the message and computes nothing.
  Calcul k;
  BargeFermee(k.Doc, 4, 10, 1, 2, 2);
  Init(k.S, k.Doc);
  k.S.Conditions.Pas = 10, k.S.Conditions.AngleMax = 5;
  EXPECT_EQ(k.S.CalcStab(), rs("rsStabPasIncorrect"));
  EXPECT_TRUE(k.S.Etapes.empty());
  k.S.Conditions.AngleMax = 10;
  k.S.Poids.Valeur = 0;
  EXPECT_EQ(k.S.CalcStab(), rs("rsStabPoidsManquant"));
  k.Doc.Surf(0).Calc = false;
  Init(k.S, k.Doc);
  k.S.Poids.Valeur = 100;
  EXPECT_EQ(k.S.CalcStab(), rs("rsStabAucunFlotteur"));
}

TEST(Convergence, AStepWithoutEquilibriumIsFlagged) {
  Calcul c;
  BargeFermee(c.Doc, 4, 10, 1, 2, 4);
  Init(c.S, c.Doc);
  const double poids = c.S.Poids.Valeur;
  int questions = 0;
  c.S.DemandeArret = [&] { return ++questions, false; };
  // More than the whole closed box can displace (4 x 10 x 2 m3): refused before any step.
  c.S.Poids.Valeur *= 3;
  c.S.Conditions.AngleMax = 20, c.S.Conditions.Pas = 10;
  EXPECT_EQ(c.S.CalcStab(), Format(rs("rsStabCoule"), TexteReel(c.S.Poids.Valeur, 1).c_str(),
                                   TexteReel(2 * poids, 1).c_str()));
  EXPECT_TRUE(c.S.Etapes.empty());
  EXPECT_EQ(questions, 0);

  // A trim tolerance that cannot be met: the search gives up after its last iteration, and
  // the question is asked once for the whole sweep.
  c.S.Poids.Valeur = poids;
  c.S.Poids.Centre.Y += 1;
  c.S.Conditions.TolAssiette = 1e-13;
  c.Lance(20, 10, true);
  EXPECT_EQ(questions, 1);
  ASSERT_EQ(c.S.Etapes.size(), 3u);
  for (const auto& e : c.S.Etapes) EXPECT_FALSE(e.Converge);
  EXPECT_EQ(LigneTableGZ(c.S.Etapes[0])[9], rs("rsStabNonConverge"));
  TResumeStab r = ResumeStab(c.S.Etapes);
  EXPECT_EQ(r.NbConverges, 0);
  EXPECT_EQ(r.NbNonConverges, 3);
  for (const auto& l : Synthese(c.S)) EXPECT_NE(l.Libelle, rs("rsStabSynGZMax"));    // no arm reported
  EXPECT_LT(std::abs(c.S.Etapes[0].CC.Centre.Y - c.S.Etapes[0].CG.Centre.Y), 1e-3);  // the values reached

  // Answering Yes stops the sweep: the first step is kept.
  c.S.DemandeArret = [] { return true; };
  c.Lance(20, 10, true);
  EXPECT_EQ(c.S.Etapes.size(), 1u);
  EXPECT_TRUE(c.S.Arret);
}

TEST(Arret, StopFlagAndHooks) {
  Calcul c(1);
  BargeFermee(c.Doc, 4, 10, 1, 2, 4);
  Init(c.S, c.Doc);
  std::vector<std::pair<int, int>> progres;
  int ajoutees = 0, messages = 0;
  c.S.Progression = [&](int n, int f) { progres.push_back({n, f}); };
  c.S.EtapeAjoutee = [&](const TGZ&) { ajoutees++; };
  c.S.TraiteMessages = [&] { messages++; };
  c.Lance(30, 7);
  ASSERT_EQ(c.S.Etapes.size(), 6u);
  EXPECT_EQ(c.S.Etapes.back().Gite, 30);
  EXPECT_EQ(ajoutees, 6);
  ASSERT_EQ(progres.size(), 6u);
  EXPECT_EQ(progres.back(), (std::pair<int, int>{6, 6}));
  EXPECT_GE(messages, c.S.Iterations);
  // Stopped during the first step: the trim search cut short leaves an attempt, which is
  // neither recorded nor shown; no progress posted.
  progres.clear();
  ajoutees = 0;
  c.S.TraiteMessages = [&] { c.S.Arret = true; };
  c.Lance(30, 7, true);
  EXPECT_TRUE(c.S.Etapes.empty());
  EXPECT_EQ(ajoutees, 0);
  EXPECT_TRUE(progres.empty());
  EXPECT_TRUE(c.S.Arret);
  // Stopped during the third: the two whole steps stay.
  c.S.TraiteMessages = [&] {
    if (c.S.Etapes.size() == 2) c.S.Arret = true;
  };
  c.Lance(30, 7, true);
  EXPECT_EQ(c.S.Etapes.size(), 2u);
}

TGZ Pas(double gite, double gz) {
  TGZ e;
  e.Gite = gite;
  e.CG = {{gz, 0, 0}, 1000 / Gravite};  // moment = 1000 x GZ
  return e;
}

TEST(Synthese, ArmsAnglesAndEnergies) {
  // GZ -0.1 upright (the table's sign at 0 too), rising, then crossing zero at 45.
  TListGZ l = {Pas(0, -0.1), Pas(30, 1), Pas(60, -1), Pas(90, -2)};
  TResumeStab r = ResumeStab(l);
  EXPECT_NEAR(r.GZMin, -2, 1e-12);
  EXPECT_EQ(r.AngleGZMin, 90);
  EXPECT_NEAR(r.GZMax, 1, 1e-12);
  EXPECT_NEAR(r.MomentMax, 1000, 1e-9);
  EXPECT_EQ(r.AngleGZMax, 30);
  EXPECT_NEAR(r.AngleDisparition, 45, 1e-12);
  // Positive: 0..30 has a crossing at 2.73 deg, then 30..45; negative: 0..2.73, 45..60, 60..90.
  const double x0 = 30 * 100 / 1100.0;
  const double pos = (1000 * (30 - x0) / 2 + 1000 * 15 / 2) * Rad;
  const double neg = (100 * x0 / 2 + 1000 * 15 / 2 + 3000 * 30 / 2) * Rad;
  EXPECT_NEAR(r.EnergieChavirage, pos, 1e-9);
  EXPECT_NEAR(r.EnergieRedressement, neg, 1e-9);
  // A moment that never changes sign: no vanishing angle, a negative sum of 0.
  r = ResumeStab({Pas(0, 0), Pas(10, 0.5), Pas(20, 0.7)});
  EXPECT_EQ(r.AngleDisparition, 0);
  EXPECT_EQ(r.EnergieRedressement, 0);
  EXPECT_EQ(r.GZMin, 0);
}

TEST(Synthese, RowsLabelsAndExport) {
  Calcul c(1);
  BargeFermee(c.Doc, 4, 10, 1, 2, 4);
  Init(c.S, c.Doc);
  c.Lance(10, 5);
  std::vector<TLigneSynthese> s = Synthese(c.S);
  ASSERT_EQ(s.size(), 24u);
  EXPECT_EQ(s.back().Libelle, rs("rsStabCote"));  // after the rows of the synthesis
  EXPECT_EQ(s.back().Valeur, "-X");
  EXPECT_TRUE(s[0].Titre);
  EXPECT_EQ(s[0].Libelle, "Conditions du calcul de stabilité");
  EXPECT_EQ(s[1].Valeur, TexteReel(c.S.Poids.Valeur, 3));
  EXPECT_EQ(s[7].Libelle, "Angle Max [°]");
  EXPECT_EQ(s[7].Valeur, "10.000");
  EXPECT_EQ(s[8].Nombre, c.S.Poids.Valeur / 100);
  EXPECT_EQ(s[10].Valeur, "1.0260");
  EXPECT_EQ(s[22].Libelle, "Energie de Redressement [J]");

  std::vector<std::string> lb = LibellesCalcul(5, -0.25, 12.5, 42);
  EXPECT_EQ(lb[0], "Angle : 5.00°");
  EXPECT_EQ(lb[1], "Assiette : -0.25°");
  EXPECT_EQ(lb[2], "Déplacement : 12.5000 t");
  EXPECT_EQ(lb[3], "Itérations : 42");

  TPropFich p;
  p.Titre = "Essai";
  p.Date = "2024";
  std::vector<std::string> x = LignesExportStab(p, s, c.S.Etapes);
  const std::string traits(32, '_');
  // The report's heading block: each property set, named, then a blank and the rule.
  EXPECT_EQ(x[0], "Brivane - Calculs de stabilité");
  EXPECT_EQ(x[1], "Titre : \tEssai");
  EXPECT_EQ(x[2], "Date : \t2024");
  EXPECT_EQ(x[3], "");
  EXPECT_EQ(x[4], traits);
  EXPECT_EQ(x[5], "Synthèse");
  EXPECT_EQ(x[6], traits);  // every heading is preceded by underscores and an empty line
  EXPECT_EQ(x[7], "");
  EXPECT_EQ(x[8], "Conditions du calcul de stabilité\t");
  EXPECT_EQ(x[9], "Masse pour le calcul [Kg]\t" + s[1].Valeur);
  const size_t m = x.size() - 1 - 3 - 1;  // the table header: before three steps and the last line
  EXPECT_EQ(x[m - 1], "");
  EXPECT_EQ(x[m - 2], traits);
  EXPECT_EQ(x[m - 3], "Mesures");
  EXPECT_EQ(x[m].substr(0, 19), "Gite\tAssiette\tEnfon");
  EXPECT_EQ(x[m + 1].substr(0, 10), "0.00\t0.00\t");
  EXPECT_EQ(x.back(), "");
}

TEST(Ajuster, WeightAndAlignment) {
  Calcul c;
  BargeFermee(c.Doc, 4, 10, 1, 2, 4);
  c.Doc.ListePoids.push_back({"avant", 2000, 1, 9, 0, -1});
  Init(c.S, c.Doc);
  const TBarycentre doc = c.S.Poids;
  EXPECT_GT(doc.Valeur, c.S.CarInitiale.Valeur);
  c.S.Ajuste(ajDeplacementInitial, 0, true);
  EXPECT_EQ(c.S.Poids.Valeur, c.S.CarInitiale.Valeur);
  EXPECT_EQ(c.S.Poids.Centre.Y, c.S.CarInitiale.Centre.Y);
  EXPECT_EQ(c.S.Poids.Centre.Z, doc.Centre.Z);
  c.S.Ajuste(ajPoidsFixe, 1234, false);
  EXPECT_EQ(c.S.Poids.Valeur, 1234);
  c.S.Ajuste(ajValeursInitiales, 0, false);
  EXPECT_EQ(c.S.Poids.Valeur, doc.Valeur);
  EXPECT_EQ(c.S.Poids.Centre, doc.Centre);
}

}  // namespace

namespace {

// The sign of trim the synthesis states: G half a metre towards +Y sinks the +Y end, so the
// trim is negative, of the box's wall-sided value tan(t) (GM_L + BM_L tan²(t) / 2) = 0.5.
TEST(Synthese, TheTrimSignStatedIsTheTrimFound) {
  const double B = 4, L = 10, T = 1.5, D = 4, KG = 1;
  Calcul c;
  BargeFermee(c.Doc, B, L, T, D, 24);
  Init(c.S, c.Doc);
  c.S.Poids.Centre.Z = KG - T;
  c.S.Poids.Centre.Y = c.S.CarInitiale.Centre.Y + 0.5;
  c.S.Conditions.TolAssiette = 0.01;
  c.Lance(10, 10, true);
  ASSERT_EQ(c.S.Etapes.size(), 2u);
  const double bml = L * L / (12 * T), gml = T / 2 + bml - KG;
  double t = 0.5 / gml;
  for (int i = 0; i < 50; i++) {
    const double f = t * (gml + bml * t * t / 2) - 0.5, df = gml + 1.5 * bml * t * t;
    t -= f / df;
  }
  const double attendu = -std::atan(t) * 180 / std::numbers::pi;
  EXPECT_NEAR(c.S.Etapes[0].Assiette, attendu, 0.02);
  const std::vector<TLigneSynthese> s = Synthese(c.S);
  EXPECT_EQ(s.back().Libelle, rs("rsStabSigneAssiette"));
  EXPECT_EQ(s.back().Valeur, rs("rsStabAssiettePositive"));
  EXPECT_NE(s.back().Valeur.find("+Y"), std::string::npos);
  // Without the trim searched the side closes the synthesis, as before.
  c.Lance(10, 10, false);
  EXPECT_EQ(Synthese(c.S).back().Libelle, rs("rsStabCote"));
}

}  // namespace
