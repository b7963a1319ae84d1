// "lines": the sections, waterlines, buttocks and diagonals of a document cut
// through every visible surface and its mirror half, as text or JSON.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/CmdLignesCommun.h"
#include "exchange/Export.h"
#include "lines/Coupes.h"

namespace {

struct TOptionsLines : lignes_cli::TOptions {
  bool Json = false;
};

struct TFamilleCli {
  TFamilleLignes F;
  const char* Cle;    // JSON key
  const char* Titre;  // text output
  const char* Axe;
};
constexpr TFamilleCli Familles[] = {{flSections, "sections", "Couples", "Y"},
                                    {flLignesEau, "waterlines", "Lignes d'eau", "Z"},
                                    {flLongitudinales, "buttocks", "Longitudinales", "X"},
                                    {flDiagonales, "diagonals", "Diagonales", "Z0"}};

size_t NbPoints(const TCoupe& c) {
  size_t n = 0;
  for (const auto& p : c) n += p.size();
  return n;
}

int Lines(const TOptionsLines& o) {
  TDocument doc;
  lignes_cli::Prepare(doc, o);
  CalcTabLignesSec(doc);
  CalcTabLignesLE(doc);
  CalcTabLignesLgt(doc);
  CalcTabLignesDiag(doc);
  const TCoupe vide;
  nlohmann::json j = nlohmann::json::object();
  for (const auto& fam : Familles) {
    std::vector<double> pos = doc.Grille.Positions(fam.F);
    if (o.Json)
      j[fam.Cle] = nlohmann::json::array();
    else
      std::printf("%s: %zu\n", fam.Titre, pos.size());
    for (size_t k = 0; k < pos.size(); k++)
      for (int s = 0; s < doc.NbSurf(); s++) {
        const TEntity& e = doc.Surf(s);
        if (!e.Visible) continue;
        for (bool sym : {false, true}) {
          if (sym && !e.Sym) continue;
          const std::vector<TCoupe>& t = CoupesFamille(e, fam.F, sym);
          const TCoupe& c = k < t.size() ? t[k] : vide;
          if (o.Json) {
            nlohmann::json polys = nlohmann::json::array();
            for (const auto& p : c) {
              nlohmann::json pts = nlohmann::json::array();
              for (const auto& q : p) pts.push_back({q.X, q.Y, q.Z});
              polys.push_back(std::move(pts));
            }
            nlohmann::json entree = {{"position", pos[k]},
                                     {"surface", e.Nom},
                                     {"half", sym ? "mirror" : "main"},
                                     {"polylines", std::move(polys)}};
            if (fam.F == flDiagonales) entree["angle"] = doc.Grille.AngleDiag[k];
            j[fam.Cle].push_back(std::move(entree));
          } else {
            std::string angle =
                fam.F == flDiagonales ? "  angle " + FormatReel(doc.Grille.AngleDiag[k], 1) : "";
            std::printf("  %3zu  %s=%s%s  %s  %-6s  %zu polyligne(s), %zu point(s)\n", k + 1, fam.Axe,
                        Reel4(pos[k]).c_str(), angle.c_str(), Aligne(e.Nom, 20).c_str(),
                        sym ? "mirror" : "main", c.size(), NbPoints(c));
          }
        }
      }
  }
  if (o.Json) std::cout << j.dump() << "\n";
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsLines>();
  CLI::App* c =
      app.add_subcommand("lines", "Cut the lines grid through every visible surface and its mirror half");
  lignes_cli::Declare(c, *o);
  c->add_flag("--json", o->Json, "Machine-readable output: every line's polylines");
  return [c, o]() { return c->parsed() ? Lines(*o) : -1; };
}}};

}  // namespace
