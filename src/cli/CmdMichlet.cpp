// "michlet": the input file of the resistance program for a document's hulls, with
// the window's initial parameters, for users who run the program themselves.
#include <cstdio>
#include <ctime>
#include <memory>

#include "cli/Commandes.h"
#include "exchange/Vexrun.h"
#include "session/ObjCom.h"

namespace {

struct TOptionsMichlet {
  std::string Fichier, Sortie;
  std::vector<std::string> Carenes;
};

int Michlet(const TOptionsMichlet& o) {
  TDocument doc;
  ChargeDocumentCli(doc, o.Fichier);
  TMessagesCollectes messages;
  std::vector<int> carenes;
  if (o.Carenes.empty()) {
    for (int k = 0; k < doc.NbSurf(); k++)
      if (doc.Surf(k).Calc && doc.Surf(k).Visible) carenes.push_back(k);
  } else {
    for (const auto& nom : o.Carenes) {
      const int k = SurfNom2Num(doc, nom);
      if (k < 0) throw TErreurCli("no surface named " + nom);
      if (!doc.Surf(k).Visible) throw TErreurCli(nom + " is hidden: hidden surfaces are not exported");
      carenes.push_back(k);
    }
  }
  TParamsMichlet p = ParamsMichletInitiaux();
  p.Comptes = ComptesMichlet(doc);
  PrepareCarenesMichlet(doc, carenes);
  char date[64] = "";
  const std::time_t t = std::time(nullptr);
  if (const std::tm* tm = std::localtime(&t)) std::strftime(date, sizeof date, "%x %X", tm);
  try {
    EcritLignesMichlet(o.Sortie, LignesEntreeMichlet(doc, carenes, p, date));
  } catch (const TErreurMichlet& e) {
    throw TErreurCli(e.what());
  }
  Avertit(messages);
  std::printf("%zu hull(s) written to %s\n", carenes.size(), o.Sortie.c_str());
  return CodeSortieLecture();
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsMichlet>();
  CLI::App* c = app.add_subcommand("michlet", "Write the input file of the Michlet resistance program");
  c->add_option("file", o->Fichier, "Document (.kvb)")->required();
  c->add_option("out", o->Sortie, "Input file to write (replaced only once complete)")->required();
  c->add_option(
      "--hull", o->Carenes,
      "A surface to write as a hull, in order (repeatable; every visible surface with \"Calc\" when absent)");
  return [c, o]() { return c->parsed() ? Michlet(*o) : -1; };
}}};

}  // namespace
