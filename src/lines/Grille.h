// The lines grid: the planes of sections, waterlines, buttocks and diagonals
// that the lines plan cuts through every surface, their automatic spacing
// rules, and the checks and application of the grid dialog's tables.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "model/DonneesGrille.h"
#include "model/Limites.h"
#include "model/Matrice.h"

class TDocument;

int MinLignes(TFamilleLignes f);  // 1, or 2 for the diagonals

// Whether a diagonal angle gives a plane: a multiple of 180 degrees would be
// the vertical centre plane itself, with an infinite slope.
bool AngleDiagValide(double angleDeg);
// Slope of the diagonal plane z = Z0 + Pente x for an angle in degrees
// (callers check AngleDiagValide first).
double PenteDiag(double angleDeg);

// GrilleMin and GrilleMax from the buttock X, section Y and waterline Z positions.
void MinMaxGrille(TGrille& g);

// Positions placed by one spacing rule; Pas is the step shown in the dialog.
struct TEspacement {
  std::vector<double> Pos;
  std::vector<double> Angles;  // diagonals only
  double Pas = 0;
};

// "Standard": spread over the family's extent of the model (the surfaces must be
// evaluated: the session's MajSurface(doc, true, -1) first).
TEspacement EspacementStandard(TDocument& doc, TFamilleLignes f, int n);
// "Espacement donné": Base + i * Espacement.
TEspacement EspacementDonne(TFamilleLignes f, double base, double espacement, int n);
// "Distance donnée": n positions from Base to Fin, both included, stepping downwards when Fin < Base.
TEspacement DistanceDonnee(TFamilleLignes f, double base, double fin, int n);

// The standard spacing of one family applied to the document's own count and
// positions; the lines of every surface become out of date.
void AutoStand(TDocument& doc, TFamilleLignes f);
// The grid of a fresh document: 11 sections (5 split), 7 waterlines, 9 buttocks,
// 5 diagonals, all spaced by the standard rule.
void GrilleParDefaut(TDocument& doc);
// Frees and recreates the line tables of every surface for the current counts.
void ReconstruitTablesCoupes(TDocument& doc);

// The grid dialog's working tables: cell texts, as the user typed them.
struct TTableGrille {
  std::vector<std::string> Pos;
  std::vector<std::string> Angles;  // diagonals only
  bool Modifiee = false;
  std::string LabelPas;  // "Espacement :" and the step, after an automatic rule
};

struct TTablesGrille {
  std::array<TTableGrille, NbFamillesLignes> T;
  int NumSc = 5;
};

// The tables of the dialog as the document holds the grid (showing the dialog, Cancel).
TTablesGrille ChargeTablesGrille(const TGrille& g);
// A count typed in the dialog: rounded, held to the family's limits; "-", an
// empty or unreadable entry gives nothing (the field is ignored).
std::optional<int> LitCompte(const std::string& texte, TFamilleLignes f);
// Grows (rows of "0") or shrinks a family's table to n rows; the split count
// follows the number of sections down.
void RedimTable(TTablesGrille& t, TFamilleLignes f, int n);
// "Scinder en :" held to 1..the section count and rounded; nothing for an unreadable entry.
std::optional<int> LitScinder(const std::string& texte, int nbSec);
// Checks every cell of one table: "" when all are numbers (and diagonal angles
// give a plane), else the message naming the first bad cell.
std::string VerifieTable(const TTableGrille& t, TFamilleLignes f);
// Writes an automatic rule's positions (and angles) into the table and its step into the label.
void RemplitTable(TTableGrille& t, TFamilleLignes f, const TEspacement& e);
// The tables become the document's grid and every line table is rebuilt, empty (OK of
// the dialog is the session's MajGrille, which then recomputes the displayed lines).
void AppliqueGrille(TDocument& doc, const TTablesGrille& t);

// A real with a fixed number of decimals and a point, whatever the locale ("%.*f").
std::string FormatReel(double v, int decimales);
