// "weights": the weight estimate of a document, as the weights window shows it:
// every surface's own weight, the weights and ballasts, and the total with its
// centre of gravity.
#include <cmath>
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/Chaines.h"
#include "base/Encodage.h"
#include "cli/BargeCli.h"
#include "cli/Commandes.h"
#include "naval/Hydrostat.h"
#include "naval/Poids.h"
#include "session/ObjCom.h"
#include "session/Verification.h"

namespace {

struct TOptionsPoids {
  std::string Fichier, Barge;
  bool Json = false;
  int Precision = 0;
};

nlohmann::json PoidsJson(int num, const TPoids& p, const std::string& attachee) {
  nlohmann::json j = {{"num", num}, {"name", p.Nom}, {"mass", p.Masse}, {"x", p.X}, {"y", p.Y}, {"z", p.Z}};
  j["attached"] = attachee.empty() ? nlohmann::json(nullptr) : nlohmann::json(attachee);
  return j;
}

int Weights(const TOptionsPoids& o) {
  TDocument doc;
  if (!o.Barge.empty())
    ConstruitBargeCli(doc, o.Barge);
  else
    ChargeDocumentCli(doc, o.Fichier);
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);  // the shells' areas follow the grids
  // As the weights window opens: every surface brought up to date and weighed.
  MajSurface(doc, true, -1);
  auto attachee = [&](const TPoids& p) {
    return p.Surface >= 0 && p.Surface < doc.NbSurf() ? doc.Surf(p.Surface).Nom : std::string();
  };
  const TPoids& t = doc.PoidsTotal;
  // A total with no centre of gravity: said, and no position printed for it.
  const std::string defaut = SansPoids(doc) ? std::string() : DefautPoidsTotal(doc);
  if (!defaut.empty()) std::cerr << "brivane-cli: warning: " << defaut << "\n";
  AvertitVerification(doc, PorteeCalc(doc), fcPoids);
  if (o.Json) {
    nlohmann::json j;
    j["surfaces"] = nlohmann::json::array();
    for (int k = 0; k < doc.NbSurf(); k++)
      j["surfaces"].push_back(PoidsJson(k, doc.Surf(k).Poids, doc.Surf(k).Nom));
    j["weights"] = nlohmann::json::array();
    for (size_t i = 0; i < doc.ListePoids.size(); i++)
      j["weights"].push_back(PoidsJson(static_cast<int>(i), doc.ListePoids[i], attachee(doc.ListePoids[i])));
    j["total"] = {{"name", t.Nom}, {"mass", t.Masse}, {"x", t.X}, {"y", t.Y}, {"z", t.Z}};
    if (!defaut.empty()) {
      if (!std::isfinite(t.Masse)) j["total"]["mass"] = nullptr;
      j["total"]["x"] = j["total"]["y"] = j["total"]["z"] = nullptr;
    }
    std::cout << j.dump(2) << "\n";
    return 0;
  }
  const std::vector<std::string> entete = {
      rs("rsPoidsColNum"), rs("rsPoidsColNom"), rs("rsPoidsColValeur"), rs("rsPoidsColX"),
      rs("rsPoidsColY"),   rs("rsPoidsColZ"),   rs("rsPoidsColSurface")};
  auto table = [&](const TGrillePoids& g) {
    std::vector<std::vector<std::string>> l{entete};
    for (const auto& r : g) l.emplace_back(r.begin(), r.end());
    ImprimeTable(l, TAlignTable::Gauche);
  };
  std::cout << rs("rsPoidsCaption") << "\n\n" << rs("rsPoidsSurfaces") << "\n";
  table(LignesSurfaces(doc));
  std::cout << "\n" << rs("rsPoidsBallasts") << "\n";
  if (doc.ListePoids.empty())
    std::cout << "-\n";
  else
    table(LignesPoids(doc));
  std::cout << "\n";
  TLignePoids total = LigneTotal(t);
  if (!defaut.empty()) {
    if (!std::isfinite(t.Masse)) total[2] = "-";
    total[3] = total[4] = total[5] = "-";
  }
  ImprimeTable({{entete.begin() + 1, entete.end() - 1}, {total.begin() + 1, total.end() - 1}},
               TAlignTable::Gauche);
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsPoids>();
  CLI::App* c = app.add_subcommand(
      "weights", "Weight estimate: surface weights, weights and ballasts, total and centre of gravity");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_option("--barge", o->Barge,
                "Instead of a document, a box barge of breadth B, length L, draft T, depth D")
      ->type_name("B,L,T,D");
  c->add_flag("--json", o->Json, "Machine-readable output");
  c->add_option("--precision", o->Precision, "Evaluation precision, 1..200")->check(CLI::Range(1, 200));
  return [c, o]() { return c->parsed() ? Weights(*o) : -1; };
}}};

}  // namespace
