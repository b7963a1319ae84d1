// Drawing the model in a view: axes, grid, surfaces, lines, nets, vertex
// markers, symmetry-plane bases, orientation vectors and weights, in their fixed
// order, as a display list for one view's parameters. Drawing never changes the model.
#pragma once

#include "edition/GrilleVue.h"
#include "edition/ListeDessin.h"
#include "edition/TabCoor.h"
#include "model/Document.h"
#include "naval/Flottaison.h"
#include "session/ObjCom.h"

// The display switches are the session's (session/ObjCom.h): the views read them there.
using TAffichageVues = TAffichage;

// Colours (0x00BBGGRR) and the setting values drawing reads.
struct TOptionsVues {
  int Arp = 0x000000;
  int Axes = 0x0000FF;
  int AxesPlanSym = 0x0000FF;
  int Grille = 0x93FFFF;
  int ResVertex = 0x909090;  // grey: the surfaces' edges are blue
  int Vertex = 0x0000FF;
  int SelVertex = 0x00FF00;
  int SoudeVertex = 0xB5CA00;
  int BordSf = 0xFF9B00;
  // Each family its own colour: orange sections, green waterlines, pink buttocks, white diagonals.
  int Sec = 0x4080FF, LE = 0x8CFF8C, Longit = 0xFF78FF, Diag = 0xFFFFFF;
  int Mesure = 0x00FFFF;
  float ZoomMax = 2500;
  double RatioVect = 1000;      // kg per 10 m of weight arrow
  bool OptAxesPlanSym = false;  // draw the axes of moved symmetry planes
};

// Fixed colours of the drawing.
constexpr int CoulInsertion = 0xFF00FF;
constexpr int CoulPCCourant = 0x00FFFF;
constexpr int CoulOrientation = 0x808080;
constexpr int CoulBaseAxe1 = 0xFFFF00;
constexpr int CoulBaseAxes23 = 0xFF00FF;
constexpr int CoulFlottaison = 0xCC9900;  // the floating waterline: the water's (0, 153, 204)

struct TContexteDessin {
  const TDocument& Doc;
  const TAffichageVues& Aff;
  const TOptionsVues& Opt;
  const TGrilleVue& Grille;
  const TTableVertex& Tab;  // refreshed for this view's parameters
  // The view's size in pixels: the lines' labels go along its edges (none when 0), the
  // weight arrows stay within it.
  int Largeur = 0, Hauteur = 0;
};

// Draws everything of the document for one view's parameters into the list, in order.
// The box of a label as the views place it: an average character width and a line
// height of the views' font, in pixels.
struct TRectEtiquette {
  int X = 0, Y = 0, L = 0, H = 0;
};
// Where a label wanted at (x, y) goes: moved down line by line off the labels already
// placed, then added to them.
TRectEtiquette PlaceEtiquette(std::vector<TRectEtiquette>& placees, int x, int y, const std::string& texte);

// A grid position as its label reads: at most three decimals, no trailing zeros (0.899999 -> "0.9").
std::string TexteNiveau(double v);

void AfficheNetOne(const TContexteDessin& c, const TParamVue& vue, TListeDessin& l);

// Where the document's total weight floats the calculation's surfaces ("Flottaison"): the
// placement (model -> floating frame) and the waterline's segments in the model. Found again
// only when the grids, their flags or the total weight changed; not found without a weight,
// without a surface in the calculation or when the hull sinks.
struct TFlottaisonAffichee {
  bool Trouvee = false;
  TMatrice4 Placement{};
  std::vector<std::pair<TVertex3f, TVertex3f>> Segments;
};
const TFlottaisonAffichee& FlottaisonAffichee(const TDocument& d);
