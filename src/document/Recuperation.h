// The recovery document: a copy of the open design written every few minutes while
// it is modified, so that a crash or a power cut costs at most that much work. It is
// offered at the next start when it is newer than the design it copies.
#pragma once

#include <string>

#include "model/Document.h"

// Writes the whole document to `chemin` (an absolute path) through a temporary file.
// The document's name and its modified state are left as they were: the design still
// belongs to its own file. No message is shown: the caller logs the failure.
bool EnregistreRecuperation(const TDocument& doc, const std::string& chemin, std::string* erreur = nullptr);

// Whether the recovery file should be offered: it exists and is newer than the design
// it copies (or that design's file is gone or was never saved).
bool RecuperationAOffrir(const std::string& recuperation, const std::string& document);

// The recovery file is removed once the work it holds is safe (saved, or the design
// closed on purpose).
void SupprimeRecuperation(const std::string& recuperation);

// Minutes between two recovery saves: a stored value outside 1..120 gives 5.
constexpr int IntervalleRecuperationDefaut = 5;
int IntervalleRecuperation(int minutesLues);
