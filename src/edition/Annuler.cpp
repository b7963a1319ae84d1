// The undo store: steps taken before each edit, put back by undo and redo.
#include "edition/Annuler.h"

#include <algorithm>

#include "base/Debug.h"
#include "edition/Selection.h"
#include "session/ObjCom.h"

int TAnnulation::TypeAction() const { return Annuls.empty() ? taRien : Annuls.back().Type; }

void TAnnulation::Oublie() {
  Annuls.clear();
  Refaires.clear();
}

void TAnnulation::PrendSlot(const TEntity& e, TSlot& s) {
  s.Ident = e.Ident.Valeur();
  const TPlanSym& b = e.PlanSym;
  s.Origine = b.Origine, s.Axe1 = b.Axe1, s.Axe2 = b.Axe2, s.Axe3 = b.Axe3;
  if (const auto* n = dynamic_cast<const TSurface*>(&e)) {
    s.Nurbs = true;
    s.NbLn = std::clamp(n->Net.NbLn, 0, MaxNet);
    s.NbCol = std::clamp(n->Net.NbCol, 0, MaxNet);
    s.PC.resize(static_cast<size_t>(s.NbLn * s.NbCol));
    for (int i = 0; i < s.NbLn; i++) std::copy_n(n->Net.PC[i], s.NbCol, s.PC.begin() + i * s.NbCol);
  } else {
    s.Nurbs = false;
    s.NbLnPt = e.NbLnPt, s.NbColPt = e.NbColPt;
    s.Pts = e.Pts;
  }
}

void TAnnulation::RendSlot(const TSlot& s, TEntity& e) {
  TPlanSym& b = e.PlanSym;
  b.Origine = s.Origine, b.Axe1 = s.Axe1, b.Axe2 = s.Axe2, b.Axe3 = s.Axe3;
  b.MajPlan();
  if (auto* n = dynamic_cast<TSurface*>(&e)) {
    // Rows and columns beyond the restored size keep what they held: only the net in
    // use is part of the surface.
    n->Net.NbLn = s.NbLn, n->Net.NbCol = s.NbCol;
    for (int i = 0; i < s.NbLn; i++) std::copy_n(s.PC.begin() + i * s.NbCol, s.NbCol, n->Net.PC[i]);
  } else {
    e.NbLnPt = s.NbLnPt, e.NbColPt = s.NbColPt;
    e.Pts = s.Pts;
  }
  e.MarqueNonCalculee();
}

TAnnulation::TEtape TAnnulation::Prend(const TDocument& doc, int type, const std::string& nom) {
  TEtape e;
  e.Type = type;
  e.Nom = nom;
  e.Poids = doc.ListePoids;
  if (type == taSnapshot) {
    e.Slots.resize(static_cast<size_t>(doc.NbSurf()));
    for (int i = 0; i < doc.NbSurf(); i++) PrendSlot(doc.Surf(i), e.Slots[static_cast<size_t>(i)]);
  } else {
    for (const auto& s : doc.TabSurf) {
      e.Surfaces.push_back(s->Clone());
      e.Surfaces.back()->Ident.Reprend(s->Ident);
    }
    e.Soudes = doc.GroupesSoudes;
    e.PCCourant = doc.PCCourant;
  }
  return e;
}

TAnnulation::TEtape TAnnulation::Rend(TEtape& e, TDocument& doc) {
  TEtape avant;
  avant.Type = e.Type;
  avant.Nom = e.Nom;
  avant.Poids = std::move(doc.ListePoids);
  doc.ListePoids = std::move(e.Poids);
  if (e.Type == taSnapshot) {
    // Slots answer to their surface's number, wherever the list holds it now: a surface
    // added after the step is left alone, one deleted since is skipped.
    for (const TSlot& s : e.Slots)
      for (int i = 0; i < doc.NbSurf(); i++) {
        TEntity& ent = doc.Surf(i);
        if (ent.Ident.Valeur() != s.Ident) continue;
        avant.Slots.emplace_back();
        PrendSlot(ent, avant.Slots.back());
        RendSlot(s, ent);
        break;
      }
  } else {
    avant.Surfaces = std::move(doc.TabSurf);
    avant.Soudes = std::move(doc.GroupesSoudes);
    avant.PCCourant = doc.PCCourant;
    doc.TabSurf = std::move(e.Surfaces);
    doc.GroupesSoudes = std::move(e.Soudes);
    for (int i = 0; i < doc.NbSurf(); i++) {
      TEntity& s = doc.Surf(i);
      s.NumSurf = i;
      if (auto* n = dynamic_cast<TSurface*>(&s)) n->Net.NumSurf = i;
      s.MarqueNonCalculee();
    }
    ReconstruitPCSoudes(doc);
    doc.PCCourant = e.PCCourant;
  }
  // Welds are outside a geometry step: members left beyond a restored net would name no vertex.
  RepareSoudes(doc);
  RepareCurrentPC(doc);
  // Undo changes what is on screen: a save must not be skipped after it.
  doc.MarqueModifie();
  return avant;
}

void TAnnulation::Empile(TEtape e) {
  Annuls.push_back(std::move(e));
  while (static_cast<int>(Annuls.size()) > ProfondeurMax) Annuls.pop_front();
}

void TAnnulation::Enregistre(const TDocument& doc, const std::string& nom) {
  TRACE("TMainForm.RecordAction");
  Refaires.clear();
  Empile(Prend(doc, taSnapshot, nom));
}

void TAnnulation::ListeChangee(const TDocument& doc, const std::string& nom) {
  TRACE("TMainForm.RecordAction");
  Refaires.clear();
  Empile(Prend(doc, taListeChangee, nom));
}

bool TAnnulation::RecordAction(const TDocument& doc, int type, const std::string& nom) {
  if (type == taSnapshot)
    Enregistre(doc, nom);
  else if (type == taListeChangee)
    ListeChangee(doc, nom);
  else
    return false;
  return true;
}

bool TAnnulation::Annuler(TDocument& doc) {
  TRACE("TMainForm.MeAnnulerClick");
  if (Annuls.empty()) {
    RepareCurrentPC(doc);
    return false;
  }
  TEtape e = std::move(Annuls.back());
  Annuls.pop_back();
  Refaires.push_back(Rend(e, doc));
  return true;
}

bool TAnnulation::Refaire(TDocument& doc) {
  TRACE("TMainForm.MeRefaireCommandeClick");
  if (Refaires.empty()) {
    RepareCurrentPC(doc);
    return false;
  }
  TEtape e = std::move(Refaires.back());
  Refaires.pop_back();
  Empile(Rend(e, doc));
  return true;
}
