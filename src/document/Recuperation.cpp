#include "document/Recuperation.h"

#include <filesystem>
#include <vector>

#include "base/FichierStr.h"
#include "document/GestFich.h"

bool EnregistreRecuperation(const TDocument& doc, const std::string& chemin, std::string* erreur) {
  std::vector<int> nums(static_cast<size_t>(doc.NbSurf()));
  for (int k = 0; k < doc.NbSurf(); k++) nums[static_cast<size_t>(k)] = k;
  TfichierStr f;
  if (!ConstruitFichier(doc, nums, f, erreur)) return false;
  return f.Enregistrer(chemin, erreur);
}

bool RecuperationAOffrir(const std::string& recuperation, const std::string& document) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (recuperation.empty() || !fs::is_regular_file(recuperation, ec)) return false;
  if (document.empty() || !fs::is_regular_file(document, ec)) return true;
  auto tr = fs::last_write_time(recuperation, ec);
  if (ec) return false;
  auto td = fs::last_write_time(document, ec);
  if (ec) return true;
  return tr > td;
}

void SupprimeRecuperation(const std::string& recuperation) {
  std::error_code ec;
  if (!recuperation.empty()) std::filesystem::remove(recuperation, ec);
}

int IntervalleRecuperation(int minutesLues) {
  return minutesLues >= 1 && minutesLues <= 120 ? minutesLues : IntervalleRecuperationDefaut;
}
