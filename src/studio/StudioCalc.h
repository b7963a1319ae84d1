// The studio's arithmetic that needs neither a window nor a graphics context:
// camera mappings (zoom steps, zoom slider, angle refresh, arrow keys), the light
// angle wrap, the curvature colour scale, the drawing passes and their order, and
// the studio's settings with the program's defaults.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "edition/Cadrage.h"
#include "model/Document.h"

// The view kind the view-control window knows the studio by.
constexpr int tvStudio = 6;
// Index of the studio's placement among the document's windows.
constexpr int IndexVueStudio = 4;

// The studio's camera: its TParamVue fields read in the studio's own way.
struct TCameraStudio {
  int OrigineX = 0, OrigineY = 0;               // pan, tenths of a metre
  float Echelle = 151;                          // position of the zoom slider
  float Azimut = 0, Elevation = 0, Angle3 = 0;  // degrees
  float Distance = 10;                          // metres
};

constexpr int CurseurZoomMin = 1, CurseurZoomMax = 350;

// The studio camera a document carried (key "St" of its views section, as read): offset
// x; offset y; distance; azimuth; elevation; third angle. A field that does not read
// gives offsets 0, distance 10 and angles 0; nothing when the document has no such key.
std::optional<TVueDocument> VueStudioDocument(const TDocument& doc);

// Zoom in (true) or out: step 5 with Alt, else 0.2 with Ctrl, else 1; no lower bound on the
// distance. The scale follows as the slider position the distance stands for.
void ZoomStudio(TCameraStudio& c, bool agrandir, TModifs m, int curseurMax = CurseurZoomMax);
// Camera distance for a zoom-slider position.
float DistanceDuCurseur(int position, int curseurMax = CurseurZoomMax);
// Binding the view-control window: the slider takes round(scale), the distance follows it.
void LieControleVues(TCameraStudio& c);
// An angle beyond +-360 becomes round(angle) mod 360, keeping its sign; others are kept.
float AngleRafraichi(float a);
// The arrow keys while the studio is active (Qt key codes of the four arrows).
void FlecheStudio(TCameraStudio& c, int dx, int dy, TModifs m);
int PasFlecheStudio(TModifs m);
// A drag with the left button: half a degree per pixel.
void TourneSouris(TCameraStudio& c, int dxPixels, int dyPixels);

// Eye coordinates of a model point under the camera (the frame's model-view transform).
TVertex3f VersOeil(const TCameraStudio& c, const TVertex3f& p);
// The pixel (x right, y down) of a model point in a w x h viewport; false behind the camera.
bool ProjetteStudio(const TCameraStudio& c, int w, int h, const TVertex3f& p, double& x, double& y);
// Turns the camera to the angles, then pans and moves it so that the model's extent, with
// its mirror half, fills a w x h view: the three-quarter picture of the screenshots.
void CadreStudio(TCameraStudio& c, const TDocument& d, float azimut, float elevation, int w, int h);

// A light's rotation stepped by any +-10: one correction each way keeps it in 0..360.
float AngleLumiere(float a);

// One light as the settings keep it.
struct TPositionLumiere {
  bool Active = false;
  double Distance = 4, RotX = 0, RotY = 0;
};

// The studio's settings with the program's defaults; the settings store fills them later.
struct TReglagesStudio {
  int ArpStudio = 0x000000;  // background
  int BordSf = 0xFF9B00;     // surfaces of the default colour (-1)
  // Each family its own colour: orange sections, green waterlines, pink buttocks, white diagonals.
  int Sec = 0x4080FF, LE = 0x8CFF8C, Longit = 0xFF78FF, Diag = 0xFFFFFF;
  int ResVertex = 0x909090;           // grey: the surfaces' edges are blue
  int PolyFactor = 0, PolyUnits = 0;  // slider positions; the offset is position / 10 + 1
  bool OptNetVxStudio = false;
  double OptTailleReperesStudio = 0.02;
  bool AffPlanEau = true;
  // The lights at the window's creation: 0, 1 and 2 on with their markers.
  std::array<TPositionLumiere, 8> Lumieres{
      {{true, 4, 50, 130}, {true, 4, 20, 10}, {true, 4, 10, 240}, {}, {}, {}, {}, {}}};
  double FacteurPoly() const { return PolyFactor / 10.0 + 1; }
  double UnitesPoly() const { return PolyUnits / 10.0 + 1; }
};

// The colour scale of the Gaussian curvature: white at 0, blue for positive, red for
// negative, darker towards the ends.
class TEchelleGauss {
 public:
  static constexpr int Demi = 440;
  TEchelleGauss();

  double Max = 0.5;    // saturation before contrast; always above 0
  double Min = 0;      // dead band: |K| < Min counts as 0
  double Facteur = 1;  // contrast, (100 - slider) / 100

  // Colour (0x00BBGGRR) of table entry i in -440..440.
  int Entree(int i) const { return Table[static_cast<size_t>(i + Demi)]; }
  int Indice(double k) const;
  int Couleur(double k) const { return Entree(Indice(k)); }
  // The edit fields: false (value kept) for a text that is not a number, or a Max <= 0.
  bool SaisitMax(const std::string& texte);
  bool SaisitMin(const std::string& texte);
  // Slider 0..99 (0 at the top).
  void Curseur(int position);
  std::string LabelHaut() const;
  std::string LabelBas() const;

 private:
  std::array<int, 2 * Demi + 1> Table{};
};

// Fills the curvature colours of a NURBS surface from its curvature, grid point by grid point.
void InitCouleursCourbureSurf(TSurface& s, const TEchelleGauss& e);
void InitCouleursCourbureAllSurf(TDocument& doc, const TEchelleGauss& e);

// The surfaces in drawing order: the visible opaque ones (Alpha exactly 1) in list order,
// then the visible transparent ones.
std::vector<int> OrdreSurfaces(const TDocument& doc);

enum class TModeDessin { Invisible, Points, Contours, Filaire, Rempli };

// The passes of one surface, in order.
enum class TPasse {
  MasqueSurface,  // filled in the surface colour, pushed back in depth
  MasqueFond,     // filled in the background colour, unlit, pushed back
  Points,
  Contours,
  Filaire,
  Rempli,
};
std::vector<TPasse> PassesSurface(TModeDessin mode, bool cacheesInvisibles, bool lignesAffichees);

// 0x00BBGGRR to the graphics library's red, green, blue in 0..1.
std::array<float, 3> DColorToGL(int bgr);

// The water plane's polygon and its upward normal, in the model: the rectangle from (x0, y0)
// to (x1, y1) in the model's plane Z = 0, or, when "Flottaison" is on and the hull floats at
// its weights, the same rectangle carried into the floating waterplane (square to it).
struct TPlanEauStudio {
  std::array<TVertex3f, 4> Coins{};
  TVertex3f Normale{0, 0, 1};
};
TPlanEauStudio PlanEauStudio(const TDocument& d, bool flottaison, double x0, double x1, double y0, double y1);
