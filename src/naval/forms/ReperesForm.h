// The reference marks and flooding points windows: each list edited as a table
// ("Liste des repères", "Points d'envahissement"), the "Nouveau repère" dialog of a click
// in a view, and the import of marks from a text file.
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

#include "model/Document.h"
#include "naval/Reperes.h"

class QCheckBox;
class QRadioButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The table of one list of named points; the list changes only on "&OK".
class TListePointsForm : public QDialog {
 public:
  using TLecture = std::function<std::vector<TRepere>()>;
  using TEcriture = std::function<void(std::vector<TRepere>)>;
  TListePointsForm(TDocument& doc, const QString& titre, const TLecture& lit, TEcriture ecrit,
                   QWidget* parent);

  // The rows as typed.
  std::vector<TLigneRepere> Lignes() const;
  // "&Ajouter": "" and an empty row appended, or the message of the first bad row.
  std::string Ajouter();
  // "&Supprimer": the selected row goes (a lone row is emptied instead).
  void Supprimer();
  // "&OK": "" and the list rebuilt (the window accepted), or the message shown.
  std::string Valider();
  std::function<void()> ApresModification;

  QTableWidget* Grille = nullptr;
  QPushButton *BtnSupprimer = nullptr, *BtnAjouter = nullptr;

 private:
  TDocument& Doc;
  TEcriture Ecrit;
  void Remplit(const std::vector<TLigneRepere>& l);
};

class TReperesForm : public TListePointsForm {
 public:
  explicit TReperesForm(TDocument& doc, QWidget* parent = nullptr);
};

class TEnvahissementForm : public TListePointsForm {
 public:
  explicit TEnvahissementForm(TDocument& doc, QWidget* parent = nullptr);
};

// "Nouveau repère": the mark at a point of the model, from a click in a view.
class TDefReperesForm : public QDialog {
 public:
  TDefReperesForm(TDocument& doc, const TVertex3f& p, QWidget* parent = nullptr);
  // "OK": "" (the mark appended, the dialog accepted) or the message shown.
  std::string Valider();
  QLineEdit *EdNom = nullptr, *EdX = nullptr, *EdY = nullptr, *EdZ = nullptr;

 private:
  TDocument& Doc;
};

// "Import de repères": the line layout, then the file.
class TImportRepForm : public QDialog {
 public:
  explicit TImportRepForm(TDocument& doc, QWidget* parent = nullptr);
  // Reads the file with the layout chosen: "" and the marks appended, or the message shown
  // and nothing added. The dialog closes either way.
  std::string Importer(const std::string& chemin);
  // "&OK": asks for the file (nothing happens when the choice is cancelled).
  void Ok();
  std::function<QString()> ChoisitFichier;
  std::function<void()> ApresModification;

  QCheckBox* CBNom = nullptr;
  std::vector<QRadioButton*> Ordres;  // one per axis order, in the list's order
  int OrdreChoisi() const;
  QLabel* LblLigne = nullptr;

 private:
  TDocument& Doc;
};
