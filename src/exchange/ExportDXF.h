// The DXF export: the surfaces' edges, lines, meshes or curves, the grid and the
// axes as a release 12 text file, in 3D or projected as seen in one view.
#pragma once

#include <string>

#include "exchange/Export.h"

// The layer of a surface: release 12 takes letters, digits, "$", "-" and "_" only;
// accented letters lose their accents, any other character becomes "_".
std::string CalqueDXF(const std::string& nom);

// The whole file as text (CR LF after every line). The surfaces must be evaluated and
// the checked families of lines computed.
std::string TexteDXF(const TDocument& doc, const TOptionsExport& o, TResultatExport* r = nullptr);
// Writes it through the atomic writer: on failure the previous file stays.
TResultatExport ExportDXF(const TDocument& doc, const std::string& nomFichier, const TOptionsExport& o);
