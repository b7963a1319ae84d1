// Where the language files are, for the window program and the command line alike.
#pragma once

#include <string>
#include <vector>

// The folders that hold "lang_*.dat" for a program in `dossierProgramme`: its own (a build
// folder), then the installed share folder beside it.
std::vector<std::string> DossiersLanguesProgramme(const std::string& dossierProgramme);
// The language file a command line asks for with "--lang VALUE": VALUE itself when it is a
// file, else "lang_VALUE.dat" in those folders. Empty, with the reason in `erreur`, when
// neither exists.
std::string FichierLangueDemande(const std::string& dossierProgramme, const std::string& valeur,
                                 std::string* erreur = nullptr);
// The folder of the running program (from /proc/self/exe), or empty.
std::string DossierExecutable();
// The interface language the window program keeps in the user's settings (BRIVANE_SETTINGS,
// else the settings file under XDG_CONFIG_HOME or ~/.config), or empty for French.
std::string LangueReglagesUtilisateur();
