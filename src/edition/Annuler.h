// The undo store behind "&Annuler" and "&Refaire ": one snapshot of the geometry
// (net sizes and vertices, mesh points, symmetry bases, weights list) that undo
// exchanges with the document, so that undo and redo alternate between two states.
//
// How a command records its undo step (dialogs included): call, just before the
// change,
//     store.Enregistre(doc);               // a snapshot of every surface and the weights
// and, when surfaces are about to be deleted,
//     store.ListeChangee();                // nothing can be restored any more
// The main window owns the store (TMainForm::Annulation(), TMainForm::RecordAction(type)).
// After Annuler()/Refaire() the caller recomputes the surfaces, repairs the selections
// and redraws; the store itself marks the document modified.
#pragma once

#include <array>
#include <vector>

#include "model/Document.h"

// Action types of the store.
enum TTypeAction : int { taSnapshot = 0, taListeChangee = 2, taRien = 10000 };

class TAnnulation {
 public:
  TAnnulation() = default;

  int TypeAction() const { return Type; }
  bool AnnulerActif() const { return PeutAnnuler; }
  bool RefaireActif() const { return PeutRefaire; }

  // Takes a snapshot of the whole geometry (type 0). Enables undo; redo keeps its state.
  void Enregistre(const TDocument& doc);
  // The surface list changed (type 2): undo is enabled and changes nothing.
  void ListeChangee();
  // Type 0 or 2 as the design's RecordAction; false (and nothing stored) for another type.
  bool RecordAction(const TDocument& doc, int type);
  // Closing the document: nothing recorded; the menu states are left as they were.
  void Oublie() { Type = taRien; }
  // Start-up: nothing recorded, both commands disabled.
  void Reinitialise();

  // "&Annuler" and the tool-bar button: exchange, then undo off and redo on. Returns
  // whether the model changed.
  bool Annuler(TDocument& doc);
  // "&Refaire ": the same exchange, then undo on and redo off.
  bool Refaire(TDocument& doc);

 private:
  struct TSlot {
    unsigned long long Ident = 0;  // the surface the slot was taken from; 0: none
    bool Nurbs = false;
    int NbLn = 0, NbCol = 0;
    TPtNet PC[MaxNet][MaxNet] = {};
    int NbLnPt = 0, NbColPt = 0;
    TArrayVertex3f Pts;
    TVertex3f Origine, Axe1, Axe2, Axe3;
  };
  int Type = taRien;
  bool PeutAnnuler = false, PeutRefaire = false;
  // Preallocated once: a snapshot at each drag start copies without allocating the nets.
  std::array<TSlot, MaxSurf> Slots{};
  TListPoids Poids;

  bool Echange(TDocument& doc);
  static void Prend(const TEntity& e, TSlot& s);
  static void Rend(const TSlot& s, TEntity& e);
};
