// The calculation windows in the main window: their commands and, for the
// screenshot mode, each window opened on the document with its calculation run.
#pragma once

#include <QString>
#include <string>

class TMainForm;

// Enables and wires "Calculs hydrostatiques...", "Calculs de stabilité...", "Devis de poids...",
// "Tableau de cotes" and the ballast mode "Ajout de ballast".
void RelieFenetresCalcul(TMainForm& f);

// The names of --window that this file knows.
bool EstFenetreCalcul(const std::string& nom);
// Opens the named window on the main window's document, runs its calculation and writes it
// as a PNG. Returns the process exit code.
int CaptureFenetreCalcul(TMainForm& f, const std::string& nom, const QString& sortie);
