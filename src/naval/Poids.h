// Weights: the surfaces' own weights from their weight models, the weights and
// ballasts of the document, their total and centre of gravity, and the model of
// the weights window (its text grids, the CSV import and export, the ballast dialog).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "base/FichierStr.h"  // LitReel, EcritFichierTexte
#include "model/DonneesPoids.h"
#include "model/Matrice.h"
#include "model/PropFich.h"

class TEntity;
class TDocument;

// --- Numbers as text, whatever the process locale -----------------------------

// "%.<decimales>f" with a point; a value that rounds to zero is written without a sign.
std::string TexteReel(double v, int decimales);

// --- Weights of the model ----------------------------------------------------

// Recomputes one surface's own weight from its weight model. False when the result is not
// a finite mass and position (the surface is then left out of the total).
bool MajBarycentre(TEntity& e);
// "TOTAL" names the computed total: a weight so named would vanish on the next reading.
bool NomPoidsReserve(std::string_view nom);

// Recomputes every surface's weight and the total ("TOTAL") with its centre of gravity.
void MajTotalPoids(TDocument& doc);
// Why the document's total weight (MajTotalPoids) gives no centre of gravity, empty when it
// gives one: no weight at all, a total that is not a number, a negative total, or a total so
// small beside its parts (masses of both signs) that the quotient is no position.
std::string DefautPoidsTotal(const TDocument& doc);
// Whether that reason is only the absence of any weight (nothing to warn about).
bool SansPoids(const TDocument& doc);
// Moves the weights attached to a surface by the transformation the surface underwent
// (translation, rotation, mirror, scaling), then recomputes the total.
void DeplacePoidsAttaches(TDocument& doc, int numSurf, const TMatrice4& m);

// --- The weights window ------------------------------------------------------

// Columns of the three grids: number, name, mass, X, Y, Z, attached surface.
constexpr int NbColPoids = 7;
using TLignePoids = std::array<std::string, NbColPoids>;
using TGrillePoids = std::vector<TLignePoids>;

// The surfaces grid (read only) and the weights grid as the window opens them.
TGrillePoids LignesSurfaces(const TDocument& doc);
TGrillePoids LignesPoids(const TDocument& doc);
// The total row's weight computed from the texts of both grids; rows whose numbers do not
// convert are skipped.
TPoids TotalDesLignes(const TGrillePoids& surfaces, const TGrillePoids& poids);
// The total row as the window shows it.
TLignePoids LigneTotal(const TPoids& total);

// Row buttons. Rows are renumbered from 0 in column 0.
void RenumeroteLignes(TGrillePoids& g);
void AjouteLigne(TGrillePoids& g);               // "&Ajouter"
void InsereLigne(TGrillePoids& g, int ligne);    // "&Insérer": before that row
void SupprimeLigne(TGrillePoids& g, int ligne);  // "&Supprimer": the last row left is emptied

// The check made before "&Ajouter", "&Insérer" and "&OK": "" when every numeric cell
// converts, else the conversion message of the first that does not.
std::string VerifieLignes(const TGrillePoids& g);
// "&OK": rebuilds the document's list from the rows and recomputes the total. Returns ""
// or the conversion message; on failure the document's list is left as it was.
std::string ValideGrillePoids(TDocument& doc, const TGrillePoids& g);

// Bounds of the weights import, as the document reader is bounded: a weights list
// is tens of rows, never megabytes.
constexpr size_t MaxTailleImportPoids = 16u << 20;
constexpr int MaxLignesImportPoids = 100000;
// "Import": appends the rows of a CSV file (name;mass;X;Y;Z, decimal commas allowed).
// Returns "" or the message to show. Only a regular file within the bounds is read;
// otherwise nothing is imported.
std::string ImportePoidsCsv(const std::string& chemin, TGrillePoids& g);
// The same from the file's bytes.
std::string ImportePoidsCsvTexte(std::string_view texte, TGrillePoids& g);
// One CSV line split as the import does it: name, mass, X, Y, Z.
TLignePoids LigneCsv(std::string ligne);
// "Export": the surfaces rows, an empty line, the weights rows, columns 1 to 6 joined by ";".
std::vector<std::string> LignesCsv(const TGrillePoids& surfaces, const TGrillePoids& poids);
std::string ExportePoidsCsv(const std::string& chemin, const TGrillePoids& surfaces,
                            const TGrillePoids& poids);

// "Imprimer": the lines of the printed weight estimate (the report's heading block with the
// document's properties, then the three grids).
// Printed after those lines: every row again with units, and its moments about the three
// axes (mass times X, Y, Z); rows whose numbers do not convert are left out.
std::vector<std::string> LignesMomentsPoids(const TGrillePoids& surfaces, const TGrillePoids& poids,
                                            const TPoids& total);
std::vector<std::string> LignesImpressionPoids(const TPropFich& d, const TGrillePoids& surfaces,
                                               const TGrillePoids& poids, const TPoids& total);

// The "Nouveau ballast" dialog's fields as typed.
struct TSaisieBallast {
  std::string Valeur, Nom, X, Y, Z;
  int Surface = -1;  // index of the chosen surface, -1 for none
};
// "&OK" of the ballast dialog: appends the ballast and recomputes the total. Returns "" or
// the message to show (the dialog then stays open).
std::string AjouteBallast(TDocument& doc, const TSaisieBallast& s);
