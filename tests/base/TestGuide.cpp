// The user's guide as shipped: every link and picture of every page resolves (anchors
// included), every page is reached from the contents, and the pictures are the small
// PNGs the screenshot script makes, each of them shown somewhere.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "base/Chaines.h"

namespace fs = std::filesystem;

namespace {

const fs::path Guide = BRIVANE_GUIDE;

std::string Lit(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::vector<std::string> Valeurs(const std::string& html, const std::string& attribut) {
  std::vector<std::string> r;
  std::regex re("\\b" + attribut + "=\"([^\"]*)\"");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), re); it != std::sregex_iterator(); ++it)
    r.push_back((*it)[1]);
  return r;
}

std::set<std::string> Ancres(const std::string& html) {
  auto v = Valeurs(html, "id");
  return {v.begin(), v.end()};
}

// Width and height from a PNG's header; {0, 0} when it is not a PNG.
std::pair<unsigned, unsigned> TaillePng(const fs::path& p) {
  std::string d = Lit(p);
  if (d.size() < 24 || d.compare(1, 3, "PNG") != 0 || d.compare(12, 4, "IHDR") != 0) return {0, 0};
  auto u32 = [&d](size_t i) {
    unsigned v = 0;
    for (size_t k = 0; k < 4; k++) v = v << 8 | static_cast<unsigned char>(d[i + k]);
    return v;
  };
  return {u32(16), u32(20)};
}

std::vector<fs::path> Pages() {
  std::vector<fs::path> r;
  for (const auto& e : fs::directory_iterator(Guide))
    if (e.path().extension() == ".html") r.push_back(e.path());
  return r;
}

TEST(Guide, EveryLinkAndPictureOfEveryPageResolves) {
  std::vector<fs::path> pages = Pages();
  ASSERT_GE(pages.size(), 5u);
  ASSERT_TRUE(fs::exists(Guide / "index.html"));
  std::set<fs::path> montrees, atteintes;
  for (const fs::path& page : pages) {
    SCOPED_TRACE(page.filename().string());
    std::string html = Lit(page);
    EXPECT_NE(html.find("<title>"), std::string::npos);
    for (const char* attribut : {"href", "src"})
      for (const std::string& lien : Valeurs(html, attribut)) {
        if (lien.rfind("http", 0) == 0 || lien.rfind("mailto:", 0) == 0) continue;
        std::string fichier = lien.substr(0, lien.find('#'));
        std::string ancre = lien.find('#') == std::string::npos ? "" : lien.substr(lien.find('#') + 1);
        fs::path cible = fichier.empty() ? page : (page.parent_path() / fichier).lexically_normal();
        ASSERT_TRUE(fs::is_regular_file(cible)) << lien;
        // Inside the guide: it is installed as one folder.
        EXPECT_EQ(fs::relative(cible, Guide).string().rfind("..", 0), std::string::npos) << lien;
        if (!ancre.empty()) {
          EXPECT_TRUE(Ancres(Lit(cible)).count(ancre)) << lien;
        }
        if (std::string(attribut) == "src") montrees.insert(fs::canonical(cible));
        if (cible.extension() == ".html" && page.filename() == "index.html")
          atteintes.insert(fs::canonical(cible));
      }
  }
  for (const fs::path& page : pages)
    if (page.filename() != "index.html") {
      EXPECT_TRUE(atteintes.count(fs::canonical(page))) << page << " not in the contents";
    }
  // The pictures: PNGs of a screen's width at most, every one of them shown.
  int n = 0;
  for (const auto& e : fs::directory_iterator(Guide / "images")) {
    SCOPED_TRACE(e.path().filename().string());
    auto [l, h] = TaillePng(e.path());
    EXPECT_GT(l, 0u);
    EXPECT_LE(l, 1200u);
    EXPECT_LE(h, 900u);
    EXPECT_LT(fs::file_size(e.path()), 200u * 1024u);
    EXPECT_TRUE(montrees.count(fs::canonical(e.path()))) << "picture shown on no page";
    n++;
  }
  EXPECT_GE(n, 5);
}

TEST(Guide, EveryMenuPathItGivesIsTheProgramsOwn) {
  // "Données › Calculs hydrostatiques..." must be what the menus say, or the reader
  // looks for an item that is not there.
  std::set<std::string> libelles;
  for (const TChaineDef& d : TableChaines()) {
    std::string t = d.Defaut;
    t.erase(std::remove(t.begin(), t.end(), '&'), t.end());
    // "&Refaire " shows without its blank.
    while (!t.empty() && t.back() == ' ') t.pop_back();
    libelles.insert(t);
  }
  const std::string fleche = " \u203a ";
  int chemins = 0;
  for (const fs::path& page : Pages()) {
    std::string html = Lit(page);
    std::regex re("<span class=\"ui\">([^<]*)</span>");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), re); it != std::sregex_iterator(); ++it) {
      std::string chemin = (*it)[1];
      if (chemin.find(fleche) == std::string::npos) continue;
      chemins++;
      for (size_t debut = 0;;) {
        size_t fin = chemin.find(fleche, debut);
        std::string item = chemin.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut);
        EXPECT_TRUE(libelles.count(item))
            << page.filename() << ": \"" << item << "\" in \"" << chemin << "\"";
        if (fin == std::string::npos) break;
        debut = fin + fleche.size();
      }
    }
  }
  EXPECT_GE(chemins, 20);
}

}  // namespace
