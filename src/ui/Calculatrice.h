// The desk calculator of the "Outils" menu: an immediate-execution calculator
// (each operator applies the pending one) with a memory. Keys are the captions
// of its buttons; the window only forwards them and shows Affichage().
#pragma once

#include <string>

// The key of a typed character ("7", "+", "." also for ",", "=" also for Enter), or ""
// when the character is no key of the calculator.
std::string ToucheTapee(const std::string& texte);

class TCalculatrice {
 public:
  // "0".."9", ".", "+/-", "/", "*", "-", "+", "=", "1/x", "x2", "rc", "CE", "M+", "MR", "MC".
  // Returns false for an unknown key.
  bool Touche(const std::string& t);
  const std::string& Affichage() const { return Ecran; }
  bool Memoire() const { return MemoireUtilisee; }  // the "M" indicator
  bool EnErreur() const { return Erreur; }

 private:
  std::string Ecran = "0";
  double Accu = 0;
  char Operation = 0;  // pending operator, 0 for none
  bool NouvelleSaisie = true;
  double Mem = 0;
  bool MemoireUtilisee = false;
  bool Erreur = false;

  double Valeur() const;
  void Affiche(double v);
  void Applique();
};
