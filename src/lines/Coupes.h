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
// available, with its index in the line's list. They hold only the current
// line's crossings, in a hash table sized to them and at most a quarter full:
// a line starts by emptying a few kilobytes, and every look-up stays in the
// fastest cache instead of wandering through tables of the whole grid.
class TTablesPresence {
 public:
  // Starts a line over a grid of (nbLnPt + 1) x (nbColPt + 1) points, expecting
  // about that many crossings: no entry is available.
  void Nouvelle(int nbLnPt, int nbColPt, size_t prevus = 0);
  // Records a crossing of the current line as available, with its list index
  // (a position that names no edge or node of the grid is ignored).
  void Place(const TCouple& c, int index);
  void MajPresenceCouple(const TCouple& c, bool disponible);
  bool Disponible(const TCouple& c) const;
  // The first available crossing next to C, in the fixed order of preference
  // of its type; it is taken (no longer available). False when there is none.
  bool PresCoupleAdj(const TCouple& c, int& index);
  // Whether a position names an edge or a node of the grid.
  bool Dans(int type, int i, int j) const;

  // The same by key and case, for the chaining's inner loop.
  static uint32_t Cle(int type, int i, int j) {
    return (static_cast<uint32_t>(i + 1) << 11 | static_cast<uint32_t>(j + 1)) << 2 | static_cast<uint32_t>(type);
  }
  size_t PlaceCle(uint32_t cle, int index);  // returns the case
  void MajCase(size_t h, bool disponible) {
    int32_t& x = T[h].Index;
    if ((x >= 0) != disponible) x = ~x;
  }
  bool DisponibleCase(size_t h) const { return T[h].Index >= 0; }
  // Key offsets of a type's candidates, in order of preference.
  struct TDeltas {
    std::array<int32_t, 16> D{};
    int N = 0;
  };
  static const TDeltas& DeltasType(int type);
  bool PresCoupleAdjCle(uint32_t cle, int type, int& index) {
    const TDeltas& d = DeltasType(type);
    for (int k = 0; k < d.N; k++) {
      const uint32_t c = cle + static_cast<uint32_t>(d.D[k]);
      for (size_t h = Hash(c); T[h].Cle != 0; h = (h + 1) & Masque) {
        if (T[h].Cle != c) continue;
        if (T[h].Index < 0) break;
        index = T[h].Index;
        T[h].Index = ~index;
        return true;
      }
    }
    return false;
  }

 private:
  struct TCase {
    uint32_t Cle = 0;    // 0: empty
    int32_t Index = 0;   // list index, or its complement once taken
  };
  // Fibonacci hashing: neighbouring positions spread over the table.
  size_t Hash(uint32_t cle) const { return (cle * 0x9E3779B1u) >> Decalage; }
  size_t Cherche(uint32_t cle) const;  // the case of a key, or the empty case ending its probe
  void Agrandit();
  std::vector<TCase> T;
  size_t Masque = 0;
  int Decalage = 32;
  size_t NbPlaces = 0;
  int NbLn = -1, NbCol = -1;
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

// All lines of one kind of one surface, when that kind is out of date; both
// halves when the surface is symmetric; the sections' curvature for the comb display.
void CalcAllSec(TDocument& doc, TEntity& e);
void CalcAllLgE(TDocument& doc, TEntity& e);
void CalcAllLong(TDocument& doc, TEntity& e);
void CalcAllDiag(TDocument& doc, TEntity& e);
void CalcAll(TDocument& doc, TEntity& e, TFamilleLignes f);

// The same for every visible surface.
void CalcTabLignesSec(TDocument& doc);
void CalcTabLignesLE(TDocument& doc);
void CalcTabLignesLgt(TDocument& doc);
void CalcTabLignesDiag(TDocument& doc);

// The discrete curvature at every inner point of each polyline; end points get none.
void CalcCourbureCoupe(TCoupe& coupe);
