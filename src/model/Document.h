// The document: the surfaces and everything kept beside them. One object owned
// by the main window (or by the command line, or a test) and passed by reference.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/Cotes.h"
#include "model/DonneesGrille.h"
#include "model/DonneesPoids.h"
#include "model/DonneesReperes.h"
#include "model/Entity.h"
#include "model/Limites.h"
#include "model/NetGest.h"
#include "model/PlanSym.h"
#include "model/PropFich.h"

// The flags and orders chosen in the new-surface dialog.
struct TOptionsNouvelleSurface {
  bool Visible = true, Verrou = false, Sym = true, Calc = true, Voile = false;
  int FlexLongitudinale = 3;  // CFlex
  int FlexTransversale = 3;   // LFlex
};

// The placement of one window as the document keeps it: views 0..3 and the studio (4).
struct TVueDocument {
  int OrigineX = 0, OrigineY = 0;
  float Echelle = 0;
  float Angle1 = 0, Angle2 = 0, Angle3 = 0;  // the perspective view's and the studio's angles
};

// The custom view saved for one view kind ("&Sauver la vue"); the angles matter for
// the perspective view only.
struct TVuePerso {
  bool Sauvee = false;
  int OrigineX = 0, OrigineY = 0;
  float Echelle = 0, Phi = 0, Theta = 0;
};

// The largest side of a background picture and of its fitted copy, pixels.
inline constexpr int MaxTailleImage = 16384;

// The background picture of one view as the document keeps it. The picture itself is
// decoded by the view from the file each time it is read: only its name is saved.
struct TImageFondDoc {
  std::string Fichier;  // empty: no picture
  bool Affiche = false;
  int X = 0, Y = 0;    // where its top-left corner lands in the view, pixels
  int Ajustement = 0;  // 0 none, 1 window width, 2 window height, 3 fixed width, 4 fixed height
  int LargeurFixe = 500, HauteurFixe = 500;  // pixels, at least 1
  // Tied to the model (flat views only): two points of the picture, in its pixels, and
  // where they are along the view's horizontal and vertical axes (A, B, metres). The
  // picture then follows the hull through zoom and pan, and the fit mode is not used.
  bool Calee = false;
  std::array<double, 2> Px{}, Py{}, A{}, B{};
  friend bool operator==(const TImageFondDoc&, const TImageFondDoc&) = default;
};

class TDocument {
 public:
  TDocument();
  TDocument(const TDocument&) = delete;
  TDocument& operator=(const TDocument&) = delete;

  std::vector<std::unique_ptr<TEntity>> TabSurf;
  int NbSurf() const { return static_cast<int>(TabSurf.size()); }
  TEntity& Surf(int i) { return *TabSurf.at(static_cast<size_t>(i)); }
  const TEntity& Surf(int i) const { return *TabSurf.at(static_cast<size_t>(i)); }
  // The surface as a NURBS surface, or nullptr for a mesh surface or a bad index.
  TSurface* SurfNurbs(int i);

  TPC PCCourant;  // NumSurf = -1: no current vertex
  int VueActive = tvSection;
  std::vector<TListPC> GroupesSoudes;
  TListPC PCSoudes;
  TCurrentBasePlanSym BasePlanSymCourante;

  double SurfXMin = 0, SurfXMax = 0, SurfYMin = 0, SurfYMax = 0, SurfZMin = 0, SurfZMax = 0;
  double NetXMin = 0, NetXMax = 0, NetYMin = 0, NetYMax = 0, NetZMin = 0, NetZMax = 0;

  int Precision = 20;
  TGrille Grille;  // the lines grid (its computations: lines/Grille.h)
  TOptionsNouvelleSurface OptionsNouvelle;

  TListPoids ListePoids;
  TPoids PoidsTotal;
  // The sails' centre of effort and total area: recomputed on demand, not saved.
  TBarycentre CentreVoilure;

  TListeReperes ListeReperes;        // reference marks
  TListeReperesEnv ListeReperesEnv;  // flooding points
  TListeCotes ListeCotes;            // dimensions placed in the views

  std::string NomFichier;
  bool Modifie = false;
  // The file this document was read from with errors, and those errors: writing over
  // that file asks first. Empty once the document was written there whole.
  std::string FichierLuAvecErreurs;
  std::vector<std::string> ErreursLecture;

  TPropFich Proprietes;
  // Sections of the document file kept as read until their own reader exists.
  std::vector<TSectionBrute> SectionsBrutes;
  // Window placements: the reader fills them and sets VuesLues, the views take them
  // and clear it; before a save the views write theirs back.
  std::array<TVueDocument, 5> Vues;
  bool VuesLues = false;
  std::array<TVuePerso, 4> VuesPerso;
  std::array<TImageFondDoc, 4> ImagesFond;  // views 0..3

  void MarqueModifie();
  void MarqueEnregistre();
  // Empties the document: no surface, no weld, no weight, no file name.
  void Vider();
  // The document of a program start: one surface "Surface1" from shape 0, orders 4,
  // evaluated, with the default lines grid. Defined by the session layer (session/ObjCom.cpp),
  // which brings it up to date: the model itself never evaluates.
  void InitDefaut();
};

// The index of the surface of that name, or -1.
int SurfNom2Num(const TDocument& doc, const std::string& nom);

// The precision kept within its limits, whatever its source.
int PrecisionValide(int n);
