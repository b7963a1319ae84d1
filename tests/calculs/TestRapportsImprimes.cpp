// The printed reports as the user gets them: the program run with --print writes the
// report of a calculation window to a PDF, and the page's text is read back with
// pdftotext, cropped to the A4 page, so that a value drawn past the edge is missing.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TSortie {
  int Code = -1;
  std::string Texte;
};

TSortie Lance(const std::string& commande) {
  TSortie r;
  FILE* f = popen((commande + " 2>&1").c_str(), "r");
  if (!f) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) r.Texte.append(buf, n);
  const int s = pclose(f);
  r.Code = WIFEXITED(s) ? WEXITSTATUS(s) : -1;
  return r;
}

std::string Echantillon(const char* nom) { return std::string(BRIVANE_SAMPLES) + "/" + nom; }

std::string Cli(const std::string& args) {
  // Standard output alone: the warnings on standard error are no part of the JSON.
  return Lance("(" + std::string(BRIVANE_CLI) + " " + args + " 2>/dev/null)").Texte;
}

class Rapports : public ::testing::Test {
 protected:
  void SetUp() override {
    Dossier =
        std::filesystem::temp_directory_path() /
        ("brivane_rapports_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(Dossier);
  }
  void TearDown() override { std::filesystem::remove_all(Dossier); }
  // Prints window nom on the sample with the program itself; the PDF's path.
  std::string Imprime(const char* nom, const char* echantillon) {
    const std::string pdf = (Dossier / (std::string(nom) + ".pdf")).string();
    TSortie s = Lance(std::string("QT_QPA_PLATFORM=offscreen ") + BRIVANE_GUI_EXE + " --print " + nom + " " +
                      pdf + " " + Echantillon(echantillon));
    EXPECT_EQ(s.Code, 0) << s.Texte;
    return pdf;
  }
  static int Pages(const std::string& pdf) {
    const std::string t = Lance("pdfinfo " + pdf).Texte;
    const size_t k = t.find("Pages:");
    return k == std::string::npos ? 0 : std::stoi(t.substr(k + 6));
  }
  // The text of one page (0: all), what lies within the A4 page only.
  static std::vector<std::string> Lignes(const std::string& pdf, int page = 0) {
    std::string cmd = "pdftotext -layout -x 0 -y 0 -W 595 -H 842 ";
    if (page > 0) cmd += "-f " + std::to_string(page) + " -l " + std::to_string(page) + " ";
    std::stringstream s(Lance(cmd + pdf + " -").Texte);
    std::vector<std::string> r;
    for (std::string l; std::getline(s, l);) r.push_back(l);
    return r;
  }
  // A line holding every one of the texts, in this order.
  static bool LigneAvec(const std::vector<std::string>& lignes, const std::vector<std::string>& textes) {
    for (const std::string& l : lignes) {
      size_t p = 0;
      bool ok = true;
      for (const std::string& t : textes) {
        p = l.find(t, p);
        if (p == std::string::npos) {
          ok = false;
          break;
        }
        p += t.size();
      }
      if (ok) return true;
    }
    return false;
  }
  std::filesystem::path Dossier;
};

std::string F4(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%.4f", v);
  return b;
}

std::string F3(double v) {
  char b[64];
  std::snprintf(b, sizeof b, "%.3f", v);
  return b;
}

TEST_F(Rapports, HydrostatiquesMontrentChaqueValeurSurLaPage) {
  const std::string pdf = Imprime("hydrostat", "Voilier11.kvb");
  const auto l = Lignes(pdf);
  // The displacement in sea water of the sloop.
  EXPECT_TRUE(LigneAvec(l, {"Déplacement en eau de mer [Kg]", "8394.7"}));
  // Every row the command line gives, label and value on one line of the page.
  auto j = nlohmann::json::parse(Cli("hydro --json " + Echantillon("Voilier11.kvb")));
  int n = 0;
  for (const auto& r : j["rows"]) {
    if (!r.contains("value") || r["value"].is_null()) continue;
    const std::string lib = r["label"].get<std::string>(), v = F4(r["value"].get<double>());
    EXPECT_TRUE(LigneAvec(l, {lib, v})) << lib << " " << v;
    n++;
  }
  EXPECT_GT(n, 20);
}

TEST_F(Rapports, StabiliteLaTableDesMesuresContinueSousSonEntete) {
  const std::string pdf = Imprime("stab", "Voilier11.kvb");
  const int pages = Pages(pdf);
  ASSERT_GE(pages, 2);
  auto j = nlohmann::json::parse(Cli("stab --json " + Echantillon("Voilier11.kvb")));
  const auto tout = Lignes(pdf);
  // Every synthesis value beside its label.
  for (const auto& s : j["synthesis"]) {
    const std::string lib = s["label"].get<std::string>();
    EXPECT_TRUE(LigneAvec(tout, {lib})) << lib;
  }
  // Every step: its heel, its GZ and its wetted area on one line, within the page.
  ASSERT_EQ(j["steps"].size(), 37u);
  for (const auto& s : j["steps"]) {
    char g[32];
    std::snprintf(g, sizeof g, "%.2f", s["Gite"].get<double>());
    EXPECT_TRUE(LigneAvec(tout, {g, F4(s["GZ"].get<double>()), F4(s["Surf. mouillée"].get<double>())}))
        << "heel " << g;
  }
  // Each page the table reaches begins it again with the column names.
  for (int p = 2; p <= pages; p++) {
    const auto lp = Lignes(pdf, p);
    EXPECT_TRUE(LigneAvec(lp, {"Gite", "Assiette", "Enfoncement", "GZ", "Moment", "Surf. mouillée"}))
        << "page " << p;
  }
}

TEST_F(Rapports, PoidsEtTableDesCotesEnColonnes) {
  {
    const std::string pdf = Imprime("poids", "Voilier11.kvb");
    const auto l = Lignes(pdf);
    auto j = nlohmann::json::parse(Cli("weights --json " + Echantillon("Voilier11.kvb")));
    const auto& t = j["total"];
    EXPECT_TRUE(LigneAvec(l, {F3(t["mass"].get<double>()), F3(t["x"].get<double>()), F3(t["y"].get<double>()),
                              F3(t["z"].get<double>())}))
        << j["total"].dump();
  }
  {
    const std::string pdf = Imprime("tabcotes", "Voilier11.kvb");
    const int pages = Pages(pdf);
    std::vector<std::string> tout;
    for (int p = 1; p <= pages; p++) {
      const auto lp = Lignes(pdf, p);
      tout.insert(tout.end(), lp.begin(), lp.end());
    }
    std::stringstream s(Cli("offsets " + Echantillon("Voilier11.kvb")));
    std::vector<std::vector<std::string>> rangees;
    for (std::string x; std::getline(s, x);) {
      std::vector<std::string> c;
      std::stringstream sx(x);
      for (std::string y; std::getline(sx, y, ';');) c.push_back(y);
      rangees.push_back(c);
    }
    ASSERT_GT(rangees.size(), 10u);
    // Every row with all its cells, the last column within the page.
    for (const auto& c : rangees) {
      std::vector<std::string> non;
      for (const auto& x : c)
        if (!x.empty()) non.push_back(x);
      EXPECT_TRUE(LigneAvec(tout, non)) << c[0];
    }
    // The header of the table begins each page after the first.
    for (int p = 2; p <= pages; p++) {
      std::vector<std::string> entete;
      for (const auto& x : rangees[0])
        if (!x.empty()) entete.push_back(x);
      EXPECT_TRUE(LigneAvec(Lignes(pdf, p), entete)) << "page " << p;
    }
  }
}

TEST_F(Rapports, CriteresEtCourbesKNImprimesAvecCeQuIlsSupposent) {
  const std::string pdf = Imprime("stabcriteres", "Voilier11.kvb");
  const auto l = Lignes(pdf);
  auto j = nlohmann::json::parse(Cli("stab --json --criteria --max 60 " + Echantillon("Voilier11.kvb")));
  ASSERT_EQ(j["criteria"].size(), 6u);
  for (const auto& c : j["criteria"]) {
    const std::string lib = c["label"].get<std::string>();
    EXPECT_TRUE(
        LigneAvec(l, {lib, F4(c["attained"].get<double>()), c["pass"].get<bool>() ? "Satisfait" : "Non"}))
        << lib;
  }
  // GM, the flooding angle and the side: what the verdicts rest on.
  EXPECT_TRUE(LigneAvec(l, {"GM initial, flottaison droite [m] :", F4(j["criteria_gm"].get<double>())}));
  EXPECT_TRUE(LigneAvec(l, {"Angle d'envahissement"}));
  EXPECT_TRUE(LigneAvec(l, {"Côté de gîte", j["criteria_side"].get<std::string>()}));

  const std::string kn = Imprime("stabkn", "Voilier11.kvb");
  const auto k = Lignes(kn);
  EXPECT_TRUE(LigneAvec(k, {"LCG [m]", "0.00°", "90.00°"}));
  // The curve at the floating displacement, every heel on the page.
  auto c = nlohmann::json::parse(
      Cli("kn --json --displacements 8395 --heels 0:90:10 " + Echantillon("Voilier11.kvb")));
  std::vector<std::string> rangee{"8395.0"};
  for (const auto& p : c["curves"][0]["points"]) rangee.push_back(F4(p["kn"].get<double>()));
  EXPECT_TRUE(LigneAvec(k, rangee));
}

}  // namespace

// Documents whose printed values have closed forms, written to the test's folder and printed
// by the program as a user would: brivane --print NAME OUT.pdf FILE.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableWidget>
#include <numbers>

#include "Aide.h"
#include "document/GestFich.h"
#include "lines/Aides.h"
#include "lines/Grille.h"
#include "lines/forms/TabCotesForm.h"
#include "naval/Barge.h"
#include "naval/Stab.h"
#include "naval/forms/StabForm.h"
#include "ui/Rapport.h"

namespace {

// The number printed right after the label on its line (NaN when the label is not there). The
// n-th line holding the label when it is printed more than once.
double Nombre(const std::vector<std::string>& lignes, const std::string& libelle, int n = 0) {
  for (const std::string& l : lignes) {
    const size_t k = l.find(libelle);
    if (k == std::string::npos || n-- > 0) continue;
    const char* d = l.c_str() + k + libelle.size();
    char* f = nullptr;
    const double v = std::strtod(d, &f);
    return f != d ? v : std::nan("");
  }
  return std::nan("");
}

// The lines after the first one holding a heading.
std::vector<std::string> Apres(const std::vector<std::string>& lignes, const std::string& titre) {
  for (size_t i = 0; i < lignes.size(); i++)
    if (lignes[i].find(titre) != std::string::npos)
      return {lignes.begin() + static_cast<long>(i) + 1, lignes.end()};
  return {};
}

// A closed box barge B x L x D floating at T, and under its middle a closed fin bf wide, lf long
// and hf deep: an appendage (shorter than half the barge).
struct TBargeAileron {
  double B = 6, L = 20, T = 1.5, D = 3, bf = 0.4, lf = 4, hf = 1;
  void Construit(TDocument& doc, bool aileron) const {
    doc.TabSurf.clear();
    AjouteBargeFermee(doc, B, L, T, D, 8);
    if (aileron) {
      TEntity& f = AjouteBargeFermee(doc, bf, lf, hf, hf, 4);
      f.Nom = "Aileron";
      for (auto& r : f.Pts)
        for (auto& p : r) p.Y += (L - lf) / 2, p.Z -= T;
    }
    MajSurface(doc, true, -1);
  }
};

class RapportsCalcules : public Rapports {
 protected:
  std::string Ecrit(TDocument& doc, const char* nom) {
    const std::string f = (Dossier / nom).string();
    std::vector<int> nums;
    for (int k = 0; k < doc.NbSurf(); k++) nums.push_back(k);
    std::string erreur;
    EXPECT_TRUE(EnregistrerFichier(doc, nums, f, &erreur)) << erreur;
    return f;
  }
  std::vector<std::string> ImprimeDoc(const char* fenetre, const std::string& fichier) {
    const std::string pdf = (Dossier / (std::string(fenetre) + ".pdf")).string();
    TSortie s = Lance(std::string("QT_QPA_PLATFORM=offscreen ") + BRIVANE_GUI_EXE + " --print " + fenetre +
                      " " + pdf + " " + fichier);
    EXPECT_EQ(s.Code, 0) << s.Texte;
    std::vector<std::string> tout;
    for (int p = 1; p <= Pages(pdf); p++) {
      const auto l = Lignes(pdf, p);
      tout.insert(tout.end(), l.begin(), l.end());
    }
    return tout;
  }
};

TEST_F(RapportsCalcules, HydrostatiquesDisentOuLesMesuresSontPrises) {
  const TBargeAileron b;
  TDocument doc;
  b.Construit(doc, true);
  const auto l = ImprimeDoc("hydrostat", Ecrit(doc, "aileron.kvb"));
  // K is the fin's bottom; the drafts run from it to the waterline, the freeboard from the
  // waterline to the deck edge.
  const double k = -(b.T + b.hf);
  EXPECT_NEAR(Nombre(l, "K, point le plus bas de la portée : Z du modèle [m]"), k, 1e-4);
  EXPECT_NEAR(Nombre(l, "Tirant moyen, de K à la flottaison [m]"), -k, 1e-4);
  EXPECT_TRUE(LigneAvec(l, {"Tirant arrière (Y = 0.0000), de K à la flottaison [m]", F4(-k)}));
  EXPECT_TRUE(LigneAvec(l, {"Tirant avant (Y = 20.0000), de K à la flottaison [m]", F4(-k)}));
  EXPECT_NEAR(Nombre(l, "Franc-bord minimal, de la flottaison au haut de la coque [m]"), b.D - b.T, 1e-4);
  EXPECT_NEAR(Nombre(l, "Assiette [°] (positive quand l'extrémité +Y se relève)"), 0, 1e-9);
  EXPECT_NEAR(Nombre(l, "Gite [°] (positive quand le côté -X s'enfonce)"), 0, 1e-9);
  EXPECT_NEAR(Nombre(l, "Densité de l'eau de mer [t/m3]"), 1.026, 1e-9);
  EXPECT_NEAR(Nombre(l, "Densité de l'eau douce [t/m3]"), 1.0, 1e-9);
  EXPECT_TRUE(LigneAvec(l, {"Surfaces calculées", "Barge (deux bords), Aileron (deux bords)"}));
  EXPECT_TRUE(LigneAvec(l, {"Précision des surfaces", std::to_string(doc.Precision)}));

  // The coefficients with the fin: T is the depth at the largest section, the fin's.
  const double vf = b.bf * b.lf * b.hf, v = b.B * b.L * b.T + vf;
  const double aMax = b.B * b.T + b.bf * b.hf;
  EXPECT_NEAR(Nombre(l, "Volume immergé [m3]"), v, 1e-3);
  EXPECT_NEAR(Nombre(l, "Coef. de bloc"), v / (b.B * b.L * (b.T + b.hf)), 1e-4);
  EXPECT_NEAR(Nombre(l, "Coef. prismatique"), v / (aMax * b.L), 1e-4);
  // The canoe body alone is the box: every coefficient 1.
  const auto c = Apres(l, "Carène seule, sans appendices");
  ASSERT_FALSE(c.empty());
  EXPECT_TRUE(LigneAvec(c, {"Surfaces de la carène", "Barge"}));
  EXPECT_FALSE(LigneAvec(c, {"Surfaces de la carène", "Aileron"}));
  const double v0 = b.B * b.L * b.T;
  EXPECT_NEAR(Nombre(c, "Volume immergé [m3]"), v0, 1e-3);
  for (const char* coef :
       {"Coef. prismatique", "Coef. de bloc", "Coef. de flottaison Cwp", "Coef. de maître couple Cm"})
    EXPECT_NEAR(Nombre(c, coef), 1, 1e-4) << coef;
  EXPECT_NEAR(Nombre(c, "Coef. volumique ( V/L puiss(3) )"), v0 / (b.L * b.L * b.L), 1e-4);
  EXPECT_NEAR(Nombre(c, "Coef. de finesse global ( L/V puiss(1/3) )"), b.L / std::cbrt(v0), 1e-4);

  // Without an appendage, the canoe body's coefficients are said to be those above.
  TDocument seule;
  b.Construit(seule, false);
  const auto s = ImprimeDoc("hydrostat", Ecrit(seule, "barge.kvb"));
  EXPECT_NEAR(Nombre(s, "K, point le plus bas de la portée : Z du modèle [m]"), -b.T, 1e-4);
  EXPECT_TRUE(LigneAvec(Apres(s, "Carène seule"), {"Coefficients de la carène seule", "aucun appendice"}));
}

// The synthesis of a box barge with a flooding point on its deck: GM of the upright waterplane,
// the heel where the point goes under (the waterline of a wall-sided box turns about its middle
// until the bilge emerges) and the angle of the largest arm of the box's section.
TEST_F(RapportsCalcules, LaSyntheseDeStabiliteDonneGMEtLAngleDEnvahissement) {
  const TBargeAileron b;
  TDocument doc;
  b.Construit(doc, false);
  TRepereEnv p;
  p.Nom = "Descente";
  p.X = 2, p.Y = 10, p.Z = 0.6;
  doc.ListeReperesEnv.push_back(p);
  const auto l = ImprimeDoc("stab", Ecrit(doc, "envahissement.kvb"));
  const double kg = b.D / 2;  // the barge's own weight sits at the middle of its volume
  const double gm = b.T / 2 + b.B * b.B / (12 * b.T) - kg;
  EXPECT_NEAR(Nombre(l, "GM initial, flottaison droite [m]"), gm, 1e-3 * gm);
  const double env = std::atan(p.Z / p.X) * 180 / std::numbers::pi;
  ASSERT_LT(env, std::atan(2 * b.T / b.B) * 180 / std::numbers::pi);  // before the bilge emerges
  EXPECT_NEAR(Nombre(l, "Angle d'envahissement [°]"), env, 0.05);
  EXPECT_TRUE(LigneAvec(l, {"Angle d'envahissement [°]", "(point Descente)"}));
  // The largest arm: golden section on the section's own arm.
  double lo = 10, hi = 80;
  const double r = (std::sqrt(5.0) - 1) / 2;
  auto gz = [&](double a) { return GZSectionBoite(b.B, b.D, b.T, kg, a * std::numbers::pi / 180); };
  while (hi - lo > 1e-6) {
    const double c = hi - r * (hi - lo), d = lo + r * (hi - lo);
    if (gz(c) > gz(d))
      hi = d;
    else
      lo = c;
  }
  EXPECT_NEAR(Nombre(l, "Angle de GZ max, cherché entre les pas [°]"), (lo + hi) / 2, 0.1);
}

}  // namespace

namespace {

// A flooding point the sweep does not reach reads "non atteint", not a heel of 0; none at all
// reads "aucun".
TEST(SyntheseStabilite, UnAngleNonAtteintLeDit) {
  EnregistreMessages m;
  const TBargeAileron b;
  TDocument doc;
  b.Construit(doc, false);
  TRepereEnv p;
  p.Nom = "Mat";
  p.X = 0, p.Y = 10, p.Z = 40;  // the masthead: under water beyond 60 degrees only
  doc.ListeReperesEnv.push_back(p);
  auto valeur = [](const TStabForm& f, const std::string& lib) {
    for (int i = 0; i < f.Synth->rowCount(); i++)
      if (f.Synth->item(i, 0) && f.Synth->item(i, 0)->text().toStdString() == lib)
        return f.Synth->item(i, 1)->text().toStdString();
    return std::string("?");
  };
  {
    TStabForm f(doc);
    f.EdAngleMax->setText("60");
    ASSERT_EQ(f.Calculer(), "");
    EXPECT_EQ(valeur(f, "Angle d'envahissement [°]"), "non atteint");
    // The printed report holds the same row.
    bool imprime = false;
    for (const TLigneRapport& r : f.LignesRapport())
      imprime = imprime || r.Texte == "Angle d'envahissement [°]\tnon atteint";
    EXPECT_TRUE(imprime);
  }
  doc.ListeReperesEnv.clear();
  TStabForm f(doc);
  f.EdAngleMax->setText("60");
  ASSERT_EQ(f.Calculer(), "");
  EXPECT_EQ(valeur(f, "Angle d'envahissement [°]"), "aucun");
}

// A wedge whose half-breadth grows along the length: at station y and height z the section's
// half-breadth is b(y) (z + 1) / 2, and the buttock at x stands at z = 2 x / b(y) - 1.
struct TCoin {
  static double Largeur(double y) { return 1 + 0.1 * y; }
  static void Construit(TDocument& doc) {
    doc.TabSurf.clear();
    TGrille& g = doc.Grille;
    g.NbSec = 3, g.PosSec[0] = 2.5, g.PosSec[1] = 5, g.PosSec[2] = 7.5;
    g.NbLE = 3, g.PosLgE[0] = -0.5, g.PosLgE[1] = 0, g.PosLgE[2] = 0.5;
    g.NbLong = 2, g.PosLong[0] = 0.3, g.PosLong[1] = 0.6;
    g.PosLongSym[0] = -0.3, g.PosLongSym[1] = -0.6;
    MinMaxGrille(g);
    aides::AjouteMaillage(doc, "Coin", aides::Grille(4, 4, [](int i, int j) {
                            const double y = 2.5 * j, s = i / 4.0;
                            return TVertex3f{Largeur(y) * s, y, -1 + 2 * s};
                          }));
    MajSurface(doc, true, -1);
  }
};

TEST_F(RapportsCalcules, LaTableDesCotesEnMatriceCouplesParLignesDEau) {
  TDocument doc;
  TCoin::Construit(doc);
  const double ys[3] = {2.5, 5, 7.5}, zs[3] = {-0.5, 0, 0.5}, xs[2] = {0.3, 0.6};
  {
    TTabCotesForm f(doc);
    f.Calculer();
    QTableWidget* m = f.GrilleMatrice;
    ASSERT_EQ(m->rowCount(), 3);
    ASSERT_EQ(m->columnCount(), 5);
    EXPECT_EQ(m->horizontalHeaderItem(2)->text(), "Z -0.5000");
    for (int s = 0; s < 3; s++) {
      EXPECT_EQ(m->item(s, 1)->text().toDouble(), ys[s]);
      for (int n = 0; n < 3; n++)
        EXPECT_NEAR(m->item(s, 2 + n)->text().toDouble(), TCoin::Largeur(ys[s]) * (zs[n] + 1) / 2, 1.5e-4)
            << s << " " << n;
    }
    f.Croisement->setCurrentIndex(1);
    f.Calculer();
    ASSERT_EQ(m->columnCount(), 4);
    EXPECT_EQ(m->horizontalHeaderItem(3)->text(), "X 0.6000");
    for (int s = 0; s < 3; s++)
      for (int n = 0; n < 2; n++)
        EXPECT_NEAR(m->item(s, 2 + n)->text().toDouble(), 2 * xs[n] / TCoin::Largeur(ys[s]) - 1, 1.5e-4)
            << s << " " << n;
  }
  // The printed report: after the list, the matrix, a row per station.
  const auto l = Apres(ImprimeDoc("tabcotes", Ecrit(doc, "coin.kvb")), "Demi-largeurs [m] : couples");
  ASSERT_FALSE(l.empty());
  EXPECT_TRUE(LigneAvec(l, {"Couple", "Y", "Z -0.5000", "Z 0.0000", "Z 0.5000"}));
  for (int s = 0; s < 3; s++) {
    std::vector<std::string> rangee{std::to_string(s), F4(ys[s])};
    for (double z : zs) rangee.push_back(F4(TCoin::Largeur(ys[s]) * (z + 1) / 2));
    EXPECT_TRUE(LigneAvec(l, rangee)) << s;
  }
}

}  // namespace
