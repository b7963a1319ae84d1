// Editing with the mouse in a view: the action chosen at a press, vertex drags with
// welded partners and the symmetry-plane stop, row and column insertion and
// deletion by click, moving and rotating a surface by its symmetry base, window
// selection. A view forwards its mouse events here; everything it must ask of the
// program (undo, modes, recomputation, redraw) goes through THoteEdition.
#pragma once

#include <string>

#include "edition/Cadrage.h"
#include "edition/Selection.h"
#include "edition/TabCoor.h"
#include "model/Document.h"

// The two-state modes the press reads.
struct TModesEdition {
  bool Insertion = false, Suppression = false;
  bool Horizontale = false, Verticale = false;
  bool BasePlanSym = false, Orientation = false;
};

class THoteEdition {
 public:
  virtual ~THoteEdition() = default;
  virtual TModesEdition ModesEdition() const = 0;
  // Takes the undo step of the edit about to be made, named by a text key.
  virtual void EnregistreAnnulation(const std::string& nom) = 0;
  virtual void FinInsertionSuppression() = 0;
  virtual void FinContraintes() = 0;
  // After an edit: re-evaluate what is out of date, the lines shown, the tool windows.
  virtual void ApresEdition() = 0;
  // Repaints every view (and the tool windows that follow the model).
  virtual void RedessineTout() = 0;
  virtual void Status(int panneau, const std::string& texte) = 0;
};

// A screen delta of a flat view in model units (the perspective view moves nothing).
TVertex3f DeltaModele(int type, double dx, double dy, double echelle);

enum class TContrainte { Aucune, Horizontale, Verticale };

// The delta reduced so that no vertex of the list crosses the symmetry plane of a
// surface with "Sym": the first vertex that would cross stops on the plane, and the
// reduced delta holds for all. Flat views only.
TVertex3f ArretSymetrie(const TDocument& doc, int type, const TListPC& liste, TVertex3f d, TContrainte c);

// Moves every vertex of the list by d (references that name no vertex are skipped).
void DeplaceListe(TDocument& doc, const TListPC& liste, const TVertex3f& d);

// Gives each vertex of a NURBS net (its weight kept) or each point of a mesh surface to f
// to move, and marks the surface for evaluation.
template <typename F>
void PourChaquePoint(TEntity& e, F f) {
  if (auto* s = dynamic_cast<TSurface*>(&e)) {
    for (int i = 0; i < s->Net.NbLn; i++)
      for (int j = 0; j < s->Net.NbCol; j++) {
        TVertex3f v = s->Net.PC[i][j].V();
        f(v);
        s->Net.PC[i][j].SetV(v);
      }
  } else {
    for (auto& l : e.Pts)
      for (auto& p : l) f(p);
  }
  e.MarqueNonCalculee();
}

// The vertices of other surfaces welded (directly or through other welds) to a vertex
// of surface k: they follow when the whole surface moves.
TListPC PartenairesSoudes(const TDocument& doc, int k);

// Translates a surface with its base, its weights and its welded partners.
void TranslateSurface(TDocument& doc, int k, const TVertex3f& d);
// Rotates a surface, its base, its weights and its welded partners about the base origin by an angle in
// degrees about the view's depth axis.
void TourneSurface(TDocument& doc, int k, int type, double angleDeg);

// The insertion index chosen by a click near the current vertex's column (transverse
// view: rows) or row (other views): see TEditeurVue. -1 when the vertex names no net.
int SelectLnInser(const TDocument& doc, const TTableVertex& tab, int x, int y);
int SelectColInser(const TDocument& doc, const TTableVertex& tab, int x, int y);

enum class TActionVue {
  Rien,
  Insertion,
  Suppression,
  BaseOrigine,
  BaseAxe,
  Orientation,
  SelectNet,
  Deselect,
  Glisse,
  VideEtFenetre,
  MessageNet,
  Fenetre,
};

class TEditeurVue {
 public:
  TEditeurVue(THoteEdition& hote, TDocument& doc, TCadrage& cadrage, TTableVertex& tab, TListPC& selection)
      : Hote(hote), Doc(doc), Cadrage(cadrage), Tab(tab), Sel(tab, selection) {}

  // Left button only; the view handles zoom, pan and the other tools before calling these.
  void Appui(int x, int y, TModifs m);
  void Mouvement(int x, int y);
  void Relache(int x, int y, TModifs m);

  TActionVue Action() const { return Act; }
  bool FenetreEnCours() const { return Act == TActionVue::Fenetre || Act == TActionVue::VideEtFenetre; }
  TPixel Appuye() const { return Press; }
  TPixel Courant() const { return Cur; }
  bool ABouge() const { return Bouge; }
  TSelectionVue& Selection() { return Sel; }

 private:
  THoteEdition& Hote;
  TDocument& Doc;
  TCadrage& Cadrage;
  TTableVertex& Tab;
  TSelectionVue Sel;
  TActionVue Act = TActionVue::Rien;
  TPixel Press, Ref, Cur;
  bool Bouge = false, PremierMouvement = true;
  TListPC ListeMove;
  double AngleTotal = 0;

  TActionVue SelAction(int x, int y, TModifs m);
  void VertexMove(int x, int y);
  void BasePtMove(int dx, int dy);
  void BasePtRot(int x, int y);
  int Type() const { return Cadrage.Param.Type; }
};
