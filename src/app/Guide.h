// Where the user's guide is: next to the program ("Doc/index.html", or the older
// "Doc/Brivane.html"), then in the installed share folder (bin/../share/brivane/Doc/).
#pragma once

#include <string>
#include <vector>

// The places tried, in order, for a program in the folder `dossierProgramme`.
std::vector<std::string> CheminsGuide(const std::string& dossierProgramme);

// The first place that exists; empty when none does (`dernier`: the last place tried).
std::string TrouveGuide(const std::string& dossierProgramme, std::string* dernier = nullptr);
