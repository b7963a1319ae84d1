// One frame of the studio drawn with OpenGL 1.1 and GLU on whatever context is
// current: projection, camera, axes, lights, the model (surfaces opaque before
// transparent, lines, nets, orientation vectors) and the water plane last.
// The surfaces' grids go as vertex arrays shared between neighbouring rows: a software
// renderer spends its time lighting vertices, and strips would light each one twice.
// Opaque surfaces are drawn unblended (blending them with an alpha of 1 changes no pixel
// but reads the framebuffer back), and each half is flushed to the rasterizer once sent.
#pragma once

#include "edition/Affiche.h"
#include "model/Document.h"
#include "studio/GLGest.h"
#include "studio/StudioCalc.h"

// The state of the studio's buttons.
struct TEtatStudio {
  TModeDessin Mode = TModeDessin::Rempli;
  bool CacheesInvisibles = false;  // "Parties cachées invisibles"
  bool Lissage = true;
  bool Courbure = false;
  bool PlanEau = true;
  // False: the plain drawing that the fast one must reproduce pixel for pixel: each grid
  // row as a quadrilateral strip in immediate mode, every surface blended.
  bool Rapide = true;
};

struct TSceneStudio {
  const TDocument& Doc;
  const TAffichageVues& Aff;
  const TReglagesStudio& Reglages;
  const TCameraStudio& Camera;
  const TglLightList& Lumieres;
  const TglAxes& Axes;
  const TEtatStudio& Etat;
  // The clearing colour: the viewport's own white until the background is first given.
  int Fond = 0xFFFFFF;
};

// The lights as the settings place them: enabled state (marker with it), distance, rotations.
void PlaceLumieres(TglLightList& l, const TReglagesStudio& r);

class TRenduStudio {
 public:
  // Draws one frame of w x h pixels into the current framebuffer; GL state is restored after.
  void Frame(const TSceneStudio& s, int w, int h);
};
