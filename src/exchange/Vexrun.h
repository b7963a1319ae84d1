// The files of the outside resistance program: the input file written from the hull
// surfaces (offsets at the grid's sections and waterlines, and each hull's particulars),
// the configuration files of its parameter boxes, and the table of its output file.
// The window that runs the program lives in exchange/forms/VexrunForm.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "model/Document.h"

// A file that cannot be read or written, or an output table that cannot be used; the
// message is the program's own text, ready to show.
struct TErreurMichlet : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The three boxes of parameter lines, one text line per entry.
struct TParamsMichlet {
  std::vector<std::string> Generaux;  // label lines each followed by their value line
  std::vector<std::string> Comptes;   // the section and waterline counts (refilled at launch)
  std::vector<std::string> Vagues;    // the wave-patch parameters
};

// The boxes as a new window shows them (the counts box empty).
TParamsMichlet ParamsMichletInitiaux();
// The counts box as a launch refills it from the document's grid.
std::vector<std::string> ComptesMichlet(const TDocument& doc);

// One offset: "%4.6f" padded on the left to 11 characters ("   1.250000").
std::string TexteCote(double v);
// The offset of one section line at height z: the last crossing found along its
// polylines at the exact height, or 0 when the line does not reach z.
std::string CoteSection(const TCoupe& section, double z);
// The lines of the input file (UTF-8) for the chosen hulls in that order; dateHeure is
// the text of the third note. The hulls must have been prepared.
std::vector<std::string> LignesEntreeMichlet(const TDocument& doc, const std::vector<int>& carenes,
                                             const TParamsMichlet& p, const std::string& dateHeure);

// A file name joined to the program's folder ("" keeps the name as it is): the folder
// may end with a separator or not.
std::string CheminMichlet(const std::string& dossier, const std::string& nom);

// The text lines of a file (Windows-1252 read as UTF-8, CR LF or LF), the last one
// included. Throws TErreurMichlet when the file cannot be read.
std::vector<std::string> LitLignesMichlet(const std::string& chemin);
// Writes lines (CR LF after each, Windows-1252) through the atomic writer. Throws TErreurMichlet.
void EcritLignesMichlet(const std::string& chemin, const std::vector<std::string>& lignes);

// The resistance table of an output file.
struct TResultatsMichlet {
  std::vector<double> U, Rr, Rt;
};
// The rows after the heading " U (m/sec),       Rr     ,       Rt", up to the first
// empty line or the end of the file. A missing heading, an empty table, a row with
// fewer than three values or a value that is not a number throws TErreurMichlet: no
// partial curve is ever given.
TResultatsMichlet LitResultatsMichlet(const std::vector<std::string>& lignes);

// The configuration file of the three boxes, and its reading back: empty lines are
// skipped, the last line of the file is read, and a file without "[Section1]" gives
// three empty boxes.
std::vector<std::string> LignesConfigMichlet(const TParamsMichlet& p);
TParamsMichlet LitConfigMichlet(const std::vector<std::string>& lignes);
