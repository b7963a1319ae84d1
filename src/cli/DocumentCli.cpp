// Loading a document for a command: the program's reader, its messages turned
// into the command line's warnings and errors.
#include <iostream>

#include "base/Services.h"
#include "cli/Commandes.h"
#include "document/GestFich.h"
#include "session/ObjCom.h"

bool ChargeDocumentCli(TDocument& doc, const std::string& chemin, bool evaluer) {
  if (chemin.empty()) {
    doc.InitDefaut();
    return true;
  }
  TMessagesCollectes messages;
  std::string erreur;
  TOptionsLecture opt;
  opt.Evaluer = evaluer;
  bool ok = OuvrirFichier(doc, chemin, opt, &erreur);
  if (!ok) throw TErreurCli(erreur.empty() ? "cannot read " + chemin : erreur);
  Avertit(messages);
  if (!doc.FichierLuAvecErreurs.empty()) CodeSortieLecture() = 1;
  return true;
}

void Avertit(TMessagesCollectes& messages) {
  for (const auto& m : messages.Rend()) std::cerr << "brivane-cli: warning: " << m << "\n";
}

int& CodeSortieLecture() {
  static int code = 0;
  return code;
}

void ChargeDocumentCli(TDocument& doc, const std::string& chemin) { ChargeDocumentCli(doc, chemin, true); }
