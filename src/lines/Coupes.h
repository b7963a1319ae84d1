// Line computation: where a plane crosses an evaluated grid of surface points,
// and the chaining of those crossings into polylines; every line of one kind
// of a surface; the curvature along a line. Serves the lines plan, the table of
// offsets and the hydrostatics (which cut planes of their own).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "lines/Grille.h"
#include "model/Entity.h"

class TDocument;

// What a crossing lies on: inside a row edge [i][j]-[i][j+1], inside a column
// edge [i][j]-[i+1][j], or on a grid node [i][j].
enum TTypeCouple : int { tcLigne = 1, tcColonne = 2, tcNoeud = 3 };

struct TCouple {
  int TypeCouple = tcNoeud;
  int I = 0, J = 0;
  TVertex3f P;
};
using TListCouples = std::vector<TCouple>;

// The presence tables of the chaining: for every crossing type and grid
// position, whether a crossing of the current line is there and still
// available, with its index in the line's list. They cover only the box of the
// line's crossings, with a margin of one so that every neighbour looked up
// lies inside; the three types of a position sit side by side in 4-byte
// entries, so a line's tables stay in the fast caches. Entries carry the
// line's generation instead of being cleared: starting a line costs nothing.
class TTablesPresence {
 public:
  // Starts a line over a whole grid of (nbLnPt + 1) x (nbColPt + 1) points: no entry is available.
  void Nouvelle(int nbLnPt, int nbColPt);
  // Starts a line whose crossings all lie in rows i0..i1 and columns j0..j1.
  void NouvelleBoite(int nbLnPt, int nbColPt, int i0, int i1, int j0, int j1);
  // Records a crossing of the current line as available, with its list index
  // (a position outside the grid or the line's box is ignored).
  void Place(const TCouple& c, int index);
  void MajPresenceCouple(const TCouple& c, bool disponible);
  bool Disponible(const TCouple& c) const;
  // The first available crossing next to C, in the fixed order of preference
  // of its type; it is taken (no longer available). False when there is none.
  bool PresCoupleAdj(const TCouple& c, int& index);
  // Whether a position names an edge or a node of the grid inside the line's box.
  bool Dans(int type, int i, int j) const;

  // The same by table position, for the chaining's inner loop.
  size_t Pos(int type, int i, int j) const {
    return (static_cast<size_t>(i - I0 + 1) * Larg + static_cast<size_t>(j - J0 + 1)) * 3 +
           static_cast<size_t>(type - 1);
  }
  void PlacePos(size_t p, int index) { E[p] = Marque | Dispo | static_cast<uint32_t>(index); }
  void MajPos(size_t p, bool disponible) { E[p] = disponible ? E[p] | Dispo : E[p] & ~Dispo; }
  bool DisponiblePos(size_t p) const { return (E[p] & ~MasqueIndex) == (Marque | Dispo); }
  bool PresCoupleAdjPos(size_t p, int type, int& index);

  // Most crossings a line may have: the index field of an entry.
  static constexpr uint32_t MaxCouples = (1u << 20) - 1;

 private:
  static constexpr uint32_t MasqueIndex = MaxCouples;
  static constexpr uint32_t Dispo = 1u << 20;
  static constexpr int BitsGen = 11;  // generations 1..2047, then the tables are cleared once

  std::vector<uint32_t> E;
  int NbLn = -1, NbCol = -1;
  int I0 = 0, I1 = -1, J0 = 0, J1 = -1;
  size_t Larg = 0;  // positions in a row of the tables, margins included
  uint32_t Gen = 0;
  uint32_t Marque = 0;                           // the generation in its bits
  std::array<std::array<long, 16>, 3> Deltas{};  // candidates as offsets from a crossing's position
};

// The working storage shared by the line computations (one line at a time).
TTablesPresence& TablesPresence();

// Chains the crossings of one plane into polylines (replacing Coupe). A loop
// repeats its first point at its end.
void TrieLstCouples(const TListCouples& couples, int nbLnPt, int nbColPt, TCoupe& coupe);

// One line of a grid of (nbLnPt + 1) x (nbColPt + 1) points, plane by plane,
// every edge and node tested. A grid smaller than its stated size gives an empty line.
void CalcSecMesh(const TArrayVertex3f& g, int nbLnPt, int nbColPt, TCoupe& coupe, double y);
void CalcLEMesh(const TArrayVertex3f& g, int nbLnPt, int nbColPt, TCoupe& coupe, double z);
void CalcLong(const TArrayVertex3f& g, int nbLnPt, int nbColPt, TCoupe& coupe, double x);
// The diagonal z = Z0 + Pente x, kept on the X >= 0 side (EliminePtInfZero).
void CalcDiag(const TArrayVertex3f& g, int nbLnPt, int nbColPt, TCoupe& coupe, double z0, double pente);

// Keeps a diagonal on the X >= 0 side of the centre plane: points beyond it are
// removed or brought back onto it; a polyline left with no point is removed.
void EliminePtInfZero(TCoupe& coupe);

// Every line of a family at once, the same lines as the plane-by-plane
// procedures above: one sweep over the grid for a family of parallel planes,
// blocks of cells skipped when a diagonal plane cannot reach them. AvantLigne,
// when given, is called with each line's index before the line is stored.
enum TAxePlan : int { apX = 0, apY = 1, apZ = 2 };
void CalcFamilleParallele(const TArrayVertex3f& g, int nbLnPt, int nbColPt, TAxePlan axe,
                          const std::vector<double>& positions, std::vector<TCoupe>& coupes,
                          const std::function<void(int)>& avantLigne = {});
void CalcFamilleDiag(const TArrayVertex3f& g, int nbLnPt, int nbColPt, const std::vector<double>& z0,
                     const std::vector<double>& pentes, std::vector<TCoupe>& coupes,
                     const std::function<void(int)>& avantLigne = {});

// The crossings of a family of parallel planes with a grid, plane by plane: the
// first step of CalcFamilleParallele, whose lines chain Listes[Unique[k]].
struct TRechercheFamille {
  std::vector<double> Valeurs;       // distinct finite positions, sorted
  std::vector<int> Unique;           // position index -> index in Valeurs (-1: no plane)
  std::vector<TListCouples> Listes;  // crossings per distinct position, in list order
};
void RechercheParallele(const TArrayVertex3f& g, int nbLnPt, int nbColPt, TAxePlan axe,
                        const std::vector<double>& positions, TRechercheFamille& r);

// Whether rows 0..nbLnPt of S are those of G in reverse order with X negated,
// every coordinate to the bit: the mirror half's lines then follow from the main
// half's crossings (CalcTabLignes*) without cutting S.
bool MiroirRetourne(const TArrayVertex3f& g, const TArrayVertex3f& s, int nbLnPt, int nbColPt);

// All lines of one kind of one surface, when that kind is out of date; both
// halves when the surface is symmetric; with courbure, the sections' curvature for the
// comb display. The surface must be evaluated (the session's MajSurface).
void CalcAllSec(TDocument& doc, TEntity& e, bool courbure = false);
void CalcAllLgE(TDocument& doc, TEntity& e);
void CalcAllLong(TDocument& doc, TEntity& e);
void CalcAllDiag(TDocument& doc, TEntity& e);
void CalcAll(TDocument& doc, TEntity& e, TFamilleLignes f, bool courbure = false);

// The same for every visible surface. The surfaces, their halves and their
// lines are shared between the cores; the status bar is written from the
// calling thread, line after line as before. The sections, waterlines and
// buttocks of a mirror half that MiroirRetourne finds turned over are made from
// the main half's crossings, to the bit those of a cut of the mirror grid.
void CalcTabLignesSec(TDocument& doc, bool courbure = false);
void CalcTabLignesLE(TDocument& doc);
void CalcTabLignesLgt(TDocument& doc);
void CalcTabLignesDiag(TDocument& doc);

// The discrete curvature at every inner point of each polyline; end points get none.
void CalcCourbureCoupe(TCoupe& coupe);
