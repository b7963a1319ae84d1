// "areas": the areas of every surface below and above the waterline, the sail
// plan with its centre of effort, the lateral plane's centre and the lead of the
// one over the other, which is how the balance of a sailing design reads.
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/Chaines.h"
#include "base/Encodage.h"
#include "cli/Commandes.h"
#include "naval/Aires.h"
#include "naval/AiresVoiles.h"
#include "session/ObjCom.h"

namespace {

struct TOptionsAires {
  std::string Fichier;
  bool Json = false;
  int Precision = 0;  // --precision, else the document's
};

int Areas(const TOptionsAires& o) {
  TDocument doc;
  ChargeDocumentCli(doc, o.Fichier);
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);  // the areas follow the grids
  MajSurface(doc, true, -1);
  const std::vector<TLigneAire> aires = LignesAires(doc);
  const TLigneAire total = TotalAires(aires);
  const TEquilibre eq = CalcEquilibre(doc);
  const std::vector<TLigneVoile> voiles = LignesVoiles(doc);
  const TBarycentre& cv = eq.Voilure;
  const TCentreAire& lat = eq.AntiDerive;
  if (o.Json) {
    nlohmann::json j;
    auto aire = [](const TLigneAire& l) {
      return nlohmann::json{
          {"name", l.Nom}, {"immersed", l.Immergee}, {"emerged", l.Emergee}, {"total", l.Totale}};
    };
    j["areas"] = nlohmann::json::array();
    for (const auto& l : aires) j["areas"].push_back(aire(l));
    j["areas_total"] = aire(total);
    j["sails"] = nlohmann::json::array();
    for (const auto& v : voiles)
      j["sails"].push_back({{"name", v.Nom},
                            {"area", v.Centre.Valeur},
                            {"x", v.Centre.Centre.X},
                            {"y", v.Centre.Centre.Y},
                            {"z", v.Centre.Centre.Z}});
    j["centre_of_effort"] = {{"area", cv.Valeur}, {"x", cv.Centre.X}, {"y", cv.Centre.Y}, {"z", cv.Centre.Z}};
    j["lateral_centre"] = {{"area", lat.Aire}, {"y", lat.Y}, {"z", lat.Z}};
    j["lead"] = eq.Avance ? nlohmann::json(*eq.Avance) : nlohmann::json(nullptr);
    std::cout << j.dump(2) << "\n";
    return 0;
  }
  auto f4 = [](double v) { return Format("%.4f", v); };
  auto f3 = [](double v) { return Format("%.3f", v); };
  std::cout << rs("rsAireFormCaption") << "\n\n";
  std::vector<std::vector<std::string>> t{
      {rs("rsAireColNom"), rs("rsAireColImmergee"), rs("rsAireColEmergee"), rs("rsAireColTotale")}};
  for (const auto& l : aires) t.push_back({l.Nom, f4(l.Immergee), f4(l.Emergee), f4(l.Totale)});
  t.push_back({rs("rsAireTotale"), f4(total.Immergee), f4(total.Emergee), f4(total.Totale)});
  ImprimeTable(t, TAlignTable::PremiereGauche);
  std::cout << "\n" << rs("rsAiresVoilesFormCaption") << "\n\n";
  std::vector<std::vector<std::string>> v{{rs("rsAireColNom"), rs("rsVoileColValeur"), "X", "Y", "Z"}};
  for (const auto& l : voiles)
    v.push_back(
        {l.Nom, f3(l.Centre.Valeur), f3(l.Centre.Centre.X), f3(l.Centre.Centre.Y), f3(l.Centre.Centre.Z)});
  v.push_back({rs("rsAireTotale"), f3(cv.Valeur), f3(cv.Centre.X), f3(cv.Centre.Y), f3(cv.Centre.Z)});
  ImprimeTable(v, TAlignTable::PremiereGauche);
  std::cout << "\nLateral plane (surfaces in the calculation, below Z = 0): area " << f3(lat.Aire)
            << " m², Y " << f3(lat.Y) << " m, Z " << f3(lat.Z) << " m\n";
  if (eq.Avance)
    std::cout << "Lead: centre of effort Y " << f3(cv.Centre.Y) << " m - lateral centre Y " << f3(lat.Y)
              << " m = " << f3(*eq.Avance) << " m\n";
  else
    std::cout << "Lead: none (" << (cv.Valeur == 0 ? "no sail area" : "no lateral plane below Z = 0")
              << ")\n";
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsAires>();
  CLI::App* c = app.add_subcommand(
      "areas", "Areas below and above the waterline, sail plan, centre of effort, lateral centre and lead");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_flag("--json", o->Json, "Machine-readable output");
  c->add_option("--precision", o->Precision, "Evaluation precision, 1..200")->check(CLI::Range(1, 200));
  return [c, o]() { return c->parsed() ? Areas(*o) : -1; };
}}};

}  // namespace
