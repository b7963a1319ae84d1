// The windows of the "Surfaces" menu, the custom precision, "Espacement Grille..."
// and "Portée des calculs...", made once for the main window on first use. Their
// commands and screenshot names are registered in CommandesSurfaces.cpp.
#pragma once

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

// The windows of this main window, made (children of it) at the first call.
TFenetresSurfaces FenetresSurfaces(TMainForm& f);
