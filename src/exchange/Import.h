// Starting a design from an existing hull: what the IGES and the table-of-offsets
// readers give (surfaces of the program's own kinds, with the deviation of each from
// what the file holds), and how they enter a document, all or nothing.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/Document.h"

// 1 mm: finer than a builder's batten, coarser than the noise of a digitised plan.
constexpr double ToleranceImportDefaut = 0.001;
// A tolerance below a micrometre asks more than the four decimals of a document keep.
constexpr double ToleranceImportMin = 1e-6;
constexpr double ToleranceImportMax = 1.0;
// Files beyond this are no hull: refused before anything is read.
constexpr size_t MaxTailleImport = 64u << 20;

struct TSurfaceImportee {
  std::unique_ptr<TEntity> Surface;  // a TSurface, or a TDXFSurface for a mesh
  bool Exacte = false;               // the file's own net, read as it is
  double Ecart = 0;                  // largest deviation found from the file's surface, m
  std::string Source;                // where it comes from in the file
};

struct TImportCoque {
  std::string Fichier;
  // Why nothing was imported (the file names and the line or entity), or "".
  std::string Erreur;
  std::vector<TSurfaceImportee> Surfaces;
  // What the user must know: entities skipped, trims dropped, mesh instead of a net.
  std::vector<std::string> Avertissements;
  double Tolerance = ToleranceImportDefaut;
  bool Ok() const { return Erreur.empty(); }
  double EcartMax() const;
};

// Puts the imported surfaces into the document: after its own surfaces, or in place
// of everything (nouveau: an empty document with the grid spread over the hull is up
// to the caller). Names are made unique and cut to 20 characters. Refused whole, with
// the message of the surface count and the document unchanged, beyond 4 surfaces.
// The surfaces are moved out of r; the caller evaluates them (session's MajSurface).
std::string InstalleImport(TDocument& doc, TImportCoque& r, bool nouveau);

// One line per surface (name, kind, net or grid size, deviation) and the warnings,
// in the user's language.
std::vector<std::string> ResumeImport(const TImportCoque& r);
