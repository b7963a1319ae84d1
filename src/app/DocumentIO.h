// The one place where the main window reads and writes hull documents. The
// reader and writer belong to the document unit; until they are in this build
// the standard functions say so, and tests install their own.
#pragma once

#include <functional>
#include <string>

#include "model/Document.h"

struct TDocumentIO {
  // Reads a document: into an empty document, or after the surfaces present when
  // fusion is set. demarrage: the file was named on the command line. False with
  // the program's message when the file could not be read.
  std::function<bool(TDocument& doc, const std::string& chemin, bool demarrage, bool fusion,
                     std::string& erreur)>
      Lire;
  // Writes the whole document to doc.NomFichier. False with the message on failure.
  std::function<bool(TDocument& doc, std::string& erreur)> Ecrire;
};

TDocumentIO DocumentIOStandard();
