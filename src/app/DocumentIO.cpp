// Document reading and writing for the main window, through the document unit.
#include "app/DocumentIO.h"

#include "base/Chaines.h"

TDocumentIO DocumentIOStandard() {
  TDocumentIO io;
  io.Lire = [](const TDocument& cible, const std::string& chemin, bool demarrage) {
    TOptionsLecture o;
    o.Demarrage = demarrage;
    return LitFichier(cible, chemin, o);
  };
  io.Installe = [](TDocument& doc, TResultatLecture& r, bool demarrage) {
    TOptionsLecture o;
    o.Demarrage = demarrage;
    return InstalleLecture(doc, r, o);
  };
  io.Ecrire = [](TDocument& doc, std::string& erreur) { return EnregistrerFichierAll(doc, false, &erreur); };
  return io;
}

std::string QuestionLecturePartielle(const TResultatLecture& r) {
  std::string q = Format(rs("rsQuestOuvrirErreurs").c_str(), r.Fichier.c_str(), r.NbSurfLues());
  for (const auto& m : r.Avertissements()) q += "\n- " + m;
  q += "\n" + rs(r.Fusion() ? "rsQuestFusionnerLu" : "rsQuestOuvrirLu");
  return q;
}
