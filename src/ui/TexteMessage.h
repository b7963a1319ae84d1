// The rules of the program's message dialog that need no window: which buttons a
// button set shows, in which order and with which result, and where a long text
// is broken. The dialog itself is in Dialogues.
#pragma once

#include <functional>
#include <string>
#include <vector>

struct TBoutonDlg {
  int Bit;               // TBoutonMessage
  const char* CleTexte;  // text-table key of the caption
  int Resultat;          // TResultatMessage
};

constexpr int LargeurMaxMessage = 700;  // pixels: wider texts go on two lines
constexpr int LargeurBouton = 65, PasBoutons = 70;

// The buttons of a set, left to right.
std::vector<TBoutonDlg> BoutonsMessage(int boutons);
// The caption key of a message type ("" for none).
std::string CleTitreMessage(int type);
// Breaks a text wider than the limit once, at the first blank at or after its middle
// character. largeur gives the pixel width of a text.
std::string CoupeMessage(const std::string& texte, const std::function<int(const std::string&)>& largeur);
// Client width of the dialog for a text width and a number of buttons.
int LargeurDialogue(int largeurTexte, int nbBoutons);
