#include "naval/Aires.h"

#include "base/Debug.h"
#include "naval/Face.h"

std::vector<TLigneAire> LignesAires(const TDocument& doc) {
  TRACE("TAireForm.CalculAires");
  std::vector<TLigneAire> r;
  for (const auto& s : doc.TabSurf) {
    TListFace tout, dessous;
    BuildSimpleFaceList(*s, tout);
    MakeFaceList(s->Pts, 1, dessous, 0);
    if (s->Sym) MakeFaceList(s->PtsSym, 0, dessous, 0);
    TLigneAire l;
    l.Nom = s->Nom;
    l.Totale = AireByFace(tout);
    l.Immergee = AireByFace(dessous);
    l.Emergee = l.Totale - l.Immergee;
    r.push_back(l);
  }
  return r;
}

TLigneAire TotalAires(const std::vector<TLigneAire>& lignes) {
  TLigneAire t;
  for (const auto& l : lignes) t.Immergee += l.Immergee, t.Emergee += l.Emergee, t.Totale += l.Totale;
  return t;
}
