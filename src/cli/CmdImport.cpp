// "import iges" and "import offsets": a new document from an IGES file's surfaces or
// from a table of offsets, with the deviation of each surface from what the file holds.
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/Services.h"
#include "cli/Commandes.h"
#include "document/GestFich.h"
#include "exchange/ImportCotes.h"
#include "exchange/ImportIGES.h"
#include "lines/Grille.h"
#include "session/ObjCom.h"

namespace {

struct TOptionsImportCli {
  std::string Entree, Sortie;
  double Tolerance = ToleranceImportDefaut;
  bool Json = false;
};

nlohmann::json JsonSurface(const TSurfaceImportee& s) {
  const TEntity& e = *s.Surface;
  nlohmann::json j = {{"name", e.Nom},
                      {"source", s.Source},
                      {"exact", s.Exacte},
                      {"deviation", s.Ecart},
                      {"symmetric", e.Sym}};
  if (const auto* n = dynamic_cast<const TSurface*>(&e)) {
    j["kind"] = "nurbs";
    j["rows"] = n->Net.NbLn;
    j["columns"] = n->Net.NbCol;
    j["order_rows"] = n->Net.LFlex;
    j["order_columns"] = n->Net.CFlex;
  } else {
    j["kind"] = "mesh";
    j["rows"] = e.NbLnPt + 1;
    j["columns"] = e.NbColPt + 1;
  }
  return j;
}

int Importe(bool iges, const TOptionsImportCli& o) {
  if (!(o.Tolerance >= ToleranceImportMin && o.Tolerance <= ToleranceImportMax))
    throw TErreurCli("--tolerance must lie between 0.000001 and 1 m");
  if (FichierLectureSeule(o.Sortie)) throw TErreurCli(o.Sortie + " is read-only; not written over");
  TMessagesCollectes messages;
  TImportCoque r = iges ? ImporteIGES(o.Entree, o.Tolerance) : ImporteCotes(o.Entree, o.Tolerance);
  if (!r.Ok()) throw TErreurCli(r.Erreur);
  nlohmann::json j = {{"input", o.Entree},
                      {"output", o.Sortie},
                      {"tolerance", r.Tolerance},
                      {"surfaces", nlohmann::json::array()},
                      {"warnings", r.Avertissements}};
  for (const auto& s : r.Surfaces) j["surfaces"].push_back(JsonSurface(s));
  j["max_deviation"] = r.EcartMax();
  const std::vector<std::string> resume = ResumeImport(r);
  TDocument doc;
  doc.InitDefaut();
  const std::string refus = InstalleImport(doc, r, true);
  if (!refus.empty()) throw TErreurCli(o.Entree + ": " + refus);
  MajSurface(doc, true, -1);
  GrilleParDefaut(doc);
  MajSurface(doc, true, -1);
  std::vector<int> nums;
  for (int k = 0; k < doc.NbSurf(); k++) nums.push_back(k);
  std::string erreur;
  if (!EnregistrerFichier(doc, nums, o.Sortie, &erreur)) throw TErreurCli(erreur);
  Avertit(messages);
  if (o.Json) {
    std::cout << j.dump(2) << "\n";
  } else {
    for (const auto& l : resume) std::cout << l << "\n";
    std::cout << o.Sortie << ": " << doc.NbSurf() << " surface(s), largest deviation "
              << Reel4(j["max_deviation"]) << " m\n";
  }
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  CLI::App* c = app.add_subcommand("import", "Start a document from IGES surfaces or a table of offsets");
  c->require_subcommand(1);
  struct TSous {
    CLI::App* App;
    std::shared_ptr<TOptionsImportCli> O;
  };
  auto declare = [c](const char* nom, const char* aide, const char* entree) {
    auto o = std::make_shared<TOptionsImportCli>();
    CLI::App* s = c->add_subcommand(nom, aide);
    s->add_option("input", o->Entree, entree)->required();
    s->add_option("output", o->Sortie, "Document to write (.kvb)")->required();
    s->add_option("--tolerance", o->Tolerance,
                  "Largest deviation allowed of a fitted surface, m (default 0.001)");
    s->add_flag("--json", o->Json, "Machine-readable output");
    return TSous{s, o};
  };
  TSous iges = declare("iges", "Rational B-spline surfaces of an IGES file (entities 128, 143, 144)",
                       "IGES file to read (.igs)");
  TSous cotes =
      declare("offsets", "A table of offsets: waterline heights, then per station its half-breadths",
              "Semicolon-separated table to read (.csv)");
  return [c, iges, cotes]() {
    if (!c->parsed()) return -1;
    if (iges.App->parsed()) return Importe(true, *iges.O);
    return Importe(false, *cotes.O);
  };
}}};

}  // namespace
