// The studio's lights and axes: eight fixed-function lights that can be turned
// about the model, each with an optional lamp marker, and the three model axes.
// Drawing needs a current OpenGL context; the properties do not.
#pragma once

#include <array>
#include <functional>

enum class TLightKind { lkDirectional, lkPositional };

class TglLight {
 public:
  explicit TglLight(int numero = 0) : Numero(numero) {}

  bool Enabled() const { return Actif; }
  void SetEnabled(bool v) { Actif = v, Change(); }
  TLightKind Kind() const { return Type; }
  void SetKind(TLightKind k);
  float RotX() const { return RX; }
  void SetRotX(float a);
  float RotY() const { return RY; }
  void SetRotY(float a);
  float DistZ() const { return Dist; }
  void SetDistZ(float d);
  bool SpotVisible() const { return Spot; }
  void SetSpotVisible(bool v) { Spot = v, Change(); }
  int Numero;
  std::function<void()> OnChange;

  std::array<float, 4> Position{0, 0, 4, 0};
  std::array<float, 4> Ambient{0, 0, 0, 1};
  std::array<float, 4> Diffuse{0.9f, 0.9f, 0.9f, 1};
  std::array<float, 4> Specular{0.6f, 0.6f, 0.6f, 1};

  // Sets and enables the light under the current model-view matrix (disables it when off)
  // and draws its marker when visible.
  void Apply() const;

 private:
  bool Actif = false, Spot = false;
  TLightKind Type = TLightKind::lkDirectional;
  float RX = 0, RY = 0, Dist = 4;
  void Change() const {
    if (OnChange) OnChange();
  }
};

class TglLightList {
 public:
  TglLightList();
  TglLight& operator[](int i) { return L[static_cast<size_t>(i)]; }
  const TglLight& operator[](int i) const { return L[static_cast<size_t>(i)]; }
  static constexpr int Nombre = 8;
  std::function<void()> OnChange;

 private:
  std::array<TglLight, Nombre> L;
};

enum class TAxeMode { amShort, amLong };
enum class TAxeStyle { asSolid, asDashDot };

class TglAxes {
 public:
  int ColorX = 0x0000FF, ColorY = 0x00FF00, ColorZ = 0xFF0000;
  float Long = 1;
  bool Visible = true;
  TAxeMode Mode = TAxeMode::amShort;
  TAxeStyle Style = TAxeStyle::asDashDot;
  void Draw(double x0, double x1, double y0, double y1, double z0, double z1) const;
};
