// Loading a document for a command: the program's reader, its findings turned
// into the command line's warnings and errors.
#include <iostream>

#include "base/Services.h"
#include "cli/Commandes.h"
#include "document/GestFich.h"
#include "session/ObjCom.h"
#include "session/Verification.h"

bool ChargeDocumentCli(TDocument& doc, const std::string& chemin, bool evaluer) {
  if (chemin.empty()) {
    doc.InitDefaut();
    return true;
  }
  // Whatever the evaluation of what was read would show nobody can answer here.
  TMessagesCollectes messages;
  TOptionsLecture opt;
  opt.Evaluer = evaluer;
  TResultatLecture r = LitFichier(doc, chemin, opt);
  if (r.Refusee()) throw TErreurCli(r.Erreur().empty() ? "cannot read " + chemin : r.Erreur());
  // Nobody is there to decide: what could be read is taken, and the exit status says it is partial.
  for (const auto& m : r.Avertissements()) std::cerr << "brivane-cli: warning: " << m << "\n";
  for (const auto& m : r.Notes()) std::cerr << "brivane-cli: note: " << m << "\n";
  const bool partielle = r.Partielle();
  if (!InstalleLecture(doc, r, opt)) throw TErreurCli("cannot read " + chemin);
  Avertit(messages);
  if (partielle) CodeSortieLecture() = 1;
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

void AvertitVerification(const TDocument& doc, const std::vector<int>& portee, unsigned fonds) {
  const std::string ligne = LigneConstats(doc, ConstatsPour(VerifieModele(doc, portee), fonds));
  if (!ligne.empty()) std::cerr << "brivane-cli: warning: " << ligne << " (brivane-cli check)\n";
}
