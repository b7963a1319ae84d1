// The table of offsets: for the chosen surfaces, where each section line meets
// the waterlines (or the buttocks) of the grid, and where each section plane
// meets the four edges of each surface; its export text and report lines.
#pragma once

#include <array>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Entity.h"

class TDocument;

// Five columns: "Num", "Nom", "X", "Y", "Z". Row 0 is the header; data rows
// follow. An empty table holds the header and one data row of empty cells.
class TTableCotes {
 public:
  using TLigne = std::array<std::string, 5>;

  TTableCotes() { Reinitialise(); }
  void Reinitialise();
  // The first entry fills the empty data row; every later one adds a row.
  void AjouteEntree(const std::string& cle, const TVertex3f& p);
  // Numbers the data rows from 0.
  void Numerote();
  const std::vector<TLigne>& Lignes() const { return L; }
  // Data rows (the empty row of an empty table included).
  int NbDonnees() const { return static_cast<int>(L.size()) - 1; }

 private:
  std::vector<TLigne> L;
};

enum class TCroisementCotes { LignesEau, Longitudinales };

// The crossings of one section line with the waterline at Z (heights rounded to four decimals).
void IntersectionCoupleLE(TTableCotes& t, const TCoupe& coupe, double z);
// The crossings of one section line with the buttock at X (half-breadths rounded to five decimals).
void IntersectionCoupleLg(TTableCotes& t, const TCoupe& coupe, double x);
// Where the plane y = Y meets the four edges of a surface's grid (and of its mirror grid).
void IntersectionCoupleAretes(TTableCotes& t, const TEntity& e, double y);

// "Calculer": every listed surface (document indices, any order) section by
// section, then the edge crossings. The surfaces must be evaluated (the session's
// MajSurface(doc, true, -1) first); the listed ones get up-to-date sections, visible or not,
// with their curvature when courbure (the sections shown with combs stay so).
void CalculeTableCotes(TDocument& doc, const std::vector<int>& surfaces, TCroisementCotes croisement,
                       TTableCotes& t, bool courbure = false);

// The export text: every row, the header included, cells joined by ";",
// Windows-1252 with CR LF after every line.
std::string TexteExportCotes(const TTableCotes& t);

// A failed write of the table: the message tells the user which file.
struct TErreurExportCotes : std::runtime_error {
  using std::runtime_error::runtime_error;
};
// Writes the export text; the previous file, if any, is replaced only once the
// new one is complete. Throws TErreurExportCotes when the file cannot be written.
void ExporteTableCotes(const TTableCotes& t, const std::string& chemin);

// The lines of the printed report after its heading: the cells joined by tabs.
std::vector<std::string> LignesRapportCotes(const TTableCotes& t);

// The table as a matrix: a row per station, a column per level of the crossing. At a waterline
// the outermost half-breadth (the largest |X|) among the listed surfaces' crossings; at a
// buttock the lowest height: the hull's underside, not a deck above it. No value where the
// section does not reach the level. Read from the same crossings as the table's rows, so after
// CalculeTableCotes with the same surfaces.
struct TMatriceCotes {
  TCroisementCotes Croisement = TCroisementCotes::LignesEau;
  std::vector<double> Niveaux;                              // Z of the waterlines or X of the buttocks
  std::vector<double> Stations;                             // Y of the sections
  std::vector<std::vector<std::optional<double>>> Valeurs;  // [station][level]
};
TMatriceCotes MatriceCotes(const TDocument& doc, const std::vector<int>& surfaces,
                           TCroisementCotes croisement);
// Its report lines: a title, then blocks of at most parBloc levels, each a header row (the
// station, its Y, the levels) and a row per station, cells joined by tabs.
struct TLigneMatriceCotes {
  std::string Texte;
  bool Titre = false, Entete = false;
};
std::vector<TLigneMatriceCotes> LignesMatriceCotes(const TMatriceCotes& m, int parBloc = 8);
