// Control points and control nets: the vertex reference, the net with its two
// orders, the starting shapes, and the net edits that change its topology.
#pragma once

#include <string>
#include <vector>

#include "model/Calcs.h"
#include "model/Limites.h"

// View kinds.
enum TypeVue : int { tvSection = 0, tvPlan = 1, tvProfil = 2, tvPersp = 3 };

// A reference to one control point. NumSurf = -1 means "no vertex".
struct TPC {
  int NumSurf = -1;
  int NumLn = 0;
  int NumCol = 0;
  bool Existe() const { return NumSurf >= 0; }
  friend bool operator==(const TPC&, const TPC&) = default;
};
using TListPC = std::vector<TPC>;

void AjoutePCListe(TListPC& l, const TPC& pc);
bool PCDansListe(const TListPC& l, const TPC& pc);
void RetirePCListe(TListPC& l, const TPC& pc);

struct TPtNet {
  double X = 0, Y = 0, Z = 0, W = 0;
  TVertex3f V() const { return {X, Y, Z}; }
  void SetV(const TVertex3f& v) {
    X = v.X;
    Y = v.Y;
    Z = v.Z;
  }
  friend bool operator==(const TPtNet&, const TPtNet&) = default;
};

constexpr int NbFormesDepart = 7;  // starting shapes 0..6; 7 only resets

// Result of an insertion or deletion on a net.
enum class TResultatNet { Ok, MaxAtteint, Impossible, PasDePrecedent, VueNonPrevue, VuePersp };

class TNet {
 public:
  explicit TNet(int numSurf = 0);

  int NumSurf = 0;
  int NbLn = 0;
  int NbCol = 0;
  TPtNet PC[MaxNet][MaxNet] = {};
  int LFlex = 4;  // order across the rows (along the row index)
  int CFlex = 4;  // order across the columns
  bool AfficheCol = true;
  int ColActive = 0;
  bool AfficheLn = false;
  int LnActive = 0;

  // Loads a starting shape. Type 7 only resets; above 7 shows "Cas impossible" and returns false.
  bool Initialise(int typeSurf);

  // Position of the clicked point P relative to the current vertex and its previous neighbour.
  TResultatNet CalcProp_AjoutPC(const TVertex3f& p, const TPC& pc, int vue, double& proportion,
                                double& angle) const;
  // Insert a row at r (between rows r-1 and the old r) or a column at c. Net only; the
  // document-level upkeep (welds, flags, redraw) is done by the callers in ObjCom.
  TResultatNet AjoutLnPC(int r, double proportion, double angle);
  TResultatNet AjoutColPC(int c, double proportion, double angle, int vue);
  TResultatNet SupprLn(int r);
  TResultatNet SupprCol(int c);
  void Transpose();

  bool DansNet(int ln, int col) const { return ln >= 0 && ln < NbLn && col >= 0 && col < NbCol; }
};

// Flexibility name of an order, or "Erreur : flexibilité non défini".
std::string NomFlexibilite(int ordre);
