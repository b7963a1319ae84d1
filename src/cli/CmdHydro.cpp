// "hydro": the hydrostatic particulars of a document at its waterline Z = 0.
#include <iostream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "app/Chaines.h"
#include "cli/Commandes.h"
#include "model/ObjCom.h"
#include "naval/Hydrostat.h"

namespace {

struct TOptionsHydro {
  std::string Fichier;
  std::string Surfaces;
  int Sections = 0;  // 0: twice the precision plus one, as the window proposes
  int Precision = 0;
  bool Json = false;
  bool Courbe = false;
};

TListSurf Portee(const TDocument& doc, const std::string& noms) {
  if (noms.empty()) return PorteeCalc(doc);
  TListSurf l;
  std::stringstream ss(noms);
  std::string nom;
  while (std::getline(ss, nom, ',')) {
    int k = SurfNom2Num(doc, nom);
    if (k < 0) throw TErreurCli("no surface named \"" + nom + "\"");
    l.push_back(k);
  }
  return l;
}

int Hydro(const TOptionsHydro& o) {
  TDocument doc;
  ChargeDocumentCli(doc, o.Fichier);
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);
  TListSurf portee = Portee(doc, o.Surfaces);
  if (portee.empty()) throw TErreurCli(rs("rsErrPorteeVide"));
  int n = o.Sections > 0 ? o.Sections : 2 * doc.Precision + 1;
  MajSurface(doc, true, -1);  // forced: the total weight gives GMt and GMl
  const TBarycentre g{{doc.PoidsTotal.X, doc.PoidsTotal.Y, doc.PoidsTotal.Z}, doc.PoidsTotal.Masse};
  TResultatsHydro r = CalcHydrostatiques(doc, portee, n, {}, &g);
  for (const auto& a : r.Avertissements) std::cerr << "brivane-cli: warning: " << a << "\n";
  if (o.Json) {
    nlohmann::json j;
    j["rows"] = nlohmann::json::array();
    for (const auto& l : r.Lignes)
      if (!l.Titre) j["rows"].push_back({{"group", l.Groupe}, {"label", l.Libelle}, {"value", l.Valeur}});
    if (o.Courbe) {
      j["curve"] = nlohmann::json::array();
      for (const auto& [y, a] : r.Courbe) j["curve"].push_back({y, a});
    }
    std::cout << j.dump(2) << "\n";
    return 0;
  }
  for (const auto& l : TexteHydro(r, {})) std::cout << l << "\n";
  if (o.Courbe) {
    std::cout << "\n" << rs("rsCourbeAires") << "\n";
    for (const auto& [y, a] : r.Courbe) std::cout << Reel4(y) << "\t" << Reel4(a) << "\n";
  }
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsHydro>();
  CLI::App* c = app.add_subcommand("hydro", "Hydrostatic particulars at the waterline Z = 0");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_option("--surfaces", o->Surfaces, "Surfaces in the scope, by name, comma-separated (default: Calc)");
  c->add_option("--sections", o->Sections, "Stations per surface, 3..201 (default: 2 x precision + 1)")
      ->check(CLI::Range(3, 201));
  c->add_option("--precision", o->Precision, "Evaluation precision, 1..200")->check(CLI::Range(1, 200));
  c->add_flag("--json", o->Json, "Machine-readable output");
  c->add_flag("--curve", o->Courbe, "Also give the curve of sectional areas");
  return [c, o]() { return c->parsed() ? Hydro(*o) : -1; };
}}};

}  // namespace
