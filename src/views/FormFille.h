// A view window's canvas (transverse, plan, profile or perspective view): it
// draws the model into an off-screen image, copies it on paint, draws the
// rubber bands over it, and turns the mouse into zoom, pan and wheel commands.
// Everything else it asks of its host, the main window.
#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "edition/Affiche.h"
#include "edition/Cadrage.h"
#include "edition/Edition.h"
#include "edition/ListeDessin.h"
#include "edition/TabCoor.h"

class TFormFille;

// A tool that takes a view's left-button gestures while its mode is on (new ballast, new
// reference mark, measures, dimensions). Zoom and pan come first; then the tools, by
// Priorite (marks 30, measures 40, dimensions 50, ballast 60, as the press rules rank
// them); the vertex editing only when no tool is on. The tool chosen at the press keeps
// the gesture until the release.
struct TOutilVue {
  int Priorite = 100;
  std::function<bool(const TFormFille& v)> Actif{};  // its mode is on for this view
  std::function<void(TFormFille& v, QPoint p, TModifs m)> Appui{};
  std::function<void(TFormFille& v, QPoint p)> Mouvement{};
  std::function<void(TFormFille& v, QPoint p, QPoint global, TModifs m)> Relache{};
};

// What a view needs from the window that holds it.
class THoteVues {
 public:
  virtual ~THoteVues() = default;
  virtual TDocument& Document() = 0;
  virtual const TAffichageVues& Affichage() const = 0;
  virtual const TOptionsVues& OptionsVues() const = 0;
  virtual const TGrilleVue& GrilleVue() const = 0;
  // False before start-up completes and once closing has begun.
  virtual bool DessinPermis() const = 0;
  virtual bool ModeZoom() const = 0;
  virtual bool ModeDeplacer() const = 0;
  virtual void FinModeZoom() = 0;
  virtual void FinModeDeplacer() = 0;
  virtual void Molette(TFormFille& v, int delta, TModifs m) = 0;
  virtual void MenuVue(TFormFille& v, const QPoint& global) = 0;
  virtual void EcritStatus(int panneau, const std::string& texte) = 0;
  // The editing side of the program (undo, modes, recomputation); null: views only look.
  virtual THoteEdition* HoteEdition() { return nullptr; }
  // Every redraw of a view ends here (the view-control window follows its view).
  virtual void VueRedessinee(TFormFille&) {}

  // The tools of the views (see TOutilVue), installed once by the unit that owns each.
  void InstalleOutil(TOutilVue o);
  // The first tool on for this view, or none.
  std::optional<TOutilVue> OutilActif(const TFormFille& v) const;

 private:
  std::vector<TOutilVue> Outils;
};

class TFormFille : public QWidget {
 public:
  TFormFille(THoteVues& hote, int type, QWidget* parent = nullptr);

  int Type() const { return Cadrage.Param.Type; }
  TCadrage Cadrage;
  TTableVertex Tab;
  TListPC Selection;

  // Refreshes the vertex tables, draws the model into the image and schedules the copy.
  void Redessine();
  const QImage& Image() const { return Bitmap; }
  const TListeDessin& Liste() const { return Dessin; }
  void VideSelection();
  // The mouse editing of this view, once the program offers editing.
  TEditeurVue* Editeur();

  // The background picture: decoded from the file the document names for this view,
  // and fitted to the window by the document's fit mode.
  void ChargeFondFichier();
  void StretchFondFichier();
  bool FondCharge() const { return FondOK; }
  const QImage& FondSource() const { return FondSrc; }
  const QImage& FondAjuste() const { return FondEtire; }
  // The view-control window's last offsets.
  int DeplH = 0, DeplV = 0;

  // Rubber bands (drawn over the image, never into it).
  enum class TSuperpose { Rien, Croix, RectProportionnel, RectPointille };
  TSuperpose Superposition() const { return Sup; }

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  THoteVues& Hote;
  QImage Bitmap;
  TListeDessin Dessin;
  TSuperpose Sup = TSuperpose::Rien;
  QPoint Croix, P1, P2;
  bool BoutonBas = false;
  bool ZoomEnCours = false, PanEnCours = false;
  QPoint RefPan;
  std::unique_ptr<TEditeurVue> Ed;
  bool EditionEnCours = false;
  std::optional<TOutilVue> Outil;  // the tool that took the press, until the release
  QImage FondSrc, FondEtire;
  // A picture tied to the model, drawn at the view's size for the map it was drawn with.
  QImage FondCale;
  std::array<double, 6> FondCaleMap{};
  bool FondOK = false;
  std::string FondNom = "";  // the file FondSrc came from
  bool FondTente = false;
};
