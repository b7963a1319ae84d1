// Loading a document for a command.
#include "cli/Commandes.h"
#include "model/ObjCom.h"

void ChargeDocumentCli(TDocument& doc, const std::string& chemin) {
  if (chemin.empty()) {
    doc.InitDefaut();
    return;
  }
  throw TErreurCli("cannot read " + chemin + ": document reading is not available in this build");
}
