// The studio's place in the main window: its child window, its commands ("&Studio",
// the tool button, the zoom, centre and copy commands and the arrow keys while it is
// active), its redraw with the views, and its screenshot. One entry point each, so
// that the main window and the program hold one line apiece.
#pragma once

class TMainForm;
class TStudioForm;
struct TLigneCommande;

// Creates the studio window (hidden) and wires its commands into the main window.
void InstalleStudio(TMainForm& f);
// The studio of the main window, or nullptr before InstalleStudio.
TStudioForm* StudioDe(const TMainForm& f);
// Shows the studio maximised and makes it the active window.
void ActiveStudio(TMainForm& f);
// --screenshot OUT.png --window studio [--curvature]: the main window with the studio
// maximised, its viewport as drawn; returns the program's exit code.
int CaptureStudio(TMainForm& f, const TLigneCommande& lc);
