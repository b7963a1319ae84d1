// The undo store: snapshot and exchange.
#include "edition/Annuler.h"

#include <algorithm>
#include <memory>

#include "base/Debug.h"
#include "edition/Selection.h"
#include "session/ObjCom.h"

void TAnnulation::Reinitialise() {
  Type = taRien;
  PeutAnnuler = PeutRefaire = false;
}

void TAnnulation::Prend(const TEntity& e, TSlot& s) {
  s.Ident = e.Ident.Valeur();
  const TPlanSym& b = e.PlanSym;
  s.Origine = b.Origine, s.Axe1 = b.Axe1, s.Axe2 = b.Axe2, s.Axe3 = b.Axe3;
  if (const auto* n = dynamic_cast<const TSurface*>(&e)) {
    s.Nurbs = true;
    s.NbLn = std::clamp(n->Net.NbLn, 0, MaxNet);
    s.NbCol = std::clamp(n->Net.NbCol, 0, MaxNet);
    for (int i = 0; i < s.NbLn; i++) std::copy_n(n->Net.PC[i], s.NbCol, s.PC[i]);
  } else {
    s.Nurbs = false;
    s.NbLnPt = e.NbLnPt, s.NbColPt = e.NbColPt;
    s.Pts = e.Pts;
  }
}

void TAnnulation::Rend(const TSlot& s, TEntity& e) {
  TPlanSym& b = e.PlanSym;
  b.Origine = s.Origine, b.Axe1 = s.Axe1, b.Axe2 = s.Axe2, b.Axe3 = s.Axe3;
  b.MajPlan();
  if (auto* n = dynamic_cast<TSurface*>(&e)) {
    // Rows and columns beyond the restored size keep what they held: only the net in
    // use is part of the surface.
    n->Net.NbLn = s.NbLn, n->Net.NbCol = s.NbCol;
    for (int i = 0; i < s.NbLn; i++) std::copy_n(s.PC[i], s.NbCol, n->Net.PC[i]);
  } else {
    e.NbLnPt = s.NbLnPt, e.NbColPt = s.NbColPt;
    e.Pts = s.Pts;
  }
  e.MarqueNonCalculee();
}

void TAnnulation::Enregistre(const TDocument& doc) {
  TRACE("TMainForm.RecordAction");
  PeutAnnuler = true;
  Type = taSnapshot;
  for (size_t i = 0; i < Slots.size(); i++) {
    if (static_cast<int>(i) < doc.NbSurf())
      Prend(doc.Surf(static_cast<int>(i)), Slots[i]);
    else
      Slots[i].Ident = 0;
  }
  Poids = doc.ListePoids;
}

void TAnnulation::ListeChangee() {
  PeutAnnuler = true;
  Type = taListeChangee;
}

bool TAnnulation::RecordAction(const TDocument& doc, int type) {
  if (type == taSnapshot)
    Enregistre(doc);
  else if (type == taListeChangee)
    ListeChangee();
  else
    return false;
  return true;
}

bool TAnnulation::Echange(TDocument& doc) {
  TRACE("TMainForm.MeAnnulerClick");
  if (Type != taSnapshot) return false;
  // The current state goes through this copy before anything of the surface is overwritten.
  auto courant = std::make_unique<TSlot>();
  int n = std::min(doc.NbSurf(), MaxSurf);
  for (int i = 0; i < n; i++) {
    TEntity& e = doc.Surf(i);
    TSlot& s = Slots[static_cast<size_t>(i)];
    // A surface added after the snapshot (duplicated, merged from a file) owns nothing here.
    if (s.Ident != e.Ident.Valeur()) continue;
    Prend(e, *courant);
    Rend(s, e);
    std::swap(s, *courant);
  }
  std::swap(Poids, doc.ListePoids);
  // Welds are outside undo: members left beyond a restored net would name no vertex.
  RepareSoudes(doc);
  // Undo changes what is on screen: a save must not be skipped after it.
  doc.MarqueModifie();
  return true;
}

bool TAnnulation::Annuler(TDocument& doc) {
  bool change = false;
  if (Type == taSnapshot) {
    PeutAnnuler = false, PeutRefaire = true;
    change = Echange(doc);
  }
  RepareCurrentPC(doc);
  return change;
}

bool TAnnulation::Refaire(TDocument& doc) {
  bool change = Annuler(doc);
  PeutAnnuler = true, PeutRefaire = false;
  return change;
}
