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

// The text table's filter "Name (*.a;*.b)|*.a;*.b|..." as a file dialog's
// "Name (*.a *.b);;...": the dialog reads the patterns between a label's last parentheses,
// separated by blanks, so a label that already shows its patterns is not given them twice.
QString FiltreQtDialogue(const QString& filtre);
// A file name typed without extension gets the first one of the chosen filter
// ("poids gui" under "*.csv" -> "poids gui.csv"); any other name is returned as it is.
QString AvecExtension(const QString& chemin, const QString& filtreQt);

// A file to write, asked with a filter of the text table's "name|pattern|..." form. Tests
// set ChoixFichierRapport to answer instead of the dialog (a name to write still gets its
// extension).
QString DemandeFichier(QWidget* parent, bool enregistrer, const std::string& filtre,
                       const QString& titre = {});
extern std::function<QString(bool enregistrer)> ChoixFichierRapport;

// Ctrl+C in a widget (a grid) puts texte() on the clipboard instead of the widget's own copy.
void InstalleCopie(QWidget* w, std::function<QString()> texte);
