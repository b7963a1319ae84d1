// Message dialog rules.
#include "ui/TexteMessage.h"

#include <algorithm>

#include "base/Encodage.h"
#include "base/Services.h"

std::vector<TBoutonDlg> BoutonsMessage(int boutons) {
  static const TBoutonDlg ordre[] = {
      {mbYes, "rsBtnYes", mrYes},
      {mbNo, "rsBtnNo", mrNo},
      {mbOK, "rsBtnOK", mrOk},
      {mbRetry, "rsBtnRetry", mrRetry},
      {mbIgnore, "rsBtnIgnore", mrIgnore},
      {mbAll, "rsBtnAll", mrAll},
      {mbCancel, "rsBtnAnnuler", mrCancel},
      {mbAbort, "rsBtnAbort", mrAbort},
      {mbHelp, "rsBtnHelp", mrNone},
  };
  std::vector<TBoutonDlg> r;
  for (const auto& b : ordre)
    if (boutons & b.Bit) r.push_back(b);
  return r;
}

std::string CleTitreMessage(int type) {
  switch (type) {
    case mtWarning:
      return "rsAvertissement";
    case mtError:
      return "rsErreur";
    case mtInformation:
      return "rsInformation";
    case mtConfirmation:
      return "rsConfirmation";
    default:
      return "";
  }
}

std::string CoupeMessage(const std::string& texte, const std::function<int(const std::string&)>& largeur) {
  if (largeur(texte) <= LargeurMaxMessage) return texte;
  // The middle in characters, never inside a multi-byte character.
  std::string debut = TronqueUtf8(texte, LongueurUtf8(texte) / 2);
  size_t blanc = texte.find(' ', debut.size());
  if (blanc == std::string::npos) return texte;
  return texte.substr(0, blanc) + "\n" + texte.substr(blanc + 1);
}

int LargeurDialogue(int largeurTexte, int nbBoutons) {
  return std::max({120, largeurTexte + 90, PasBoutons * nbBoutons + 20});
}
