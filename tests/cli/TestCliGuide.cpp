// The outputs the user's guide quotes are what the program prints today: a page that
// quotes an older result fails here (scripts/guide-outputs.sh writes them anew).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "cli/CliAide.h"

namespace fs = std::filesystem;

namespace {

std::string Lit(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::ostringstream s;
  s << f.rdbuf();
  return s.str();
}

std::string SansEntites(std::string t) {
  for (auto [e, c] : {std::pair{"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&amp;", "&"}})
    for (size_t i; (i = t.find(e)) != std::string::npos;) t.replace(i, std::string(e).size(), c);
  return t;
}

std::vector<std::string> Coupe(const std::string& t, char sep) {
  std::vector<std::string> r;
  std::stringstream in(t);
  for (std::string l; std::getline(in, l, sep);) r.push_back(l);
  return r;
}

}  // namespace

TEST(Guide, EveryQuotedOutputIsWhatTheProgramGives) {
  const fs::path guide = BRIVANE_GUIDE;
  const std::string racine = fs::canonical(guide / ".." / "..").string();
  const std::regex bloc(
      "<pre class=\"sortie\" data-cli=\"([^\"]*)\"(?: data-filtre=\"([^\"]*)\")?>([^<]*)</pre>");
  int n = 0;
  for (const auto& e : fs::directory_iterator(guide)) {
    if (e.path().extension() != ".html") continue;
    const std::string html = Lit(e.path());
    for (auto it = std::sregex_iterator(html.begin(), html.end(), bloc); it != std::sregex_iterator(); ++it) {
      const std::string args = SansEntites((*it)[1]);
      // Run where the page's paths ("samples/...") lead.
      ResultatCli r = LanceCli(args, false, racine);
      ASSERT_EQ(r.Code, 0) << e.path().filename() << ": " << args;
      std::vector<std::string> lignes = Coupe(r.Sortie, '\n');
      if ((*it)[2].matched) {
        std::vector<std::string> gardees;
        const std::vector<std::string> textes = Coupe(SansEntites((*it)[2]), '|');
        for (const auto& l : lignes)
          for (const auto& t : textes)
            if (l.find(t) != std::string::npos) {
              gardees.push_back(l);
              break;
            }
        lignes = gardees;
      }
      std::string attendu = "$ brivane-cli " + args;
      for (const auto& l : lignes) attendu += "\n" + l;
      EXPECT_EQ(SansEntites((*it)[3]), attendu) << e.path().filename() << ": brivane-cli " << args;
      n++;
    }
  }
  EXPECT_GE(n, 5);
}
