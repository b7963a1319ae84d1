// The surfaces of a hull document: identity, display and material, weight
// model, symmetry plane, evaluated grids with their mirror images, and lines.
#pragma once

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "model/Calcs.h"
#include "model/DonneesPoids.h"
#include "model/NetGest.h"
#include "model/PlanSym.h"

// One computed line of one surface: its polylines, each following the line.
using TCoupe = std::vector<TListPt3D>;

enum TTypePoids : int {
  tpEpaisseurDensite = 0,
  tpFixeBorde = 1,
  tpParM2 = 2,
  tpFixeVolume = 3,
  tpDensiteVolume = 4
};

// A centre and a value (area, volume).
struct TBarycentre {
  TVertex3f Centre;
  double Valeur = 0;
};

struct TSNurbs;

// A number no other surface of the run carries, not even a copy of this one: the undo
// store tells by it whether a slot still belongs to the surface at that position.
// Surfaces are copied on worker threads (the hydrostatic table's lowered copies): the
// counter is atomic; only uniqueness matters, so no ordering is asked of it.
class TIdentSurface {
 public:
  TIdentSurface() : V(Suivant()) {}
  TIdentSurface(const TIdentSurface&) : V(Suivant()) {}
  TIdentSurface& operator=(const TIdentSurface&) { return *this; }
  unsigned long long Valeur() const { return V; }
  // The undo store keeps a copy of a surface that stands for it: it must answer to the
  // same number once put back.
  void Reprend(const TIdentSurface& o) { V = o.V; }

 private:
  static unsigned long long Suivant() { return Compteur.fetch_add(1, std::memory_order_relaxed) + 1; }
  unsigned long long V;
  static inline std::atomic<unsigned long long> Compteur{0};
};

class TEntityA {
 public:
  explicit TEntityA(int numSurf);
  virtual ~TEntityA() = default;

  int NumSurf = 0;
  TIdentSurface Ident;
  std::string Nom;
  bool Visible = true;
  bool Verrou = false;
  bool Sym = true;
  bool Calc = true;
  bool Voile = false;
  bool CG = true;
  int TypePoids = tpFixeBorde;
  double Epaisseur = 0;
  double Densite = 0;
  double PoidsParM2 = 0;
  TPoids Poids;
  TBarycentre CentreBorde;
  int Coul = -1;
  double Alpha = 1.0;
  float Ambient = 0;
  float Specular = 0.5f;
  float Shininess = 128;
  float Emission = 0;
  TVertex3f PtXMin{10000, 0, 0}, PtXMax{-10000, 0, 0};
  TVertex3f PtYMin{0, 10000, 0}, PtYMax{0, -10000, 0};
  TVertex3f PtZMin{0, 0, 10000}, PtZMax{0, 0, -10000};
  bool Orientation = true;
  bool JonctionSym = false;
  TPlanSym PlanSym;
};

class TEntity : public TEntityA {
 public:
  TEntity(int numSurf, int nbCol, int nbLn);

  virtual bool EstNurbs() const { return false; }
  // The whole evaluation of the surface (NURBS or mesh), then its extremes and flags.
  // Defined by the geometry layer (geometry/Spline.cpp): the model never evaluates.
  void CalcSurface();
  virtual void Transforme(const TMatrice4& m);
  virtual std::unique_ptr<TEntity> Clone() const = 0;

  int NbLnPt = 0;
  int NbColPt = 0;
  TArrayVertex3f Pts;
  TArrayVertex3f PtsSym;
  TArrayVertex3f Normales;
  TArrayVertex3f NormalesSym;
  bool Calculee = false;
  bool SecCalc = false, LgECalc = false, LongCalc = false, DiagCalc = false;
  std::vector<TCoupe> Sec, LgE, Long, Diag;
  std::vector<TCoupe> SecSym, LgESym, LongSym, DiagSym;
  TBarycentre VolComplet, VolSimple;

  // Sizes the four grids; false (grids unchanged) when memory runs out.
  bool RedimGrilles(int nbLn, int nbCol);
  // The extreme points of the evaluated grids (geometry layer, as CalcSurface).
  void SetMinMax();
  // Marks the grids and every kind of line out of date.
  void MarqueNonCalculee();
  void CreateTabCoupes(int nbSec, int nbLE, int nbLong, int nbDiag);
  void FreeTabCoupes();
};

class TSurface : public TEntity {
 public:
  TSurface(int numSurf, int precision);

  bool EstNurbs() const override { return true; }
  void Transforme(const TMatrice4& m) override;
  std::unique_ptr<TEntity> Clone() const override { return std::make_unique<TSurface>(*this); }

  TNet Net;
  // Knot vectors written by the text export (not used by the evaluation).
  std::vector<double> NoeudsExportLn, NoeudsExportCol;
  // Gaussian curvature and its display colour at each grid point (filled when asked for),
  // laid out 201 x 201 whatever the precision: grid point [i][j] is at i * MaxGrille + j.
  // Empty until a pass computes the curvature; a pass without it leaves the last values.
  std::vector<double> Courbure;
  std::vector<int> CouleurCourbure;
  // Whether the next evaluation computes the Gaussian curvature too.
  bool AvecCourbure = false;

  // Fills the evaluation record from the net: vertices, weights, orders lowered to the
  // vertex counts, knot vectors (surface evaluator). These three are defined by the
  // geometry layer (geometry/Spline.cpp).
  void MyNurbs2SNurbs(TSNurbs& r) const;
  // The knot vectors of the text export, from the net.
  void Calc_VecteursNoeud();
  // Gaussian curvature at grid point [i][j]; 0 when never computed or out of the table.
  double Gauss(int i, int j) const;
};

class TDXFSurface : public TEntity {
 public:
  TDXFSurface(int numSurf, int nbCol, int nbLn) : TEntity(numSurf, nbCol, nbLn) {}

  void Transforme(const TMatrice4& m) override;
  std::unique_ptr<TEntity> Clone() const override { return std::make_unique<TDXFSurface>(*this); }
};
