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
  TMessagesCollectes messages;
  std::string erreur;
  TOptionsLecture opt;
  opt.Evaluer = evaluer;
  bool ok = OuvrirFichier(doc, chemin, opt, &erreur);
  if (!ok) throw TErreurCli(erreur.empty() ? "cannot read " + chemin : erreur);
  messages.Avertit();
  if (!doc.FichierLuAvecErreurs.empty()) CodeSortieLecture() = 1;
  return true;
}

TMessagesCollectes::TMessagesCollectes() : Ancien(Services().AfficheMessage) {
  Services().AfficheMessage = [this](const std::string& texte, int, int boutons) {
    Messages.push_back(texte);
    return ReponseParDefaut(boutons);
  };
}

TMessagesCollectes::~TMessagesCollectes() {
  if (!Rendu) Services().AfficheMessage = Ancien;
}

void TMessagesCollectes::Avertit() {
  Services().AfficheMessage = Ancien;
  Rendu = true;
  for (const auto& m : Messages) std::cerr << "brivane-cli: warning: " << m << "\n";
}

int& CodeSortieLecture() {
  static int code = 0;
  return code;
}

void ChargeDocumentCli(TDocument& doc, const std::string& chemin) { ChargeDocumentCli(doc, chemin, true); }
