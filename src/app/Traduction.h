// The windows in the current language: the table's texts put into every window and
// menu after a language change, the dump of the window texts a translator starts
// from ("FormsText.tra"), and where the language files are.
#pragma once

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QWidget;
class TMainForm;

// Puts the table's texts into every window. `anciens` are the table's texts the windows
// were made with (ValeursChaines() before the reload): a text equal to one of them gets
// that key's new text. A window whose texts fail is left as it is; the others are done.
void TraduireFenetres(const std::vector<std::string>& anciens);
// The same for one window and its children.
void TraduireFenetre(QWidget* fenetre, const std::vector<std::string>& anciens);

// Writes the texts of every window, one "[Name]" section each, as "key=text" lines in
// Windows-1252 (throws std::runtime_error when the file cannot be written).
void ExporterTextesFenetres(const std::string& chemin = "FormsText.tra");

// The folders that hold "lang_*.dat": the program's, then the installed share folder.
QStringList DossiersLangues(const QString& dossierProgramme);
// The language file of a name (empty for French or a name that would leave the folders).
std::string CheminLangue(const QString& dossierProgramme, const std::string& langue);
// Loads a language (empty: French) and puts it into the windows. Returns the message of a
// refused file (said once by the caller), or empty.
std::string ChangeLangue(const QString& dossierProgramme, const std::string& langue);
// Qt's own texts (its dialogs, the key names of the menus' shortcuts) in the table's
// language ("rsLangueQt"), in place of the ones installed before.
void InstalleTraductionQt();
