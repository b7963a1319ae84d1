// Desk calculator.
#include "ui/Calculatrice.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/Chaines.h"

namespace {
bool ToucheConnue(const std::string& t) {
  static const char* touches[] = {"0", "1", "2", "3", "4", "5",   "6",  "7",  "8",  "9",  "+/-", ".",
                                  "/", "*", "-", "+", "=", "1/x", "x2", "rc", "CE", "M+", "MR",  "MC"};
  for (const char* k : touches)
    if (t == k) return true;
  return false;
}
}  // namespace

double TCalculatrice::Valeur() const { return std::strtod(Ecran.c_str(), nullptr); }

void TCalculatrice::Affiche(double v) {
  if (!std::isfinite(v)) {
    // Never show a NaN or an infinity: the calculator stops until "CE".
    Erreur = true;
    Ecran = rs("rsCalcErreur");
    return;
  }
  if (v == 0) v = 0;  // no "-0"
  Ecran = Format("%.12g", v);
}

void TCalculatrice::Applique() {
  double x = Valeur();
  switch (Operation) {
    case '+':
      Affiche(Accu + x);
      break;
    case '-':
      Affiche(Accu - x);
      break;
    case '*':
      Affiche(Accu * x);
      break;
    case '/':
      Affiche(x == 0 ? NAN : Accu / x);
      break;
    default:
      break;
  }
  Operation = 0;
}

std::string ToucheTapee(const std::string& texte) {
  if (texte.size() != 1) return "";
  char c = texte[0];
  if (c >= '0' && c <= '9') return texte;
  switch (c) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '.':
    case '=':
      return texte;
    case ',':
      return ".";  // the French keypad's decimal key
    case '\r':
    case '\n':
      return "=";
    default:
      return "";
  }
}

bool TCalculatrice::Touche(const std::string& t) {
  if (t == "CE") {
    // Clears the entry and the pending operation; the memory stays.
    double m = Mem;
    bool mu = MemoireUtilisee;
    *this = TCalculatrice();
    Mem = m, MemoireUtilisee = mu;
    return true;
  }
  if (Erreur && t != "MC") return ToucheConnue(t);
  if (t.size() == 1 && t[0] >= '0' && t[0] <= '9') {
    if (NouvelleSaisie || Ecran == "0") Ecran.clear();
    if (Ecran.size() < 20) Ecran += t;
    NouvelleSaisie = false;
  } else if (t == ".") {
    if (NouvelleSaisie)
      Ecran.assign("0.");
    else if (Ecran.find('.') == std::string::npos)
      Ecran.push_back('.');
    NouvelleSaisie = false;
  } else if (t == "+/-") {
    if (Ecran != "0") {
      if (Ecran[0] == '-')
        Ecran.erase(0, 1);
      else
        Ecran.insert(0, 1, '-');
    }
  } else if (t == "+" || t == "-" || t == "*" || t == "/") {
    if (!NouvelleSaisie || Operation == 0) Applique();
    Accu = Valeur();
    Operation = t[0];
    NouvelleSaisie = true;
  } else if (t == "=") {
    Applique();
    NouvelleSaisie = true;
  } else if (t == "1/x") {
    double x = Valeur();
    Affiche(x == 0 ? NAN : 1 / x);
    NouvelleSaisie = true;
  } else if (t == "x2") {
    double x = Valeur();
    Affiche(x * x);
    NouvelleSaisie = true;
  } else if (t == "rc") {
    double x = Valeur();
    Affiche(x < 0 ? NAN : std::sqrt(x));
    NouvelleSaisie = true;
  } else if (t == "M+") {
    Mem += Valeur();
    MemoireUtilisee = true;
    NouvelleSaisie = true;
  } else if (t == "MR") {
    Ecran = Format("%.8f", Mem);
    NouvelleSaisie = true;
  } else if (t == "MC") {
    Mem = 0;
    MemoireUtilisee = false;
  } else {
    return false;
  }
  return true;
}
