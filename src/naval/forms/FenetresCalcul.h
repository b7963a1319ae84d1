// The calculation windows in the main window: their commands ("Calculs hydrostatiques...",
// "Calculs de stabilité...", "Devis de poids...", "Tableau de cotes", the ballast mode
// "Ajout de ballast") and, for the screenshot mode, the windows "hydrostat", "stab", "poids"
// and "tabcotes", each opened on the document with its calculation run. Everything is
// registered at start-up (ui/Registre.h).
#pragma once

class TMainForm;
class TStabForm;

// Ties a stability window to the main window: "Transformer" takes the undo snapshot first
// and the views follow the moved model.
void RelieStab(TMainForm& f, TStabForm& w);
