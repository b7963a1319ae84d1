// Document reading and writing for the main window.
#include "app/forms/DocumentIO.h"

#include <filesystem>
#include <system_error>

#include "app/Chaines.h"

TDocumentIO DocumentIOStandard() {
  TDocumentIO io;
  io.Lire = [](TDocument&, const std::string& chemin, bool, bool, std::string& erreur) {
    std::error_code ec;
    if (!std::filesystem::exists(chemin, ec)) {
      erreur = Format(rs("rsFichierIntrouvable"), chemin.c_str());
      return false;
    }
    erreur = Format(rs("rsLectureIndisponible"), chemin.c_str());
    return false;
  };
  io.Ecrire = [](TDocument& doc, std::string& erreur) {
    erreur = Format(rs("rsEcritureIndisponible"), doc.NomFichier.c_str());
    return false;
  };
  return io;
}
