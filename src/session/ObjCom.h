// The session: operations on the document's surface list, and the updates that decide
// what to recompute after an edit and bring evaluated grids, extents, lines and the
// weight total up to date. The only caller of evaluation (geometry), line computation
// (lines) and the weight total (naval) in the core; the windows and the command line
// call these.
#pragma once

#include <string>
#include <vector>

#include "lines/Grille.h"
#include "model/Document.h"
#include "session/Avis.h"

// The display switches: what the views draw, and what the updates recompute (sections,
// waterlines, buttocks, diagonals, curvature combs, weights, sail centre). They live here
// once: the menus set them, the views and the updates read them. The command line and the
// tests keep the defaults or set their own.
struct TAffichage {
  bool Carene = true;            // "&Carène"
  bool Reseau = true;            // "&Réseau de vertex"
  bool BasePlanSym = false;      // "Base du plan de symétrie"
  bool Moitie = false;           // "&Moitié"
  bool Scinder = false;          // "Sc&inder"
  bool Couples = false;          // "Co&uples"
  bool LignesEau = false;        // "&Lignes d'eau"
  bool Longitudinales = false;   // "L&ongitudinales"
  bool Diagonales = false;       // "&Diagonales"
  bool SurfParam = false;        // "S&urface paramétrique"
  bool Grille = false;           // "&Grille"
  bool Orientation = false;      // "Orientation des surfaces"
  bool Herisson = false;         // "Hérisson": curvature combs along the sections
  bool Poids = false;            // "Poids et Ballasts" (the main window starts with it on)
  bool CentreVoilure = false;    // "Centre de Voilure" (the main window starts with it on)
  bool Cotes = true;             // "C&otes"
  bool Axes = true;              // "Axes"
  bool Reperes = true;           // "Repères"
  bool PtsEnvahissement = true;  // "Points d'envahissement"
  bool ImageFond = true;         // "&Image de fond"
  bool Flottaison = false;       // "Flottaison": the waterline where the weights float the hull
  bool SelectionVertex = false;  // "Sélection des verte&x" (the vertex selection window is shown)
  bool ModeInsertion = false;    // row or column insertion mode
};
// The session's toggles (one session a process).
TAffichage& AffichageCalculs();
// Keeps the toggles and puts them back when it goes, whatever happens meanwhile (tests).
struct TAffichageGarde {
  TAffichage Avant = AffichageCalculs();
  ~TAffichageGarde() { AffichageCalculs() = Avant; }
};

// Surfaces changed (their flags cleared): what is out of date is evaluated again, the
// extents and the lines of the kinds on display follow, and the change is announced
// (quoi: what it touched; surfaces: whose geometry, empty for all).
void GeometrieModifiee(TDocument& doc, unsigned quoi = avGeometrie, std::vector<int> surfaces = {});

// Re-evaluates what is out of date: NumSurf = -1 for every visible surface.
void MajSurface(TDocument& doc, bool forcer, int numSurf);
// MajSurface(doc, true, k) for each surface of the list not evaluated yet (a calculation's scope).
void MajSurfacesPortee(TDocument& doc, const std::vector<int>& portee);
// MajSurface for all, then the lines of the kinds on display.
void MajCoupesSurface(TDocument& doc);
void MajMinMaxAllSurf(TDocument& doc);
void MajMinMaxAllNet(TDocument& doc, bool visiblesSeules);

// Changes the current vertex; an invalid reference becomes "no current vertex".
void ChangeCurrentPC(TDocument& doc, const TPC& pc);
// Vertex (0, 0) of the first visible unlocked surface, or no current vertex.
void PCCourantPremierLibre(TDocument& doc);

// A surface name cut to 20 characters.
std::string NomSurfaceCoupe(const std::string& nom);

// Creating a surface from the new-surface dialog. Returns the message key of
// a refusal ("" on success); the new surface is the last one.
std::string NouvelleSurface(TDocument& doc, const std::string& nom, int forme,
                            const TOptionsNouvelleSurface& opt);
// Duplicates the listed surfaces (refused, with the message key, beyond 4).
std::string DupliquerSurfaces(TDocument& doc, const std::vector<int>& nums);
void SupprimerSurface(TDocument& doc, int k);
// Deletes the listed surfaces, from the last to the first.
void SupprimerSurfaces(TDocument& doc, std::vector<int> nums);
void MirroirZ(TDocument& doc, int k);
void MirroirX(TDocument& doc, int k);
// Renaming: returns the message key of a refusal ("" on success).
std::string RenommerSurface(TDocument& doc, int k, const std::string& nom);
// Locks exactly the listed surfaces; the current vertex moves to a free surface.
void VerrouillerSurfaces(TDocument& doc, const std::vector<int>& nums);
void PorteeCalculs(TDocument& doc, const std::vector<int>& nums);
void VisibiliteSurfaces(TDocument& doc, const std::vector<int>& nums);

// Net edits with their document upkeep (welds, current vertex, flags, update).
TResultatNet AjoutPC(TDocument& doc, const TVertex3f& p, const TPC& pc, int vue);
TResultatNet SupprPC(TDocument& doc);
void TransposeSurface(TDocument& doc, int k);
// Aligns the selected vertices on the line of the first two, in the plane of the view or in space.
bool AligneDansLePlan(TDocument& doc, const TListPC& sel, int vue);
bool AligneDanslEspace(TDocument& doc, const TListPC& sel);

// Weld upkeep.
void SoudesLigneInseree(TDocument& doc, int numSurf, int ln);
void SoudesColonneInseree(TDocument& doc, int numSurf, int col);
void SoudesLigneSupprimee(TDocument& doc, int numSurf, int ln);
void SoudesColonneSupprimee(TDocument& doc, int numSurf, int col);
void SoudesSurfaceSupprimee(TDocument& doc, int numSurf);
void SoudesTranspose(TDocument& doc, int numSurf);
bool SouderPC(TDocument& doc, const TListPC& sel);
void DessouderPC(TDocument& doc, const TListPC& sel);
void ReconstruitPCSoudes(TDocument& doc);
// Gives every selected vertex after the first the coordinates of the first: in space
// (vue = -1) or in the plane of the view kind.
bool GrouperPC(TDocument& doc, const TListPC& sel, int vue);

// Resets a surface's symmetry base to the world base, moving the surface with it.
void RAZPlanSym(TDocument& doc, int numSurf);

// Sets the precision and resizes the grids of the NURBS surfaces (mesh grids keep their size).
bool ChangePrecision(TDocument& doc, int n);

// After a change of the display switches: the lines of the kinds now on display are
// brought up to date, and the change is announced.
void AffichageChange(TDocument& doc);

// After a change of the curvature options: the sections of every visible
// surface are out of date, and the displayed lines are recomputed.
void CourbureOptionsChangees(TDocument& doc);
// OK of the grid dialog: the tables become the document's grid (AppliqueGrille), the
// displayed lines are recomputed and the document is marked modified.
void MajGrille(TDocument& doc, const TTablesGrille& t);

// The vertex of a reference, or nullptr when it names no vertex of a NURBS net.
TPtNet* VertexDe(TDocument& doc, const TPC& pc);

// The chosen hulls brought up to date for the file: every surface evaluated, and the
// sections of the chosen hulls computed whether they are shown or not.
void PrepareCarenesMichlet(TDocument& doc, const std::vector<int>& carenes);
