// Instant hydrostatics.
#include "edition/HydroInstant.h"

#include "base/Chaines.h"
#include "naval/Hydrostat.h"
#include "session/ObjCom.h"

namespace {
double Valeur(const TResultatsHydro& r, const char* cle) {
  const std::string libelle = rs(cle);
  for (const THydroLigne& l : r.Lignes)
    if (!l.Titre && l.Libelle == libelle) return l.Valeur;
  return 0;
}
}  // namespace

THydroInstant CalcHydroInstant(TDocument& doc) {
  THydroInstant h;
  TListSurf portee = PorteeCalc(doc);
  if (portee.empty()) return h;
  MajSurfacesPortee(doc, portee);
  TResultatsHydro r = CalcHydrostatiques(doc, portee, SectionsHydroInstant);
  h.Deplacement = Valeur(r, "rsDeplacementEauMer");
  h.Immerge = h.Deplacement > 0;
  h.CCLongitudinal = Valeur(r, "rsCentreCareneY");
  h.SurfMouillee = Valeur(r, "rsSurfImmergee");
  h.AireFlottaison = Valeur(r, "rsAireDWL");
  h.Cb = Valeur(r, "rsCoeffBloc");
  return h;
}
