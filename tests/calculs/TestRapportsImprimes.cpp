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
