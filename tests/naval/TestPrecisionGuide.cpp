// The guide's page on accuracy quotes how the hydrostatics converge with the precision on
// the Wigley hull, against its closed forms: the table there is what the calculation gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "naval/Hydrostat.h"
#include "naval/Wigley.h"

namespace {

// Two significant digits, without an exponent: "0.058", "1.4", "0.000086".
std::string Pourcent(double erreur) {
  const double p = 100 * erreur;
  const int decimales = p > 0 ? std::max(0, 1 - static_cast<int>(std::floor(std::log10(p)))) : 1;
  char t[32];
  std::snprintf(t, sizeof t, "%.*f", decimales, p);
  return t;
}

}  // namespace

TEST(Precision, TheGuidesWigleyTableIsWhatTheCalculationGives) {
  const double L = 10, B = 1, T = 0.625;
  // x = B/2 (1 - (2y/L)²)(1 - (z/T)²): V = 4/9 L B T, Awp = 2/3 L B, KB = 5/8 T, BMt = 3 B² / (35 T).
  const double V = 4.0 / 9 * L * B * T, Awp = 2.0 / 3 * L * B, KB = 5.0 / 8 * T, BMt = 3 * B * B / (35 * T);
  std::string attendu;
  double precedente = 1;
  for (int n : {10, 20, 50, 100, 200}) {
    TDocument doc;
    AjouteWigley(doc, L, B, T, 0.2, n);
    MajSurfacesPortee(doc, PorteeCalc(doc));
    std::map<std::string, double> v;
    for (const auto& l : CalcHydrostatiques(doc, PorteeCalc(doc), std::min(2 * n + 1, 201)).Lignes)
      if (!l.Titre) v[l.Groupe + "/" + l.Libelle] = l.Valeur;
    const double eV = std::abs(v.at("Carène immergée/Volume immergé [m3]") / V - 1);
    attendu += "<tr><td>" + std::to_string(n) + "</td><td>" + Pourcent(eV) + "</td><td>" +
               Pourcent(std::abs(v.at("Flottaison/Aire [m²]") / Awp - 1)) + "</td><td>" +
               Pourcent(std::abs(v.at("Stabilité initiale/KB [m]") / KB - 1)) + "</td><td>" +
               Pourcent(std::abs(v.at("Stabilité initiale/BMt [m]") / BMt - 1)) + "</td></tr>\n";
    // The volume error falls with the precision, as the square of the division.
    EXPECT_LT(eV, precedente) << n;
    precedente = eV;
  }
  std::ifstream f(std::filesystem::path(BRIVANE_GUIDE) / "precision.html");
  std::stringstream page;
  page << f.rdbuf();
  std::smatch m;
  const std::string html = page.str();
  ASSERT_TRUE(std::regex_search(html, m, std::regex("<tbody id=\"wigley\">\n([^]*?)</tbody>")));
  EXPECT_EQ(m[1].str(), attendu);
}
