// "info": the surfaces of a document and its extents.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/Commandes.h"
#include "session/ObjCom.h"

namespace {

struct TOptionsInfo {
  std::string Fichier;
  bool Json = false;
};

int Info(const TOptionsInfo& o) {
  TDocument doc;
  ChargeDocumentCli(doc, o.Fichier);
  MajMinMaxAllNet(doc, false);
  if (o.Json) {
    nlohmann::json j;
    j["surfaces"] = nlohmann::json::array();
    for (int k = 0; k < doc.NbSurf(); k++) {
      const TEntity& e = doc.Surf(k);
      const TSurface* s = dynamic_cast<const TSurface*>(&e);
      nlohmann::json js = {{"name", e.Nom},
                           {"type", s ? "SNURBS" : "MESH"},
                           {"rows", s ? s->Net.NbLn : e.NbLnPt + 1},
                           {"cols", s ? s->Net.NbCol : e.NbColPt + 1},
                           {"visible", e.Visible},
                           {"locked", e.Verrou},
                           {"sym", e.Sym},
                           {"calc", e.Calc},
                           {"sail", e.Voile}};
      if (s) {
        js["lflex"] = s->Net.LFlex;
        js["cflex"] = s->Net.CFlex;
      } else {
        js["lflex"] = nullptr;
        js["cflex"] = nullptr;
      }
      j["surfaces"].push_back(js);
    }
    // Without a surface the extents are the empty box's sentinels, no numbers.
    if (doc.NbSurf() == 0)
      j["extents"] = nullptr;
    else
      j["extents"] = {{"xmin", doc.SurfXMin}, {"xmax", doc.SurfXMax}, {"ymin", doc.SurfYMin},
                      {"ymax", doc.SurfYMax}, {"zmin", doc.SurfZMin}, {"zmax", doc.SurfZMax}};
    j["precision"] = doc.Precision;
    std::cout << j.dump(2) << "\n";
    return 0;
  }
  std::cout << "Document: " << (o.Fichier.empty() ? std::string("(nouveau)") : o.Fichier) << "\n";
  std::cout << "Surfaces: " << doc.NbSurf() << "\n";
  for (int k = 0; k < doc.NbSurf(); k++) {
    const TEntity& e = doc.Surf(k);
    const TSurface* s = dynamic_cast<const TSurface*>(&e);
    std::printf("  %d  %s  %-6s  %2d x %-2d", k, Aligne(e.Nom, 20).c_str(), s ? "SNURBS" : "MESH",
                s ? s->Net.NbLn : e.NbLnPt + 1, s ? s->Net.NbCol : e.NbColPt + 1);
    if (s) std::printf("  ordres %d x %d", s->Net.LFlex, s->Net.CFlex);
    std::printf("  %s%s%s%s%s\n", e.Visible ? "Visible " : "", e.Verrou ? "Verrou " : "", e.Sym ? "Sym " : "",
                e.Calc ? "Calc " : "", e.Voile ? "Voile " : "");
  }
  if (doc.NbSurf() == 0) {
    std::printf("Etendue: aucune surface\n");
    return 0;
  }
  std::printf("Etendue X: %s .. %s\n", Reel4(doc.SurfXMin).c_str(), Reel4(doc.SurfXMax).c_str());
  std::printf("Etendue Y: %s .. %s\n", Reel4(doc.SurfYMin).c_str(), Reel4(doc.SurfYMax).c_str());
  std::printf("Etendue Z: %s .. %s\n", Reel4(doc.SurfZMin).c_str(), Reel4(doc.SurfZMax).c_str());
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsInfo>();
  CLI::App* c = app.add_subcommand("info", "List the surfaces of a document and its extents");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_flag("--json", o->Json, "Machine-readable output");
  return [c, o]() { return c->parsed() ? Info(*o) : -1; };
}}};

}  // namespace
