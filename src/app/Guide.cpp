#include "app/Guide.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::vector<std::string> CheminsGuide(const std::string& dossierProgramme) {
  fs::path bin(dossierProgramme);
  fs::path partage = bin.parent_path() / "share" / "brivane" / "Doc";
  return {(bin / "Doc" / "index.html").string(), (bin / "Doc" / "Brivane.html").string(),
          (partage / "index.html").lexically_normal().string(),
          (partage / "Brivane.html").lexically_normal().string()};
}

std::string TrouveGuide(const std::string& dossierProgramme, std::string* dernier) {
  std::vector<std::string> chemins = CheminsGuide(dossierProgramme);
  for (const std::string& c : chemins) {
    std::error_code e;
    if (fs::is_regular_file(c, e)) return c;
  }
  if (dernier) *dernier = chemins.back();
  return {};
}
