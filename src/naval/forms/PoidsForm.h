// The weights window ("Devis de poids"): the surfaces' own weights, the editable
// weights and ballasts with their attached surface, the total, CSV import and
// export, and printing. And the "Nouveau ballast" dialog.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "naval/Poids.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QTableWidget;
struct TLigneRapport;

class TPoidsForm : public QDialog {
 public:
  explicit TPoidsForm(TDocument& doc, QWidget* parent = nullptr);

  // The grids from the document, every surface brought up to date first.
  void Initialise();
  TGrillePoids GrilleSurfaces() const { return Surfaces; }
  TGrillePoids GrillePoidsLue() const;  // the weights grid's texts
  void MajTotal();
  void Ajouter();
  void Inserer();
  void Supprimer();
  // "&OK": "" and the document's list rebuilt, or the message (shown) and nothing changed.
  std::string Valider();
  std::string Importer(const std::string& chemin);
  bool Exporter(const std::string& chemin) const;
  std::vector<TLigneRapport> LignesRapport() const;

  // After the document's weights changed: the views redraw.
  std::function<void()> ApresModification;

  QTableWidget *TSurfaces = nullptr, *TPoids_ = nullptr, *TTotal = nullptr;

 private:
  TDocument& Doc;
  TGrillePoids Surfaces;
  void Ecrit(const TGrillePoids& g);
  bool Verifie();
};

class TDefPoidsForm : public QDialog {
 public:
  // The ballast at a point of the model, from a click in a view.
  TDefPoidsForm(TDocument& doc, const TVertex3f& p, QWidget* parent = nullptr);
  // "&OK": "" (the ballast appended, the dialog accepted) or the message shown.
  std::string Valider();
  QLineEdit *EdValeur = nullptr, *EdNom = nullptr, *EdX = nullptr, *EdY = nullptr, *EdZ = nullptr;
  QListWidget* Attache = nullptr;

 private:
  TDocument& Doc;
};
