// Document reading and writing for the main window, through the document unit.
#include "app/DocumentIO.h"

#include "document/GestFich.h"

TDocumentIO DocumentIOStandard() {
  TDocumentIO io;
  io.Lire = [](TDocument& doc, const std::string& chemin, bool demarrage, bool, std::string& erreur) {
    // An empty document opens the file; one with surfaces takes the file's surfaces after its own.
    TOptionsLecture o;
    o.Demarrage = demarrage;
    return OuvrirFichier(doc, chemin, o, &erreur);
  };
  io.Ecrire = [](TDocument& doc, std::string& erreur) { return EnregistrerFichierAll(doc, false, &erreur); };
  return io;
}
