// The studio's place in the main window: its child window, its commands ("&Studio",
// the tool button, the zoom, centre and copy commands and the arrow keys while it is
// active), its redraw with the views, and its screenshot window "studio" (registered).
#pragma once

class TMainForm;
class TStudioForm;
class QImage;

// Creates the studio window (hidden) and wires its commands into the main window.
void InstalleStudio(TMainForm& f);
// The studio of the main window, or nullptr before InstalleStudio.
TStudioForm* StudioDe(const TMainForm& f);
// The studio camera of a document just read (not merged), when it carried one.
void PrendVueStudioDuDocument(TMainForm& f);
// Shows the studio maximised and makes it the active window.
void ActiveStudio(TMainForm& f);
// The picture of `--screenshot OUT.png --window studio [--curvature]`: the main window with
// the studio maximised, its viewport as drawn and the scale window where it stands.
QImage ImageStudio(TMainForm& f, bool courbure);
