// The framing of one view window: its projection and every command that changes
// it (inverse mapping, fit, centre, zoom, zoom rectangle, previous view, pan,
// keyboard steps, resize, perspective presets, custom views). No window here:
// the view windows call these, and the tests run them without a display.
#pragma once

#include <string>
#include <vector>

#include "model/Calcs.h"
#include "model/Document.h"

constexpr float EchelleMin = 5;        // pixels per metre: a 10 m hull still spans 50 pixels
constexpr float ZoomMaxDefaut = 2500;  // "ZOOMMAX" until the settings say otherwise
// Starting values of a projected extent: any real model lies within +-10000 m.
constexpr float EtendueVide = 10000;

// The state of the modifier keys when a command runs.
struct TModifs {
  bool Ctrl = false, Alt = false, Shift = false;
};

// The view kind's caption ("Vue transversale"...) and status-bar name ("Vue horizontale"...).
std::string TitreVue(int type);
std::string NomVueStatus(int type);

// The precomputed projection of one view: the same arithmetic as Pt3DVersEcran,
// with the sines and cosines taken once per drawing instead of once per point.
class TProjecteur {
 public:
  explicit TProjecteur(const TParamVue& v);
  // False (pixel unchanged) for a point that is not finite or lands beyond
  // +-LimitePixel: such a point cannot be drawn and must not overflow an int.
  bool Projette(const TVertex3f& p, TPixel& px) const;
  static constexpr double LimitePixel = 1.0e8;

 private:
  double St, Ct, Sp, Cp, Echelle;
  int Ox, Oy;
};

// The projected extent of what a fit frames, in metres of the projection plane.
struct TEtendue2D {
  float MinU = EtendueVide, MaxU = -EtendueVide, MinV = EtendueVide, MaxV = -EtendueVide;
  bool Vide() const { return MinU > MaxU || MinV > MaxV; }
};

// Mode 1: the visible surfaces; mode 0: those flagged for calculations. Mirror images of
// a net count when the surface is symmetric and "&Moitié" is off.
TEtendue2D DimentionsProj2D(const TDocument& doc, int mode, const TParamVue& vue, bool moitie);
// Frames the extent in a W x H window with a 5 % margin on its tighter side. Returns false
// (view unchanged) when nothing qualifies.
bool AjusteRectangle(const TDocument& doc, int mode, int w, int h, TParamVue& vue, bool moitie,
                     float zoomMax);

// The model point under a screen point (the coordinate the view cannot see is the depth).
// The perspective view gives (0, 0, 0); an unknown kind shows "Fenetre fille non declaree".
TVertex3f CalculePt3DInv(const TParamVue& vue, int sx, int sy, double profondeur);
// Status-bar text of the model point under the pointer, or "" in the perspective view.
std::string TexteCoordonnees(const TParamVue& vue, int sx, int sy);

struct TVuePrecedente {
  int OrigineX = 0, OrigineY = 0;
  double Echelle = 0;
};

// One view window's framing, with the client size remembered at the last resize.
class TCadrage {
 public:
  explicit TCadrage(int type = tvSection, int largeur = 400, int hauteur = 300);

  TParamVue Param;
  int Largeur, Hauteur;
  TVuePrecedente Precedente;
  // Perspective angles in whole degrees, as the keyboard and presets change them.
  int AzimutDeg = -135, ElevationDeg = 30;

  void Centre();  // origin at the window centre, scale kept
  // The model's projected extent at the window centre, scale kept ("Recentrer",
  // "Centrer"): the origin of a hull is its transom, far from its middle. False
  // (origin centred) when nothing is visible.
  bool CentreModele(const TDocument& doc, bool moitie);
  // A new direction of view ("3D Express"): centred as above, and fitted when at the
  // present scale the model would not fit in the window.
  void CentreOuAjuste(const TDocument& doc, bool moitie, float zoomMax);
  void MemorisePrecedente();  // the current origin and scale become the previous view
  void EchangePrecedente();   // "Vue &précédente": a second use returns
  void Resize(int largeur, int hauteur);
  // Zoom about the window centre; factors by Alt (1.6), Ctrl (1.1), else 1.3.
  // A step that would pass the limit (ZOOMMAX, EchelleMin) is not taken: false, nothing
  // changes, so that as many steps out as in always come back to the same scale.
  bool Agrandir(TModifs m, float zoomMax);
  bool Reduire(TModifs m);
  bool Ajuste(const TDocument& doc, bool moitie, float zoomMax) {
    return AjusteRectangle(doc, 1, Largeur, Hauteur, Param, moitie, zoomMax);
  }
  // Whether a framing read with a document shows its model well enough to keep: false
  // when the model lies wholly outside the window, when it would fit at this scale but
  // is partly out (off-centre), or when it spans less than half of what a fit gives
  // (small). A view zoomed in on a detail of the model stays as stored.
  bool ModeleEnVue(const TDocument& doc, bool moitie, float zoomMax) const;
  // P1 = (x1, y1) becomes the top-left corner and x2 - x1 the window's width. False
  // (nothing changed) when the release is not to the right of the press.
  bool ZoomRectangle(int x1, int y1, int x2, float zoomMax);
  void Deplace(int dx, int dy) { Param.OrigineX += dx, Param.OrigineY += dy; }
  // Perspective angles in degrees.
  void Angles(int azimutDeg, int elevationDeg);
  // Arrow keys: dx, dy in pixels (or degrees with Shift in the perspective view).
  void Fleche(int dx, int dy, bool shift);
  // The same, the perspective view turning about a pivot that keeps its place on screen.
  void Fleche(int dx, int dy, bool shift, const TVertex3f& pivot);
  // New perspective angles, the pivot keeping its place on screen.
  void AnglesAutour(int azimutDeg, int elevationDeg, const TVertex3f& pivot);

  // The custom view of this kind: save it, restore it (false when nothing was saved).
  void SauveVue(TVuePerso& v) const;
  bool RestaureVue(const TVuePerso& v);
};

// The centre of the box of what a fit frames (visible nets, mirror halves unless "Moitié"),
// or the origin when nothing is visible.
TVertex3f CentreModele3D(const TDocument& doc, bool moitie);

// A child window's place in the frame's client area.
struct TRectFenetre {
  int X = 0, Y = 0, L = 0, H = 0;
};
// "&Mosaïque Horiz.": n windows stacked in rows, each the full width. "M&ozaïque Vert.":
// side by side in columns, each the full height.
std::vector<TRectFenetre> DispositionMosaique(int n, int largeur, int hauteur, bool horizontale);
// The first display: rows and columns as near a square as n allows (2 x 2 for four).
std::vector<TRectFenetre> DispositionGrille(int n, int largeur, int hauteur);
// "&Cascade": each window offset by one title bar from the last, all of one size that
// leaves the last one whole inside the area (never below a usable minimum).
std::vector<TRectFenetre> DispositionCascade(int n, int largeur, int hauteur, int pasTitre);

// The keyboard step: 1 with Ctrl, else 50 with Alt, else 10.
int PasClavier(TModifs m);

// The proportional rubber rectangle of a zoom drag from (x1, y1) to the pointer x: its
// far corner keeps the window's proportions (bottom-right, exclusive).
TPixel CoinZoomProportionnel(int x1, int y1, int x, int largeur, int hauteur);

struct TPresetPersp {
  const char* Nom;
  int Azimut, Elevation;  // degrees
};
// The "3D Express" presets of the perspective view.
extern const TPresetPersp PresetsPersp[10];
