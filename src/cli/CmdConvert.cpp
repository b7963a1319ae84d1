// "convert": reads a document and writes it back in the current format version
// (upgrading an older file), through the program's own reader and writer.
#include <iostream>

#include "base/Services.h"
#include "cli/Commandes.h"
#include "document/GestFich.h"

namespace {

struct TOptionsConvert {
  std::string Entree, Sortie;
};

int Convert(const TOptionsConvert& o) {
  TDocument doc;
  ChargeDocumentCli(doc, o.Entree, false);
  if (!doc.FichierLuAvecErreurs.empty() && MemeFichier(o.Entree, o.Sortie)) {
    // Written over, the file would lose for good what could not be read.
    std::cerr << "brivane-cli: " << o.Entree
              << " was read with errors; not written over: give another output\n";
    return 1;
  }
  // Nobody is there to answer the question the window asks first.
  if (FichierLectureSeule(o.Sortie)) throw TErreurCli(o.Sortie + " is read-only; not written over");
  // The output is another file: the question of writing over a damaged file is not asked.
  doc.FichierLuAvecErreurs.clear();
  std::vector<int> nums;
  for (int k = 0; k < doc.NbSurf(); k++) nums.push_back(k);
  TMessagesCollectes messages;
  std::string erreur;
  bool ok = EnregistrerFichier(doc, nums, o.Sortie, &erreur);
  if (!ok) throw TErreurCli(erreur);
  Avertit(messages);
  std::cout << o.Sortie << ": " << doc.NbSurf() << " surface(s), version " << VersionDocument << "\n";
  return 0;
}

TEnregistreCommande reg{{[](CLI::App& app) -> std::function<int()> {
  auto o = std::make_shared<TOptionsConvert>();
  CLI::App* c =
      app.add_subcommand("convert", "Read a document and write it back in the current format version");
  c->add_option("input", o->Entree, "Document to read (.kvb)")->required();
  c->add_option("output", o->Sortie, "Document to write (.kvb); may be the input")->required();
  return [c, o]() { return c->parsed() ? Convert(*o) : -1; };
}}};

}  // namespace
