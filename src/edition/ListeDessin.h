// A display list of screen primitives: what the drawing of a view produces
// before any canvas is involved. The Qt renderer paints it into the view's image;
// tests read it directly to check what was drawn, in which colour and order.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "model/Calcs.h"

enum class TFigure : std::uint8_t {
  Polyligne,  // points joined in order
  Segment,    // two points
  Rectangle,  // (x1, y1) - (x2, y2), right and bottom excluded
  Ellipse,    // inscribed in such a rectangle
  Polygone,   // closed
  Texte,      // at one point (top-left of the text)
};

enum class TStyleTrait : std::uint8_t { Plein, Pointille, TiretPoint };

struct TStylo {
  int Couleur = 0xFFFFFF;  // 0x00BBGGRR
  std::uint8_t Epaisseur = 1;
  TStyleTrait Style = TStyleTrait::Plein;
  friend bool operator==(const TStylo&, const TStylo&) = default;
};

// The box of a label as the views draw it: an average character width and a line height of
// the views' 8-point font, in pixels.
constexpr int LargeurCarEtiquette = 7, HauteurEtiquette = 13;

// Characters of a UTF-8 text.
inline int NbCaracteres(const std::string& t) {
  int n = 0;
  for (unsigned char c : t) n += (c & 0xC0) != 0x80;
  return n;
}

struct TElement {
  TFigure Figure = TFigure::Polyligne;
  TStylo Stylo;
  bool Rempli = false;                  // filled with the pen's colour
  std::uint32_t Debut = 0, Nombre = 0;  // range in Points (Texte: index in Textes, one point)
  std::uint32_t Texte = 0;
};

class TListeDessin {
 public:
  std::vector<TElement> Elements;
  std::vector<TPixel> Points;
  std::vector<std::string> Textes;
  int Fond = 0;  // background colour

  void Vider() {
    Elements.clear();
    Points.clear();
    Textes.clear();
  }

  // A polyline point by point: open, add, close (fewer than two points draw nothing).
  void Ouvre(const TStylo& s) {
    Courant = {TFigure::Polyligne, s, false, static_cast<std::uint32_t>(Points.size()), 0, 0};
  }
  void Ajoute(const TPixel& p) { Points.push_back(p); }
  void Ferme() {
    Courant.Nombre = static_cast<std::uint32_t>(Points.size()) - Courant.Debut;
    if (Courant.Nombre >= 2)
      Elements.push_back(Courant);
    else
      Points.resize(Courant.Debut);
  }
  void Segment(const TStylo& s, const TPixel& a, const TPixel& b) {
    Ajout(TFigure::Segment, s, false, {a, b});
  }
  void Rectangle(const TStylo& s, int x1, int y1, int x2, int y2, bool rempli) {
    Ajout(TFigure::Rectangle, s, rempli, {{x1, y1}, {x2, y2}});
  }
  void Ellipse(const TStylo& s, int x1, int y1, int x2, int y2, bool rempli) {
    Ajout(TFigure::Ellipse, s, rempli, {{x1, y1}, {x2, y2}});
  }
  void Polygone(const TStylo& s, std::initializer_list<TPixel> pts) {
    Ajout(TFigure::Polygone, s, false, pts);
  }
  void Texte(const TStylo& s, int x, int y, std::string t) {
    Textes.push_back(std::move(t));
    Ajout(TFigure::Texte, s, false, {{x, y}});
    Elements.back().Texte = static_cast<std::uint32_t>(Textes.size() - 1);
  }
  // A text on a patch of the background: the lines it lies over do not cross it.
  void TexteSurFond(const TStylo& s, int x, int y, std::string t) {
    Rectangle({Fond, 1, TStyleTrait::Plein}, x - 1, y, x + NbCaracteres(t) * LargeurCarEtiquette + 1,
              y + HauteurEtiquette, true);
    Texte(s, x, y, std::move(t));
  }

 private:
  TElement Courant;
  void Ajout(TFigure f, const TStylo& s, bool rempli, std::initializer_list<TPixel> pts) {
    TElement e{
        f, s, rempli, static_cast<std::uint32_t>(Points.size()), static_cast<std::uint32_t>(pts.size()), 0};
    Points.insert(Points.end(), pts.begin(), pts.end());
    Elements.push_back(e);
  }
};
