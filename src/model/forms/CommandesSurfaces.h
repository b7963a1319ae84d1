// The commands of the "Surfaces" menu, the custom precision, "Espacement Grille..."
// and "Portée des calculs...": their windows, created once for the main window,
// and what follows each change (updates, views, tool windows).
#pragma once

#include <string>

class QWidget;
class TMainForm;
class TSurfNewForm;
class TListeSurfForm;
class TListeSurfVisiblesForm;
class TPropSurfForm;
class TPrecisForm;
class TGrilleForm;

struct TFenetresSurfaces {
  TSurfNewForm* SurfNew = nullptr;
  TListeSurfForm* ListeSurf = nullptr;
  TListeSurfVisiblesForm* Visibles = nullptr;
  TPropSurfForm* PropSurf = nullptr;
  TPrecisForm* Precis = nullptr;
  TGrilleForm* Grille = nullptr;
};

// Creates the windows, wires the commands (menu, tool bar and toolbox alike) and enables them.
void EnregistreCommandesSurfaces(TMainForm& f);
// The windows of a main window where EnregistreCommandesSurfaces ran.
TFenetresSurfaces FenetresSurfaces(TMainForm& f);
// The named window (NomsFenetresSurfaces.h) filled from the document, for a screenshot; nullptr for another
// name.
QWidget* PrepareFenetreSurfaces(TMainForm& f, const std::string& nom);
