#include "model/EnteteRapport.h"

std::string CoupeCaracteres(const std::string& s, size_t n) {
  size_t i = 0, nb = 0;
  while (i < s.size() && nb < n) {
    i++;
    // Continuation bytes belong to the character before them.
    while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) i++;
    nb++;
  }
  return s.substr(0, i);
}

TPropFich ProprietesSaisies(const TSaisieProprietes& s) {
  TPropFich p;
  p.Titre = CoupeCaracteres(s.Titre, LimTitre);
  p.Type = CoupeCaracteres(s.Type, LimType);
  p.Archi = CoupeCaracteres(s.Archi, LimArchi);
  p.Societe = CoupeCaracteres(s.Societe, LimSociete);
  p.Version = CoupeCaracteres(s.Version, LimVersion);
  p.Date = CoupeCaracteres(s.Date, LimDate);
  p.Commentaire = s.Commentaire;
  // A memo's last line break leaves an empty line that was never typed.
  while (!p.Commentaire.empty() && p.Commentaire.back().empty()) p.Commentaire.pop_back();
  return p;
}

std::vector<std::string> EnteteRapport(const TPropFich& p, const std::string& titre) {
  return {"Brivane - " + titre, p.Titre, p.Archi, p.Version, p.Date, LigneRegle, ""};
}
