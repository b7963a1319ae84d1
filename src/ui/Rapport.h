// Text reports of the calculation windows: the lines printed in Arial on the
// chosen printer, headings in 12 points and values in 10. Lines holding tabs are
// rows of a table whose columns are sized to their widest cell and fit the page.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QPrinter;
class QWidget;

struct TLigneRapport {
  std::string Texte;
  bool Titre = false;   // heading size
  bool Entete = false;  // a table's header row: repeated when the table goes on to another page
};

// Prints the lines, page after page. Returns the number of pages.
int ImprimeRapport(QPrinter& p, const QString& titre, const std::vector<TLigneRapport>& lignes);

// The print dialog, then the report. Tests set ImprimanteRapport to a PDF printer: no dialog.
bool DemandeImpression(QWidget* parent, const QString& titre, const std::vector<TLigneRapport>& lignes);
extern QPrinter* ImprimanteRapport;

// A file to write, asked with a filter of the text table's "name|pattern|..." form. Tests
// set ChoixFichierRapport to answer instead of the dialog.
QString DemandeFichier(QWidget* parent, bool enregistrer, const std::string& filtre,
                       const QString& titre = {});
extern std::function<QString(bool enregistrer)> ChoixFichierRapport;

// Ctrl+C in a widget (a grid) puts texte() on the clipboard instead of the widget's own copy.
void InstalleCopie(QWidget* w, std::function<QString()> texte);
