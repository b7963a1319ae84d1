// The main window's small windows: the program's message dialog (AfficheMessage),
// the splash and about window, the desk calculator and the toolbox.
#pragma once

#include <QDialog>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "ui/Calculatrice.h"

class QLabel;
class QPushButton;

// The modal message dialog: icon, text and a row of buttons laid out by the rules of
// TexteMessage; exec() returns the pressed button's result (0 when closed otherwise).
class TfmMessageDlg : public QDialog {
 public:
  TfmMessageDlg(const std::string& texte, int type, int boutons, QWidget* parent = nullptr);
  std::vector<QPushButton*> Boutons;
  QLabel* Texte = nullptr;

 protected:
  // A plain letter answers as the button it underlines ("N" for "&Non"), as Alt with it does.
  void keyPressEvent(QKeyEvent* e) override;
};

// Shows the dialog and returns the pressed button's result.
int AfficheMessageDlg(const std::string& texte, int type, int boutons);

// For the destructor of a dialog whose fields call it back when their editing ends: a
// dialog that goes while a field has the focus moves the focus out as it hides, and the
// field's editingFinished would reach a dialog already half destroyed.
void DetacheChamps(QWidget& dialogue);

// The splash window (no caption bar) and, shown modally with a caption and OK, the about box.
class TSplash : public QDialog {
 public:
  explicit TSplash(bool aPropos, QWidget* parent = nullptr);
};

// "Version " and the first two dot-separated parts of the program's version.
std::string TexteVersionCourte();

class TCalculatriceForm : public QWidget {
 public:
  explicit TCalculatriceForm(QWidget* parent = nullptr);
  TCalculatrice Calc;
  void Touche(const std::string& t);

 protected:
  // Typed digits and operators, Enter for "=", Escape to close.
  void keyPressEvent(QKeyEvent* e) override;

 public:
  QLabel* Ecran = nullptr;
  QLabel* IndicM = nullptr;
};

// The toolbox: a narrow stay-on-top window of buttons that run menu commands.
// Double-click sends it to the right edge of the main window; closing it unchecks its menu item.
class TBoiteOutilsForm : public QWidget {
 public:
  explicit TBoiteOutilsForm(QWidget* principale);
  std::function<void()> QuandFerme;
  void PlaceADroite();

 protected:
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  QWidget* Principale;
};
