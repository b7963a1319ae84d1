// The page layout of a printed view: paper size in the chosen orientation, the preview
// box and its printable area, the scale for each scale choice, the block of pages a
// fixed scale needs, and the conversion from preview to printer pixels. No printer is
// involved: the print window feeds it the driver's sizes.
#pragma once

#include <optional>
#include <string>

enum class TChoixEchelle { Ecran, Ajuster, Fixe };

struct TTaillePapier {
  int H = 210, V = 297;  // mm, horizontal and vertical in the current orientation
};
// Portrait puts the smaller side across, landscape the larger.
TTaillePapier OrientePapier(int a, int b, bool paysage);

// Whether the paper chosen (mm) is another sheet than the printer's (mm): the sizes
// themselves are compared, since A3 and A4 have one proportion, either way round (a sheet
// turned is the same sheet). The tolerance covers a driver's rounding to its pixels and
// Letter's 215.9 mm. False when a size is not positive.
constexpr double TolerancePapierMm = 2.0;
bool TaillesPapierDifferentes(int papierA, int papierB, double impA, double impB);

struct TPointI {
  int X = 0, Y = 0;
  friend bool operator==(const TPointI&, const TPointI&) = default;
};

// What the printer driver reports, in device pixels.
struct TPilote {
  TPointI Offset;                // printing offset (left, top)
  TPointI Physique{2480, 3508};  // physical page size
  TPointI Page{2480, 3508};      // printable size
};

struct TApercu {
  int L = 0, H = 0;                               // preview box, pixels
  int Gauche = 0, Haut = 0, Droite = 0, Bas = 0;  // printable area in the box
  int LargImp() const { return Droite - Gauche; }
  int HautImp() const { return Bas - Haut; }
};
// The longer side of the box is 297 pixels, along the longer side of the physical page.
// Nullopt when a driver size is not positive (nothing to divide by).
std::optional<TApercu> CalculeApercu(const TPilote& p);

// Model extent projected in the active view, metres of the projection plane.
struct TEtenduePlan {
  double MinU = 0, MaxU = 0, MinV = 0, MaxV = 0;
};

struct TBlocPages {
  double Echelle = 0;  // preview pixels per metre
  int NbPagesH = 1, NbPagesV = 1;
  TPointI OrigineBloc;  // model origin for the whole block, preview pixels
  int NbPages() const { return NbPagesH * NbPagesV; }
};

// A fixed scale 1/N: one metre of model measures 1000/N mm on a paper PapierH mm wide.
double EchelleFixe(int largeurApercu, int papierH, int n);
// The block of pages the extent needs at that scale, the drawing centred on it.
// Nullopt when the printable area is empty.
std::optional<TBlocPages> BlocFixe(double echelle, const TEtenduePlan& e, const TApercu& a);

// Page p (from 1) of a block NbPagesH wide: its column and row, from 1.
TPointI ColonneLigne(int p, int nbPagesH);
// The model origin for the page at column c, row r of the block (pixels of one page).
TPointI OriginePage(const TPointI& bloc, int c, int r, int largPage, int hautPage);

// "Ecran": the view's own scale e, fitted to the printable area, the point at the centre
// of the view window at the centre of the box. Nullopt for an empty window or area.
std::optional<TBlocPages> BlocEcran(double e, int largeurVue, int hauteurVue, const TPointI& origineVue,
                                    const TApercu& a);

// Preview pixels to printer pixels. The printer's painter starts at the printable area,
// so the area's left and top come off first.
struct TConversionImp {
  double EchelleImp = 0;
  TPointI Origine;
};
TConversionImp VersImprimante(double echelle, const TPointI& origine, const TApercu& a, const TPilote& p);

// The copies edit: nullopt (previous value kept) for "", "-" or text that is no
// integer; otherwise the value held to 1..100.
std::optional<int> TexteCopies(const std::string& t);
// The custom scale edit on leaving it: text that is no integer gives 10, then held to 1..1000.
int TexteEchellePerso(const std::string& t);
// The page-number edit: nullopt for text that is no integer; else held to 1..nbPages.
std::optional<int> TextePage(const std::string& t, int nbPages);

// The print job's title: "Brivane - " and the file name without its folder.
std::string TitreTravail(const std::string& nomFichier);
