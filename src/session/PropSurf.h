// The properties dialog's working copy of one surface: what the user may change,
// the checks of the typed values, and the copy back into the document on OK.
#pragma once

#include <string>
#include <vector>

class TDocument;
class TEntity;

struct TPropSurf {
  std::string Nom;
  bool Visible = true, Verrou = false, Sym = true, Calc = true, Voile = false;
  int Coul = -1;  // -1: the default surface colour
  double Alpha = 1.0;
  float Ambient = 0, Specular = 0.5f, Shininess = 128, Emission = 0;
  bool Orientation = true;
  bool JonctionSym = false;
  bool CG = true;
  int TypePoids = 1;
  double Epaisseur = 0, Densite = 0, PoidsParM2 = 0;
  double PoidsFixe = 0;  // the weight item's mass, kg
  bool EstNurbs = false;
  int LFlex = 4, CFlex = 4;  // NURBS surfaces only
  bool RAZBase = false;      // reset the symmetry base on OK
  bool Modifie = false;
  friend bool operator==(const TPropSurf&, const TPropSurf&) = default;
};

TPropSurf LitPropSurf(const TEntity& s);

// The typed numeric fields of the dialog.
enum TChampPropSurf : int {
  cpAlpha,
  cpAmbient,
  cpSpecular,
  cpShininess,
  cpEmission,
  cpEpaisseur,
  cpDensite,
  cpPoidsParM2,
  cpPoidsFixe,
  NbChampsPropSurf
};

struct TBornesChamp {
  double Min, Max;
};
TBornesChamp BornesChamp(TChampPropSurf c);
double ValeurChamp(const TPropSurf& p, TChampPropSurf c);
void FixeChamp(TPropSurf& p, TChampPropSurf c, double v);
// Reads a typed value into the record: "" when taken, else the refusal message
// (not a number, or out of the field's bounds); the record is then unchanged.
std::string SaisitChamp(TPropSurf& p, TChampPropSurf c, const std::string& texte, const std::string& libelle);

// Checks the names of the records as they would stand after OK (an empty name
// keeps the surface's own): "" or the message, with the index of the first
// offending record.
std::string VerifieNomsPropSurf(const TDocument& doc, const std::vector<TPropSurf>& props, int& fautif);

// OK of the dialog: every modified record is copied back, its surface marked not
// computed (and its symmetry base reset when asked). Returns the surfaces changed.
std::vector<int> AppliquePropSurfs(TDocument& doc, const std::vector<TPropSurf>& props);

// Whether a weight model takes its centre from the closed volume.
bool PoidsAuVolume(int typePoids);
