// The one place where the main window reads and writes hull documents: the document
// unit's reader and writer by default; tests install their own.
#pragma once

#include <functional>
#include <string>

#include "document/GestFich.h"
#include "model/Document.h"

struct TDocumentIO {
  // Reads a document for `cible` (an empty one to open the file, the open one to merge
  // into it) without touching it; the result says what was found and holds what was read.
  std::function<TResultatLecture(const TDocument& cible, const std::string& chemin, bool demarrage)> Lire;
  // Brings an accepted read into doc. False when it does not fit that document.
  std::function<bool(TDocument& doc, TResultatLecture& r, bool demarrage)> Installe;
  // Writes the whole document to doc.NomFichier. False with the message on failure.
  std::function<bool(TDocument& doc, std::string& erreur)> Ecrire;
};

TDocumentIO DocumentIOStandard();

// The one question a partial read asks: the file, what was read, what was lost, and
// whether to open (or merge) what could be read.
std::string QuestionLecturePartielle(const TResultatLecture& r);
