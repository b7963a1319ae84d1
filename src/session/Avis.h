// The notice of change: every change of a document that goes through the session ends
// with one notice saying what it touched, and whoever shows the document (views, studio,
// tool windows, status bar, panels) subscribes to it instead of being called one by one.
// Notices are delivered at once, on the thread that made the change (the UI thread):
// a subscriber that has work to do later (a hidden window) only remembers it.
#pragma once

#include <functional>
#include <vector>

#include "model/Document.h"

// What a change touched: a combination of these.
enum TQuoi : unsigned {
  avGeometrie = 1u << 0,       // vertices moved, nets resized (TAvis::Surfaces: which; empty: all)
  avListe = 1u << 1,           // surfaces added, removed or reordered
  avProprietes = 1u << 2,      // a surface's name, colour, visibility, lock, scope, material
  avSoudes = 1u << 3,          // weld groups
  avPoids = 1u << 4,           // weights and ballasts
  avGrille = 1u << 5,          // the lines grid
  avReperes = 1u << 6,         // reference marks and flooding points
  avCotes = 1u << 7,           // dimensions
  avPrecision = 1u << 8,       // the evaluation precision
  avAffichage = 1u << 9,       // the display switches
  avPCCourant = 1u << 10,      // the current vertex
  avDocument = 1u << 11,       // the whole document: new, read, undo, redo
  avProprietesDoc = 1u << 12,  // the document's properties (designer, project...)
  avTout = (1u << 13) - 1
};

// A row or a column inserted into or removed from a net: references to that net's
// vertices (selections) must follow, or they name other vertices.
struct TChangementNet {
  int NumSurf = -1;
  bool Ligne = true;  // a row (false: a column)
  int Index = 0;      // inserted: the new one's index; removed: the old one's
  bool Insere = true;
};

struct TAvis {
  unsigned Quoi = 0;
  std::vector<int> Surfaces{};         // with avGeometrie: the surfaces concerned (empty: all)
  std::vector<TChangementNet> Nets{};  // in the order they happened
  bool A(unsigned q) const { return (Quoi & q) != 0; }
};

// A reference to one vertex brought along a net's change: false when its row or column went.
bool SuitChangementNet(TPC& pc, const TChangementNet& c);

using TAbonne = std::function<void(const TAvis&)>;

// Subscribes f to the notices of doc; the returned key unsubscribes. A subscriber may
// subscribe or unsubscribe others (and itself) from inside a notice.
int AbonneAvis(const TDocument& doc, TAbonne f);
void DesabonneAvis(int cle);
// Delivers a notice to every subscriber of doc, in the order they subscribed.
void AnnonceAvis(const TDocument& doc, const TAvis& a);
inline void AnnonceAvis(const TDocument& doc, unsigned quoi) { AnnonceAvis(doc, TAvis{.Quoi = quoi}); }

// A subscription that ends with its owner (a window's member).
class TAbonnement {
 public:
  TAbonnement() = default;
  TAbonnement(const TDocument& doc, TAbonne f) : Cle(AbonneAvis(doc, std::move(f))) {}
  TAbonnement(TAbonnement&& o) noexcept : Cle(o.Cle) { o.Cle = 0; }
  TAbonnement& operator=(TAbonnement&& o) noexcept {
    if (this != &o) {
      Fin();
      Cle = o.Cle;
      o.Cle = 0;
    }
    return *this;
  }
  TAbonnement(const TAbonnement&) = delete;
  TAbonnement& operator=(const TAbonnement&) = delete;
  ~TAbonnement() { Fin(); }
  void Fin() {
    if (Cle) DesabonneAvis(Cle);
    Cle = 0;
  }

 private:
  int Cle = 0;
};
