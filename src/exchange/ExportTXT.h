// The text export: per visible surface its name, colour, control net, edges,
// lines and point grid, then the lines grid and the axes, in the program's own
// tagged text for users who process the geometry with their own tools.
#pragma once

#include <string>
#include <vector>

#include "exchange/Export.h"

// The lines of the file (UTF-8 in memory; written single-byte with CR LF after each).
std::vector<std::string> LignesTXT(const TDocument& doc, const TOptionsExport& o);
// Writes them through the atomic writer: on failure the previous file stays.
TResultatExport ExportTXT(const TDocument& doc, const std::string& nomFichier, const TOptionsExport& o);
// A colour as the file writes it: upper-case hexadecimal of its 32 bits, at least six digits.
std::string TexteCouleurTXT(int coul);
