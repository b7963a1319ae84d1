// The session's weld upkeep: the groups of welded vertices follow rows and columns that
// come and go, surfaces deleted and transposed, and the welding commands.
#include <algorithm>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "session/Avis.h"
#include "session/ObjCom.h"

namespace {

// Every reference to a vertex the document keeps beside the nets: welds and the current vertex.
template <typename F>
void PourChaqueRef(TDocument& doc, F f) {
  for (auto& g : doc.GroupesSoudes)
    for (auto& pc : g) f(pc);
  for (auto& pc : doc.PCSoudes) f(pc);
}

template <typename Pred>
void RetireRefs(TDocument& doc, Pred p) {
  for (auto& g : doc.GroupesSoudes) g.erase(std::remove_if(g.begin(), g.end(), p), g.end());
  doc.PCSoudes.erase(std::remove_if(doc.PCSoudes.begin(), doc.PCSoudes.end(), p), doc.PCSoudes.end());
}
}  // namespace

void SoudesLigneInseree(TDocument& doc, int numSurf, int ln) {
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf && pc.NumLn >= ln) pc.NumLn++;
  });
}

void SoudesColonneInseree(TDocument& doc, int numSurf, int col) {
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf && pc.NumCol >= col) pc.NumCol++;
  });
}

void SoudesLigneSupprimee(TDocument& doc, int numSurf, int ln) {
  RetireRefs(doc, [&](const TPC& pc) { return pc.NumSurf == numSurf && pc.NumLn == ln; });
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf && pc.NumLn > ln) pc.NumLn--;
  });
}

void SoudesColonneSupprimee(TDocument& doc, int numSurf, int col) {
  RetireRefs(doc, [&](const TPC& pc) { return pc.NumSurf == numSurf && pc.NumCol == col; });
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf && pc.NumCol > col) pc.NumCol--;
  });
}

void SoudesSurfaceSupprimee(TDocument& doc, int numSurf) {
  RetireRefs(doc, [&](const TPC& pc) { return pc.NumSurf == numSurf; });
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf > numSurf) pc.NumSurf--;
  });
}

void SoudesTranspose(TDocument& doc, int numSurf) {
  PourChaqueRef(doc, [&](TPC& pc) {
    if (pc.NumSurf == numSurf) std::swap(pc.NumLn, pc.NumCol);
  });
}

bool SouderPC(TDocument& doc, const TListPC& sel) {
  if (sel.size() < 2) {
    AfficheMessage(rs("rsSelLeast2Vx"), mtWarning, mbOK);
    return false;
  }
  doc.GroupesSoudes.push_back(sel);
  for (const auto& pc : sel)
    if (!PCDansListe(doc.PCSoudes, pc)) AjoutePCListe(doc.PCSoudes, pc);
  doc.MarqueModifie();
  AnnonceAvis(doc, avSoudes);
  return true;
}

void DessouderPC(TDocument& doc, const TListPC& sel) {
  TListPC cibles = sel;
  if (cibles.empty() && doc.PCCourant.Existe()) cibles.push_back(doc.PCCourant);
  for (const auto& pc : cibles) {
    for (auto g = doc.GroupesSoudes.rbegin(); g != doc.GroupesSoudes.rend(); ++g)
      if (PCDansListe(*g, pc)) {
        doc.GroupesSoudes.erase(std::next(g).base());
        break;
      }
  }
  ReconstruitPCSoudes(doc);
  doc.MarqueModifie();
  AnnonceAvis(doc, avSoudes);
}

void ReconstruitPCSoudes(TDocument& doc) {
  doc.PCSoudes.clear();
  for (const auto& g : doc.GroupesSoudes)
    for (const auto& pc : g)
      if (!PCDansListe(doc.PCSoudes, pc)) AjoutePCListe(doc.PCSoudes, pc);
}
