// The export window: what an export writes (edges, lines, surface, grid, axes)
// and in which context (3D, or 2D as seen in one view), preset from the view
// menu; and the "Export" commands of the "Fichier" menu that run it.
#pragma once

#include <QDialog>
#include <functional>

#include "exchange/Export.h"

class QCheckBox;
class QRadioButton;
class QGroupBox;
class TMainForm;

class TExportForm : public QDialog {
 public:
  explicit TExportForm(QWidget* parent = nullptr);

  // Caption, presets and enabled boxes for a kind (TXT, DXF or IGES).
  void Ouvre(TTypeExport t, const TMenuVue& m);
  // The boxes as an options record; the 2D context is that of the view kind chosen
  // (its placement is the caller's to fill in).
  TOptionsExport Options() const;
  int Vue2D() const;
  TTypeExport Type() const { return Kind; }

  QCheckBox *CBAretes, *CBCouples, *CBLignesEau, *CBLongitudinales, *CBDiagonales, *CBSurfParam, *CBNurbs,
      *CBGrille, *CBAxes, *CBCouleurs;
  QRadioButton *RBMaillage, *RBCourbes, *RB3D, *RB2D;
  QRadioButton* RBVues[4];

 private:
  void Active();
  TTypeExport Kind = teDXF;
  bool Moitie = false;
};

// The caption, save-dialog filter and default extension of a kind.
struct TDescriptionExport {
  std::string Caption, Filtre, Extension;
};
TDescriptionExport DescriptionExport(TTypeExport t);

// How the export command asks: the window (true for OK) and the file name ("" cancels).
// Tests replace them; by default the window runs modal and the save dialog warns
// before replacing a file.
struct TDialoguesExport {
  std::function<bool(TExportForm&)> Fenetre;
  std::function<QString(const QString& titre, const QString& filtre, const QString& extension)> Fichier;
};
TDialoguesExport& DialoguesExport();

// The whole command: the window, the file, the document brought up to date, the
// writer, and the user told of what was left out or of a failed write.
void LanceExport(TMainForm& f, TTypeExport t);
// The window of --screenshot --window export: preset for DXF from the main window's menu.
QWidget* FenetreCaptureExport(TMainForm& f);
