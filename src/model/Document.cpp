// The document object.
#include "model/Document.h"

#include <algorithm>

#include "base/Services.h"

TDocument::TDocument() { PoidsTotal.Nom = "TOTAL"; }

TSurface* TDocument::SurfNurbs(int i) {
  if (i < 0 || i >= NbSurf()) return nullptr;
  return dynamic_cast<TSurface*>(TabSurf[static_cast<size_t>(i)].get());
}

void TDocument::MarqueModifie() {
  Modifie = true;
  if (Services().MarqueModifie) Services().MarqueModifie(true);
}

void TDocument::MarqueEnregistre() {
  Modifie = false;
  if (Services().MarqueModifie) Services().MarqueModifie(false);
}

void TDocument::Vider() {
  TabSurf.clear();
  PCCourant = TPC{};
  GroupesSoudes.clear();
  PCSoudes.clear();
  BasePlanSymCourante = TCurrentBasePlanSym{};
  ListePoids.clear();
  PoidsTotal = TPoids{};
  PoidsTotal.Nom = "TOTAL";
  CentreVoilure = {};
  ListeReperes.clear();
  ListeReperesEnv.clear();
  ListeCotes.clear();
  NomFichier.clear();
  Proprietes.Vider();
  SectionsBrutes.clear();
  ImagesFond = {};
  FichierLuAvecErreurs.clear();
  ErreursLecture.clear();
  Grille = TGrille{};
  SurfXMin = SurfXMax = SurfYMin = SurfYMax = SurfZMin = SurfZMax = 0;
  NetXMin = NetXMax = NetYMin = NetYMax = NetZMin = NetZMax = 0;
  Modifie = false;
}

int SurfNom2Num(const TDocument& doc, const std::string& nom) {
  for (int i = 0; i < doc.NbSurf(); i++)
    if (doc.Surf(i).Nom == nom) return i;
  return -1;
}

int PrecisionValide(int n) { return std::clamp(n, MinPrecision, MaxPrecision); }
