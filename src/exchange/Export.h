// What the three exports share: the choices of the export window as a plain
// record (so the command line and the tests give them without a window), the
// 2D projection, the grid strokes and the model axes.
#pragma once

#include <array>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "model/Document.h"

// The context kind that means "3D" (the view kinds 0..3 mean 2D as seen in that view).
constexpr int ContexteExport3D = 8;

struct TContexteExport {
  int Type = ContexteExport3D;
  int OrigineX = 0, OrigineY = 0;
  float Echelle = 1;
  float Angle1 = 0, Angle2 = 0, Angle3 = 0;  // radians: the first two are the projection's
  bool Est3D() const { return Type == ContexteExport3D; }
};

// A text in plain ASCII: accented Latin letters lose their accents, any other
// character outside ASCII becomes "_", control characters become blanks.
std::string TexteAscii(const std::string& utf8);
// "%.*f" with a point, and no minus sign on a value that rounds to zero.
std::string ReelFixe(double v, int decimales);

// A 2D context of one view kind at the view's starting angles.
TContexteExport ContexteVue(int typeVue);

struct TOptionsExport {
  bool Aretes = false;          // "Arêtes"
  bool Couples = false;         // "Couples"
  bool LignesEau = false;       // "Lignes d'eau"
  bool Longitudinales = false;  // "Longitudinales"
  bool Diagonales = false;      // "Diagonales"
  bool SurfParam = false;       // "Surface paramétrique"
  bool Maillage3D = true;       // "Maillage 3D" (else "Courbes")
  bool Nurbs = false;           // "NURBS"
  bool Grille = false;          // "Grille"
  bool Axes = false;            // "Axes"
  bool Couleurs = false;        // "Couleurs"
  bool Moitie = false;          // the view menu's "&Moitié": no mirror halves
  TContexteExport Contexte;
  int CoulGrille = 0x93FFFF;  // settings colours of the text export's grid and axes blocks
  int CoulAxes = 0x0000FF;
  // The clock of the IGES dates (the current time when empty): tests fix it.
  std::function<std::time_t()> Horloge;
};

// The outcome of one export: the file is written or kept as it was.
struct TResultatExport {
  bool Ok = true;
  std::string Erreur;                 // why the file was not written
  bool RienAEcrire = false;           // not written for want of anything to write
  std::vector<std::string> Messages;  // what the user must know of a written file (surfaces left out)
};

struct TPoint3Export {
  TVertex3f A, B;
};

enum TTypeExport : int { teTXT = 0, teDXF = 1, teIGES = 2, teSTL = 3, teOBJ = 4 };

// The view menu's states that preset the export window's boxes.
struct TMenuVue {
  bool Carene = true;  // "&Carène"
  bool Couples = true;
  bool LignesEau = false, Longitudinales = false, Diagonales = false;
  bool SurfParam = false;  // "S&urface paramétrique"
  bool Grille = false, Axes = false;
  bool Moitie = false;  // "&Moitié"
};

// The boxes as the window opens for a kind: the lines only when the hull is shown,
// "NURBS" and "Couleurs" checked for the text export, only "NURBS" for IGES.
TOptionsExport PreselectionExport(TTypeExport t, const TMenuVue& m);

// (u, v) of a model point in the 2D context, held in single precision as written.
void Projette(const TContexteExport& c, const TVertex3f& p, float& u, float& v);

// The strokes of the grid box's walls as the DXF export draws them (two a plane,
// one for a diagonal); the text export keeps only the first of each plane.
struct TTraitsGrille {
  std::vector<std::array<TPoint3Export, 2>> Plans;  // sections, waterlines, buttocks in order
  std::vector<TPoint3Export> Diagonales;
};
TTraitsGrille TraitsGrille(const TGrille& g);

// The stroke of one diagonal on the grid box's end wall y = y min, from the centre
// plane outwards, clipped to the box; false when it does not cross the box.
bool TraitDiagonale(const TGrille& g, double d, double angleDeg, TPoint3Export& t);

// The three model axes through the origin, each reaching 1 m beyond the model's box.
std::array<TPoint3Export, 3> AxesModele(const TDocument& doc);

// The extents of the visible surfaces (10000 / -10000 start values), all 0 when none is visible.
void ExtentsVisibles(const TDocument& doc, TVertex3f& mn, TVertex3f& mx);

// The lines of one family of a surface, or of its mirror half.
const std::vector<TCoupe>& CoupesFamille(const TEntity& e, int famille, bool sym);
// Whether the family is checked.
bool FamilleCochee(const TOptionsExport& o, int famille);
