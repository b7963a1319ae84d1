// The studio window: the model shaded and lit in 3D, with its camera and light
// controls on the left and the OpenGL viewport on the right. Where no OpenGL
// context can exist (the offscreen platform) a placeholder says why instead.
// Nothing is edited here: it reads the document and its host's display toggles.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <memory>

#include "studio/GLGest.h"
#include "studio/RenduStudio.h"
#include "studio/StudioCalc.h"

class QCheckBox;
class QLabel;
class QSpinBox;
class QTimer;
class QWindow;
class QToolButton;
class TGaussForm;
class TVueGL;

// What the studio needs of the window that holds it.
struct THoteStudio {
  std::function<TDocument&()> Document;
  std::function<const TAffichageVues&()> Affichage;
  std::function<void(int type)> ActiveVue;  // the pop-up menu's view commands
  std::function<void()> ControleVues;
  std::function<void(int panneau, const std::string& texte)> EcritStatus;
};

class TStudioForm : public QWidget {
 public:
  TStudioForm(THoteStudio hote, QWidget* parent = nullptr);
  ~TStudioForm() override;

  TCameraStudio Camera;
  TglLightList Lumieres;
  TglAxes Axes;
  TReglagesStudio Reglages;
  TEtatStudio Etat;
  TEchelleGauss Echelle;
  bool Actif = false;

  // Whether a GL viewport exists (false: the placeholder stands in its place).
  bool AvecOpenGL() const { return Vue != nullptr; }
  // Background colour to the viewport, then a repaint.
  void InitDraw();
  // The model changed: curvature colours brought up to date, repaint.
  void Redessine();
  // Repaint only (camera or lights moved).
  void Repeint();
  void FormActivate();
  void FormDeactivate() { Actif = false; }
  // The menu's zoom commands and "Re&centrer" when the studio is bound.
  void Zoom(bool agrandir, TModifs m);
  void Recentrer();
  // The arrow keys; true when the key was one of them.
  bool Touche(int touche, TModifs m);
  // The picture of the viewport, drawn again off screen (empty without OpenGL or before the
  // viewport's first display).
  QImage Image();
  // The next frame shown is read back as the window holds it, before its swap; until then
  // ImageAffichee() is empty.
  void ReleveImage();
  QImage ImageAffichee() const;
  // The curvature button, pressed or released as by a click.
  void ChoisitCourbure(bool bas);
  // "Spots visibles", pressed or released as by a click.
  void MontreSpots(bool v);
  // Lights from the settings (enabled state, distance, rotations).
  void AppliqueLumieres();
  TGaussForm* Gauss() const { return FormGauss; }
  // Frames the viewport has drawn (0 without OpenGL).
  int Images() const;
  // The viewport's window, which receives the mouse (none without OpenGL).
  QWindow* FenetreGL() const;
  // The studio values a document carried.
  void PrendVueDocument(const TVueDocument& v);
  void EcritVueDocument(TVueDocument& v) const;

  // The light turned by the 50 ms timer: one step of the first pressed arrow.
  void PasLumiere();

 private:
  THoteStudio Hote;
  TVueGL* Vue = nullptr;
  QWidget* Conteneur = nullptr;  // holds the viewport's window
  QLabel* Remplacant = nullptr;
  TGaussForm* FormGauss = nullptr;
  QToolButton *BtnSmooth = nullptr, *SBCourbure = nullptr, *SBtn_PlanEau = nullptr, *SB_PCinvis = nullptr;
  QToolButton *SB_Haut = nullptr, *SB_Gauche = nullptr, *SB_Droit = nullptr, *SB_Bas = nullptr;
  QToolButton* BtnSpot = nullptr;
  QSpinBox* NumLumiere = nullptr;
  QCheckBox* CBActive = nullptr;
  QTimer* TimerFl = nullptr;
  bool FondDonne = false;

  void CreePageCamera(QWidget* page);
  void CreePageLumieres(QWidget* page);
  void ChoixLumiere(int n);
  void ClicActive(bool c);
  void MajCouleursCourbure();
  friend class TVueGL;
  TSceneStudio Scene();
  void MenuContextuel(const QPoint& global);
};
