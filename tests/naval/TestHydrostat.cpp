// Hydrostatics against closed forms: the Wigley hull (a biquadratic patch) and
// a box barge, orientation signs, empty scopes, station merging and the section
// and waterline integrals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>

#include "naval/Barge.h"
#include "naval/Hydrostat.h"
#include "naval/Wigley.h"

namespace {

// The session's upkeep before the calculation: the surfaces in scope evaluated.
TResultatsHydro Hydro(TDocument& doc, const TListSurf& portee, int n) {
  MajSurfacesPortee(doc, portee);
  return CalcHydrostatiques(doc, portee, n);
}

std::map<std::string, double> Valeurs(const TResultatsHydro& r) {
  std::map<std::string, double> m;
  for (const auto& l : r.Lignes)
    if (!l.Titre) m[l.Groupe + "/" + l.Libelle] = l.Valeur;
  return m;
}

const char* kV = "Carène immergée/Volume immergé [m3]";
const char* kCCz = "Carène immergée/CC z [m]";
const char* kCCy = "Carène immergée/CC y [m]";
const char* kAwp = "Flottaison/Aire [m²]";
const char* kCb = "Coefficients/Coef. de bloc";
const char* kCp = "Coefficients/Coef. prismatique";
const char* kWetted = "Surface immergée/Surface immergée [m²]";

TEST(Wigley, ConvergesToTheClosedForms) {
  const double L = 10, B = 1, T = 0.625;
  double erreurPrecedente = 1e9;
  for (int n : {10, 20, 40}) {
    TDocument doc;
    AjouteWigley(doc, L, B, T, 0.2, n);
    TResultatsHydro r = Hydro(doc, PorteeCalc(doc), 2 * n + 1);
    auto v = Valeurs(r);
    double V = std::abs(v[kV]);
    double erreur = std::abs(V - 4.0 / 9 * L * B * T) / (L * B * T);
    EXPECT_LT(erreur, 5.0 / (n * n)) << n;
    EXPECT_LT(erreur, erreurPrecedente) << n;
    erreurPrecedente = erreur;
    EXPECT_NEAR(v[kAwp], 2.0 / 3 * L * B, 10.0 * L * B / (n * n));
    EXPECT_NEAR(v[kCCz], -3.0 / 8 * T, 2.0 * T / (n * n));
    EXPECT_NEAR(v[kCCy], 0, 1e-6);
    EXPECT_NEAR(std::abs(v[kCb]), 4.0 / 9, 10.0 / (n * n));
    EXPECT_NEAR(std::abs(v[kCp]), 2.0 / 3, 10.0 / (n * n));
    EXPECT_NEAR(v["Flottaison/Longueur [m]"], L, 1e-4);
    EXPECT_NEAR(v["Flottaison/Largeur [m]"], B, 1.0 * B / (n * n));  // chord of the grid
  }
}

TEST(Wigley, ReversedOrientationChangesOnlyTheVolumeSigns) {
  TDocument doc;
  TSurface& s = AjouteWigley(doc, 8, 1.2, 0.5, 0.1, 16);
  auto a = Valeurs(Hydro(doc, PorteeCalc(doc), 21));
  s.Orientation = !s.Orientation;
  auto b = Valeurs(Hydro(doc, PorteeCalc(doc), 21));
  std::set<std::string> signe = {kV,
                                 "Carène immergée/Déplacement en eau douce [Kg]",
                                 "Carène immergée/Déplacement en eau de mer [Kg]",
                                 kCb,
                                 kCp,
                                 "Coefficients/Coef. volumique ( V/L puiss(3) )"};
  const std::string si = "Stabilité initiale/";
  for (const char* k : {"BMt [m]", "BMl [m]"})
    signe.insert(si + k);  // the moment to trim is rho Il / (100 L)
  for (const auto& [k, va] : a) {
    if (k == "Coefficients/Coef. de finesse global ( L/V puiss(1/3) )") continue;  // 0 for a negative V
    if (k == si + "KMt [m]" || k == si + "KMl [m]") continue;                      // KB plus a reversed BM
    if (signe.count(k))
      EXPECT_NEAR(b[k], -va, 1e-9 * (1 + std::abs(va))) << k;
    else
      EXPECT_NEAR(b[k], va, 1e-9 * (1 + std::abs(va))) << k;
  }
}

// x = B/2 (1 - (2y/L)²)(1 - (z/T)²): V = 4/9 L B T, KB = 5/8 T, It = 4/105 L B³ and
// Il = L³ B / 30, so BMt = 3 B² / (35 T) and BMl = 3 L² / (40 T); Cwp = 2/3, Cm = 2/3.
TEST(Wigley, InitialStabilityWithinATenthOfAPercent) {
  const double L = 10, B = 1, T = 0.625;
  TDocument doc;
  AjouteWigley(doc, L, B, T, 0.2, 100);
  const TBarycentre g{{0, 0, 0.1}, 1000};
  TResultatsHydro r = CalcHydrostatiques(doc, PorteeCalc(doc), 201, {}, &g);
  EXPECT_TRUE(r.Avertissements.empty());
  auto v = Valeurs(r);
  const std::string si = "Stabilité initiale/";
  const double V = 4.0 / 9 * L * B * T, BMt = 3 * B * B / (35 * T), BMl = 3 * L * L / (40 * T);
  auto proche = [&](const std::string& k, double attendu) {
    EXPECT_NEAR(v.at(k), attendu, 1e-3 * std::abs(attendu)) << k;
  };
  proche(kV, V);
  proche(kCCz, -3.0 / 8 * T);
  EXPECT_NEAR(v.at(kCCy), 0, 1e-9);
  proche(si + "Inertie transversale It [m4]", 4.0 / 105 * L * B * B * B);
  proche(si + "Inertie longitudinale Il [m4]", L * L * L * B / 30);
  proche(si + "BMt [m]", BMt);
  proche(si + "BMl [m]", BMl);
  proche(si + "KB [m]", 5.0 / 8 * T);
  proche(si + "KMt [m]", 5.0 / 8 * T + BMt);
  proche(si + "Coef. de flottaison Cwp", 2.0 / 3);
  proche(si + "Coef. de maître couple Cm", 2.0 / 3);
  proche(si + "Immersion par cm [t/cm]", 2.0 / 3 * L * B * 1.026 / 100);
  proche(si + "GMt [m]", 5.0 / 8 * T + BMt - (0.1 + T));
  proche(si + "GMl [m]", 5.0 / 8 * T + BMl - (0.1 + T));
  proche(si + "Moment pour changer l'assiette de 1 cm [t.m/cm]",
         V * 1.026 * (5.0 / 8 * T + BMl - 0.1 - T) / (100 * L));
  // The block comes after the lateral area, the earlier blocks keeping their order.
  ASSERT_GE(r.Lignes.size(), 2u);
  auto titre = std::find_if(r.Lignes.begin(), r.Lignes.end(), [](const THydroLigne& l) {
    return l.Titre && l.Libelle == "Stabilité initiale";
  });
  ASSERT_NE(titre, r.Lignes.end());
  EXPECT_EQ((titre - 1)->Libelle, "MC z [m]");
  // Without a weight there is no GM.
  EXPECT_EQ(Valeurs(CalcHydrostatiques(doc, PorteeCalc(doc), 21)).count(si + "GMt [m]"), 0u);
}

TEST(Warnings, ReversedOrientationAndOpenBody) {
  TDocument doc;
  AjouteWigley(doc, 8, 1.2, 0.5, 0.1, 8);
  doc.Surf(0).Orientation = !doc.Surf(0).Orientation;
  TResultatsHydro r = CalcHydrostatiques(doc, PorteeCalc(doc), 5);
  ASSERT_LT(Valeurs(r).at(kV), 0);
  ASSERT_EQ(r.Avertissements.size(), 1u);
  EXPECT_NE(r.Avertissements[0].find("Wigley"), std::string::npos);
  EXPECT_NE(r.Avertissements[0].find("\"Orientation\""), std::string::npos);
  doc.Surf(0).Orientation = !doc.Surf(0).Orientation;
  EXPECT_TRUE(ControleCarene(doc, PorteeCalc(doc)).empty());
  // Meant to close a body but without a mirror: the strips cannot be built.
  doc.Surf(0).JonctionSym = true;
  doc.Surf(0).Sym = false;
  auto w = ControleCarene(doc, PorteeCalc(doc));
  ASSERT_EQ(w.size(), 1u);
  EXPECT_NE(w[0].find("ouvert"), std::string::npos);
  // A body wholly above the water has no volume to be negative.
  doc.Surf(0).JonctionSym = false;
  doc.Surf(0).Orientation = !doc.Surf(0).Orientation;
  TMatrice4 m;
  MatTranslation({0, 0, 5}, m);
  doc.Surf(0).Transforme(m);
  MajSurface(doc, true, -1);
  EXPECT_TRUE(ControleCarene(doc, PorteeCalc(doc)).empty());
}

TEST(Barge, ExactAtAnyDivision) {
  const double b = 1.5, L = 6, T = 0.4;
  for (int div : {1, 3}) {
    TDocument doc;
    AjouteBarge(doc, b, L, T, 0.6, div, 2);
    auto v = Valeurs(Hydro(doc, PorteeCalc(doc), 5));
    EXPECT_NEAR(std::abs(v[kV]), 2 * b * L * T, 1e-9);
    EXPECT_NEAR(v[kCCy], 2 + L / 2, 1e-9);
    EXPECT_NEAR(v[kCCz], -T / 2, 1e-9);
    EXPECT_NEAR(v[kAwp], 2 * b * L, 1e-6);
    EXPECT_NEAR(v["Maître couple/Aire [m²]"], 2 * b * T, 1e-6);
    EXPECT_NEAR(std::abs(v[kCb]), 1, 1e-6);
    EXPECT_NEAR(std::abs(v[kCp]), 1, 1e-6);
    EXPECT_NEAR(v[kWetted], 2 * b * L + 2 * L * T + 4 * b * T, 1e-9);
    EXPECT_NEAR(v["Centre latéral anti-dérive/Aire [m²]"], L * T, 1e-6);
    EXPECT_NEAR(v["Carène immergée/Volume pour enfoncement 1 cm [m3]"], 2 * b * L * 0.01, 1e-6);
    EXPECT_NEAR(v["Maître couple/Ratio au max [%]"], 0, 1e-6);  // the first of equal maxima wins
  }
}

TEST(Scope, EmptyOrDryGivesZerosNotErrors) {
  TDocument doc;
  AjouteBarge(doc, 1, 4, 0.5, 0.5);
  TResultatsHydro vide = Hydro(doc, {}, 21);
  EXPECT_TRUE(vide.Courbe.empty());
  for (const auto& l : vide.Lignes) EXPECT_EQ(l.Valeur, 0) << l.Libelle;
  // Raised wholly above the waterline.
  TMatrice4 m;
  MatTranslation({0, 0, 5}, m);
  doc.Surf(0).Transforme(m);
  MajSurface(doc, true, -1);
  auto v = Valeurs(Hydro(doc, PorteeCalc(doc), 21));
  EXPECT_EQ(v[kV], 0);
  EXPECT_EQ(v[kWetted], 0);
  EXPECT_EQ(v["Flottaison/Longueur [m]"], 0);
  EXPECT_EQ(v[kCb], 0);
  EXPECT_EQ(v[kCp], 0);
}

TEST(Stations, MergeAndCountLimits) {
  TListAires l;
  for (float y : {2.f, 1.f, 3.f, 2.f, 0.5f}) {
    TAireRec a;
    a.Y = y;
    InsereStation(l, a);
  }
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l.front().Y, 0.5f);
  EXPECT_EQ(l.back().Y, 3.f);
  TDocument doc;
  AjouteBarge(doc, 1, 4, 0.5, 0.5, 2, 1);
  auto s = StationsSurface(doc, 0, 1);  // held to 3: the ends and the middle
  ASSERT_EQ(s.size(), 3u);
  EXPECT_FLOAT_EQ(s[0].Y, 1);
  EXPECT_FLOAT_EQ(s[1].Y, 3);
  EXPECT_FLOAT_EQ(s[2].Y, 5);
  EXPECT_EQ(StationsSurface(doc, 0, 1000).size(), 201u);
  // Two surfaces over the same range give each station once; a longer one adds its own.
  AjouteBarge(doc, 1, 4, 0.5, 0.5, 2, 1);
  AjouteBarge(doc, 1, 6, 0.5, 0.5, 2, 1);
  TResultatsHydro r = Hydro(doc, PorteeCalc(doc), 3);
  std::vector<float> ys;
  for (const auto& a : r.Stations) ys.push_back(a.Y);
  EXPECT_EQ(ys, (std::vector<float>{1, 3, 4, 5, 7}));
  EXPECT_NEAR(r.Stations[0].Aire, 3 * 2 * 1 * 0.5, 1e-9);  // cut on every scope surface
  EXPECT_NEAR(r.Stations[4].Aire, 1 * 2 * 1 * 0.5, 1e-9);
  // The curve rises from zero at its ends.
  ASSERT_GE(r.Courbe.size(), 7u);
  EXPECT_EQ(r.Courbe.front(), (std::pair<double, double>{1, 0}));
  EXPECT_EQ(r.Courbe.back().second, 0);
}

TEST(Integrals, SectionAreaGirthAndDepth) {
  // A half section: centre line down to (1, -1), out, up the side past the waterline.
  TCoupe c = {{TPt3D({0, 3, -1}), TPt3D({1, 3, -1}), TPt3D({1, 3, 1})}};
  EXPECT_DOUBLE_EQ(PerimetreSec(c, 0), 2);
  EXPECT_DOUBLE_EQ(ProfondeurSec(c), -1);
  TEntity& e = *std::make_unique<TDXFSurface>(0, 2, 2).release();
  e.Sym = true;
  FermeParPlanSym(c, e);
  ASSERT_EQ(c[0].size(), 6u);
  TAireRec a = AireSec(c, 0);
  EXPECT_DOUBLE_EQ(a.Aire, 1);
  EXPECT_FLOAT_EQ(a.X, 0.5f);
  EXPECT_FLOAT_EQ(a.Z, -0.5f);
  EXPECT_FLOAT_EQ(a.Y, 3);
  delete &e;
  TCoupe wl = {{TPt3D({0, 0, 0}), TPt3D({2, 0, 0}), TPt3D({2, 4, 0}), TPt3D({0, 4, 0}), TPt3D({0, 0, 0})}};
  TAireRec w = AireLE(wl);
  EXPECT_DOUBLE_EQ(w.Aire, 8);
  EXPECT_FLOAT_EQ(w.X, 1);
  EXPECT_FLOAT_EQ(w.Y, 2);
  EXPECT_DOUBLE_EQ(PerimetreCoupe(wl), 12);
  EXPECT_EQ(ProfondeurSec({{TPt3D({0, 0, -5})}}), 0);  // a single point is no section
}

TEST(Export, HeadingsAndValues) {
  TDocument doc;
  AjouteBarge(doc, 1, 4, 0.5, 0.5);
  TPropFich p;
  p.Titre = "Titre";
  p.Date = "2024";
  auto lignes = TexteHydro(Hydro(doc, PorteeCalc(doc), 5), p);
  ASSERT_GE(lignes.size(), 12u);
  // The heading block: every property has its line, even empty; then, as before every group,
  // a blank line, the rule and a blank line before the first heading.
  const std::vector<std::string> entete = {
      "Brivane - Calculs hydrostatiques", "Titre", "", "", "2024", "", std::string(32, '_'), ""};
  EXPECT_EQ(std::vector<std::string>(lignes.begin(), lignes.begin() + 8), entete);
  EXPECT_EQ(lignes[8], "Carène immergée\t");
  EXPECT_EQ(lignes[9].substr(0, lignes[9].find('\t')), "Volume immergé [m3]");
  EXPECT_NE(lignes[10].find("\t4000.0000"), std::string::npos);  // 4 m3 of fresh water
  // Later groups: a blank line, the rule and a blank line before their heading.
  size_t g = 0;
  for (size_t i = 9; i < lignes.size() && !g; i++)
    if (!lignes[i].empty() && lignes[i].back() == '\t') g = i;
  ASSERT_GT(g, 11u);
  EXPECT_EQ(lignes[g - 1], "");
  EXPECT_EQ(lignes[g - 2], std::string(32, '_'));
  EXPECT_EQ(lignes[g - 3], "");
}

}  // namespace
