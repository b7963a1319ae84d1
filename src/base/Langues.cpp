#include "base/Langues.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "base/Options.h"

namespace fs = std::filesystem;

std::vector<std::string> DossiersLanguesProgramme(const std::string& dossierProgramme) {
  const fs::path d = fs::path(dossierProgramme).lexically_normal();
  return {d.string(), (d / ".." / "share" / "brivane").lexically_normal().string()};
}

std::string FichierLangueDemande(const std::string& dossierProgramme, const std::string& valeur,
                                 std::string* erreur) {
  std::error_code ec;
  if (!valeur.empty() && fs::is_regular_file(valeur, ec)) return valeur;
  const std::string nom = NomLangueSur(valeur);
  std::string essais;
  if (!nom.empty())
    for (const std::string& d : DossiersLanguesProgramme(dossierProgramme)) {
      const fs::path f = fs::path(d) / ("lang_" + nom + ".dat");
      if (fs::is_regular_file(f, ec)) return f.string();
      essais += (essais.empty() ? "" : ", ") + f.string();
    }
  if (erreur)
    *erreur = "no language file " + valeur + (essais.empty() ? std::string() : " (nor " + essais + ")");
  return {};
}

std::string DossierExecutable() {
  std::error_code ec;
  const fs::path p = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : p.parent_path().string();
}

std::string LangueReglagesUtilisateur() {
  std::string chemin;
  if (const char* f = std::getenv("BRIVANE_SETTINGS"); f && *f) {
    chemin = f;
  } else if (const char* c = std::getenv("XDG_CONFIG_HOME"); c && *c) {
    chemin = std::string(c) + "/Brivane/Brivane.conf";
  } else if (const char* h = std::getenv("HOME"); h && *h) {
    chemin = std::string(h) + "/.config/Brivane/Brivane.conf";
  }
  std::ifstream in(chemin);
  std::string ligne, section;
  while (std::getline(in, ligne)) {
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    if (!ligne.empty() && ligne.front() == '[') {
      section = ligne;
    } else if (section == "[Environement]" && ligne.rfind("Language=", 0) == 0) {
      return NomLangueSur(ligne.substr(9));
    }
  }
  return {};
}
