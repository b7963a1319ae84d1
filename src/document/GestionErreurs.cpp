#include "document/GestionErreurs.h"

#include <filesystem>

#include "base/Crash.h"
#include "base/Services.h"
#include "document/GestFich.h"
#include "document/Recuperation.h"

TBilanErreur TraiteErreurNonRattrapee(TDocument& doc, const std::string& message,
                                      const std::string& cheminErrorLog,
                                      const std::string& cheminRecuperation) {
  TGestionErreurEnCours drapeau;
  TBilanErreur b;
  std::error_code ec;
  b.CheminRecuperation = std::filesystem::absolute(cheminRecuperation, ec).string();
  if (ec) b.CheminRecuperation = cheminRecuperation;
  // Taken before the save, whose own procedures would come first in the trace.
  const std::string derniere = TraceDerniere();
  const std::string ligne = LigneErrorLog(DateHeureLocale(), message);
  if (doc.NbSurf() > 0) {
    TMessagesCollectes muet;
    try {
      std::vector<int> toutes(static_cast<size_t>(doc.NbSurf()));
      for (int k = 0; k < doc.NbSurf(); k++) toutes[static_cast<size_t>(k)] = k;
      // Another name than the design's: its name and modified state stay.
      b.RecuperationEcrite = EnregistrerFichier(doc, toutes, b.CheminRecuperation);
    } catch (...) {
      b.RecuperationEcrite = false;
    }
    if (!b.RecuperationEcrite)
      DbgErr(erDivers, "TMainForm.ExceptionHandler", 0, {"Error writing recovery.kvb"});
  }
  DbgErr(erDivers, "TMainForm.ExceptionHandler", 2, {derniere, message});
  b.Log = AjouteErrorLog(cheminErrorLog, ligne);
  TraceSortie();
  TraceRAZ();
  return b;
}

namespace {

struct TCrash {
  const TDocument* Doc = nullptr;
  std::string Recuperation, Log;
  TApresSauvegardeCrash Apres = nullptr;
} Crash;

void TravailCrash(const char* raison) {
  // Asked to end with nothing unsaved: nothing to keep, nothing to report.
  if (FinSurDemande() && !(Crash.Doc && Crash.Doc->Modifie && Crash.Doc->NbSurf() > 0)) return;
  std::string m = raison;
  // The line tells what ran before the crash, not the save's own procedures.
  const TTrace avant = Trace();
  if (Crash.Doc && Crash.Doc->NbSurf() > 0) {
    // Straight to the file: no backup copy, no message.
    bool ok = false;
    try {
      ok = EnregistreRecuperation(*Crash.Doc, Crash.Recuperation);
    } catch (...) {
    }
    if (ok && Crash.Apres) {
      try {
        Crash.Apres(*Crash.Doc);
      } catch (...) {
      }
    }
    m += ok ? ", design saved to " + Crash.Recuperation : ", the design could not be saved";
  }
  Trace() = avant;
  try {
    AjouteErrorLog(Crash.Log, LigneErrorLog(DateHeureLocale(), m));
  } catch (...) {
  }
}

}  // namespace

void InstalleSauvegardeCrash(const TDocument* doc, const std::string& cheminRecuperation,
                             const std::string& cheminErrorLog, TApresSauvegardeCrash apres) {
  Crash.Doc = doc;
  Crash.Apres = apres;
  Crash.Recuperation = cheminRecuperation;
  Crash.Log = cheminErrorLog;
  InstalleGestionCrash(TravailCrash);
}
