// "check": the model check of a document, every finding with what to do about it.
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/Chaines.h"
#include "cli/Commandes.h"
#include "naval/Hydrostat.h"
#include "session/ObjCom.h"
#include "session/Verification.h"

namespace {

struct TOptionsCheck {
  std::string Fichier;
  bool Json = false;
  int Precision = 0;
};

int Check(const TOptionsCheck& o) {
  TDocument doc;
  ChargeDocumentCli(doc, o.Fichier);
  if (o.Precision > 0) ChangePrecision(doc, o.Precision);
  MajSurface(doc, true, -1);
  const auto constats = VerifieModele(doc, PorteeCalc(doc));
  if (o.Json) {
    nlohmann::json j;
    j["findings"] = nlohmann::json::array();
    for (const auto& c : constats) {
      nlohmann::json f{{"kind", NomGenre(c.Genre)}, {"value", c.Valeur}, {"message", c.Message}};
      f["surface"] = c.Surface >= 0 ? nlohmann::json(doc.Surf(c.Surface).Nom) : nlohmann::json(nullptr);
      if (c.Genre == TGenreConstat::Intersection) f["other_surface"] = doc.Surf(c.Autre).Nom;
      if (c.Genre == TGenreConstat::PoidsLoin) f["weight"] = doc.ListePoids[static_cast<size_t>(c.Autre)].Nom;
      if (c.Genre == TGenreConstat::Precision) f["precision_enough"] = c.PrecisionConseillee;
      j["findings"].push_back(f);
    }
    std::cout << j.dump(2) << "\n";
  } else {
    std::cout << "Brivane - " << rs("rsVerifTitre") << "\n\n";
    if (constats.empty()) std::cout << rs("rsVerifAucun") << "\n";
    for (const auto& c : constats) std::cout << "- " << c.Message << "\n";
  }
  // A script tells a clean model by the status.
  return constats.empty() ? 0 : 1;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsCheck>();
  CLI::App* c = app.add_subcommand(
      "check",
      "Model check: reversed orientation, open bodies, half hulls, bodies counted twice, weights, precision");
  c->add_option("file", o->Fichier, "Document (.kvb); the default new document when absent");
  c->add_option("--precision", o->Precision, "Evaluation precision, 1..200")->check(CLI::Range(1, 200));
  c->add_flag("--json", o->Json, "Machine-readable output");
  return [c, o]() { return c->parsed() ? Check(*o) : -1; };
}}};

}  // namespace
