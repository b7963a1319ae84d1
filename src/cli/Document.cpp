// Loading a document for a command: the program's reader, its messages turned
// into the command line's warnings and errors.
#include "app/Services.h"
#include "cli/Commandes.h"
#include "document/GestFich.h"
#include "model/ObjCom.h"

#include <iostream>

bool ChargeDocumentCli(TDocument& doc, const std::string& chemin, bool evaluer) {
  if (chemin.empty()) {
    doc.InitDefaut();
    return true;
  }
  // The reader's message dialog has nobody to answer it here: collect what it says.
  std::vector<std::string> messages;
  auto ancien = Services().AfficheMessage;
  Services().AfficheMessage = [&messages](const std::string& texte, int, int boutons) {
    messages.push_back(texte);
    return ReponseParDefaut(boutons);
  };
  std::string erreur;
  TOptionsLecture opt;
  opt.Evaluer = evaluer;
  bool ok = OuvrirFichier(doc, chemin, opt, &erreur);
  Services().AfficheMessage = ancien;
  if (!ok) throw TErreurCli(erreur.empty() ? "cannot read " + chemin : erreur);
  for (const auto& m : messages) std::cerr << "brivane-cli: warning: " << m << "\n";
  return true;
}

void ChargeDocumentCli(TDocument& doc, const std::string& chemin) { ChargeDocumentCli(doc, chemin, true); }
