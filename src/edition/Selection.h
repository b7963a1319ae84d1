// Picking and selection in a view: what lies under the pointer (a vertex, a base
// handle, an orientation vector, a net line), each view's list of selected vertices
// with the vertex states, window selection and the move list closed under welds.
// No window here: the views call these with their projected-vertex table.
#pragma once

#include <string>

#include "edition/TabCoor.h"
#include "model/Document.h"

// A NURBS surface whose vertices can be picked: visible and not locked.
bool SurfaceEditable(const TDocument& doc, int k);

// The first vertex within 3 pixels (surfaces, rows, then columns in order), not inactive;
// NumSurf = -1 when none.
TPC EstCeUnPC(const TDocument& doc, const TTableVertex& tab, int x, int y);

// The base handle under the pointer among visible unlocked surfaces ("Base du plan de
// symétrie" checked). Picking the origin also makes vertex (0, 0) of its surface current.
bool EstCeUneBaseNet(TDocument& doc, const TParamVue& vue, int x, int y);

// The tip of an orientation vector under the pointer; its surface, or -1.
int EstCeVectOrient(TDocument& doc, const TParamVue& vue, int x, int y);

// The status text of the net segment under the pointer ("" when none): row segments of
// every surface first, then column segments.
std::string EstCeUnNet(const TDocument& doc, const TTableVertex& tab, int x, int y);

// One view's selection: the list and the states of the view's table kept together.
class TSelectionVue {
 public:
  TSelectionVue(TTableVertex& tab, TListPC& liste) : Tab(tab), Lst(liste) {}

  // False for a reference outside the table (an internal error: never stored).
  bool SelectPoint(const TPC& pc);
  void UnSelectPoint(const TPC& pc);
  void SelectAllPoints(const TDocument& doc);
  void UnSelectAllPoints();
  // Every vertex of the net, rows then columns.
  void SelectNet(const TDocument& doc, int k);
  // Every pickable vertex whose position lies in the rectangle (edges included, any corners).
  void SelPCinZone(const TDocument& doc, int x1, int y1, int x2, int y2);
  bool EstSelectionne(const TPC& pc) const { return PCDansListe(Lst, pc); }
  bool Vide() const { return Lst.empty(); }
  const TListPC& Liste() const { return Lst; }
  // Drops the entries that no longer name a vertex of a NURBS net (after an insertion,
  // a deletion, an undo or a surface deletion) and clears their states.
  void Repare(const TDocument& doc);

 private:
  TTableVertex& Tab;
  TListPC& Lst;
};

// The selection closed under welds, transitively, in order of discovery.
TListPC MakeLstMovePC(const TDocument& doc, const TListPC& sel);

// The current vertex made valid again: when it names no vertex, vertex (0, 0) of the
// first visible unlocked surface (unchanged when there is none).
void RepareCurrentPC(TDocument& doc);
// Weld members that name no vertex (a net made smaller by an undo) are removed.
void RepareSoudes(TDocument& doc);
