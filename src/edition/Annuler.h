// The undo store behind "&Annuler" and "&Refaire ": a stack of steps, each the state
// before one edit, named after it ("déplacement de vertex"). A geometry step holds the
// net sizes and vertices, mesh points, symmetry bases and the weights list; a step of
// the surface list (deletion, development) holds whole copies of the surfaces with the
// welds, so that it can be restored too. Undo puts a step back and keeps the state it
// replaced for redo; a new step forgets what could be redone.
//
// How a command records its undo step (dialogs included): call, just before the
// change,
//     store.Enregistre(doc, "rsEtapeDeplacementVertex");   // the geometry
// and, when surfaces are about to be added or deleted,
//     store.ListeChangee(doc, "rsEtapeSupprSurfaces");      // the whole surface list
// The main window owns the store (TMainForm::Annulation(), TMainForm::RecordAction(type)).
// After Annuler()/Refaire() the caller recomputes the surfaces, repairs the selections
// and redraws; the store itself marks the document modified.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/Document.h"

// Action types of a step.
enum TTypeAction : int { taSnapshot = 0, taListeChangee = 2, taRien = 10000 };

class TAnnulation {
 public:
  // Steps kept: the oldest go beyond this.
  static constexpr int ProfondeurMax = 100;

  TAnnulation() = default;
  TAnnulation(const TAnnulation&) = delete;
  TAnnulation& operator=(const TAnnulation&) = delete;

  // The type of the step undo would restore; taRien when there is none.
  int TypeAction() const;
  bool AnnulerActif() const { return !Annuls.empty(); }
  bool RefaireActif() const { return !Refaires.empty(); }
  int NbAnnuler() const { return static_cast<int>(Annuls.size()); }
  int NbRefaire() const { return static_cast<int>(Refaires.size()); }
  // The text key naming the step undo (redo) would restore; empty when unnamed or none.
  std::string NomAnnuler() const { return Annuls.empty() ? std::string() : Annuls.back().Nom; }
  std::string NomRefaire() const { return Refaires.empty() ? std::string() : Refaires.back().Nom; }

  // A step of the geometry (type 0), named by a text key. Forgets what could be redone.
  void Enregistre(const TDocument& doc, const std::string& nom = {});
  // A step of the whole surface list (type 2): surfaces, welds, weights, current vertex.
  void ListeChangee(const TDocument& doc, const std::string& nom = {});
  // Type 0 or 2 as the design's RecordAction; false (and nothing stored) for another type.
  bool RecordAction(const TDocument& doc, int type, const std::string& nom = {});
  // Closing the document: nothing to undo or redo any more.
  void Oublie();
  // Start-up: the same.
  void Reinitialise() { Oublie(); }

  // "&Annuler": puts the last step back; its state replaced goes to redo. Returns whether
  // the model changed (false with nothing to undo).
  bool Annuler(TDocument& doc);
  // "&Refaire ": the reverse.
  bool Refaire(TDocument& doc);

 private:
  struct TSlot {
    unsigned long long Ident = 0;  // the surface the slot was taken from
    bool Nurbs = false;
    int NbLn = 0, NbCol = 0;
    std::vector<TPtNet> PC;  // NbLn rows of NbCol
    int NbLnPt = 0, NbColPt = 0;
    TArrayVertex3f Pts;
    TVertex3f Origine, Axe1, Axe2, Axe3;
  };
  struct TEtape {
    int Type = taSnapshot;
    std::string Nom;
    std::vector<TSlot> Slots;  // geometry step
    TListPoids Poids;
    // Surface list step: the surfaces (answering to the same numbers as the ones they
    // copy), the welds and the current vertex.
    std::vector<std::unique_ptr<TEntity>> Surfaces;
    std::vector<TListPC> Soudes;
    TPC PCCourant;
  };
  std::deque<TEtape> Annuls, Refaires;

  static TEtape Prend(const TDocument& doc, int type, const std::string& nom);
  // Puts e back into doc; returns the state it replaced, as a step of the same kind.
  static TEtape Rend(TEtape& e, TDocument& doc);
  static void PrendSlot(const TEntity& e, TSlot& s);
  static void RendSlot(const TSlot& s, TEntity& e);
  void Empile(TEtape e);
};
