// Lights and axes of the studio, drawn with the fixed-function pipeline.
#include "studio/GLGest.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "studio/StudioCalc.h"

void TglLight::SetKind(TLightKind k) {
  Type = k;
  Position[3] = k == TLightKind::lkDirectional ? 0.0f : 1.0f;
  Change();
}

void TglLight::SetRotX(float a) {
  RX = AngleLumiere(a);
  Change();
}

void TglLight::SetRotY(float a) {
  RY = AngleLumiere(a);
  Change();
}

void TglLight::SetDistZ(float d) {
  Dist = d;
  Position[2] = d;
  Change();
}

namespace {

void Materiau(GLenum faces, const float (&diffuse)[4], const float (&ambient)[4], const float (&specular)[4],
              const float (&emission)[4], float shininess) {
  glMaterialfv(faces, GL_DIFFUSE, diffuse);
  glMaterialfv(faces, GL_AMBIENT, ambient);
  glMaterialfv(faces, GL_SPECULAR, specular);
  glMaterialfv(faces, GL_EMISSION, emission);
  glMaterialf(faces, GL_SHININESS, shininess);
}

}  // namespace

void TglLight::Apply() const {
  const GLenum id = static_cast<GLenum>(GL_LIGHT0 + Numero);
  if (!Actif) {
    // The context outlives the frame: a light switched off must not keep shining.
    glDisable(id);
    return;
  }
  glRotatef(RX, 1, 0, 0);
  glRotatef(RY, 0, 1, 0);
  glLightfv(id, GL_POSITION, Position.data());
  glLightfv(id, GL_AMBIENT, Ambient.data());
  glLightfv(id, GL_DIFFUSE, Diffuse.data());
  glLightfv(id, GL_SPECULAR, Specular.data());
  glEnable(id);
  if (!Spot) return;
  GLint mode[2] = {GL_FILL, GL_FILL};
  glGetIntegerv(GL_POLYGON_MODE, mode);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glTranslatef(0, 0, Dist);
  glColor3f(1, 0.8f, 0.8f);
  Materiau(GL_FRONT, {1, 1, 0.6f, 1}, {1, 1, 0.6f, 1}, {1, 1, 1, 1}, {0.3f, 0.3f, 0.2f, 0}, 100);
  GLUquadric* q = gluNewQuadric();
  gluCylinder(q, 0.1, 0, 0.2, 48, 1);
  glDisable(GL_LIGHTING);
  glColor3f(1, 1, 1);
  gluDisk(q, 0, 0.097, 32, 1);
  glTranslatef(0, 0, -0.015f);
  glColor3f(0, 0, 0);
  gluCylinder(q, 0.101, 0.101, 0.02, 48, 1);
  glEnable(GL_LIGHTING);
  gluDeleteQuadric(q);
  glPolygonMode(GL_FRONT, static_cast<GLenum>(mode[0]));
  glPolygonMode(GL_BACK, static_cast<GLenum>(mode[1]));
}

TglLightList::TglLightList() {
  for (int i = 0; i < Nombre; i++) {
    L[static_cast<size_t>(i)].Numero = i;
    L[static_cast<size_t>(i)].OnChange = [this] {
      if (OnChange) OnChange();
    };
  }
}

void TglAxes::Draw(double x0, double x1, double y0, double y1, double z0, double z1) const {
  glDisable(GL_LIGHTING);
  if (Style == TAxeStyle::asDashDot) {
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, 0xE187);
  }
  if (Mode == TAxeMode::amShort) {
    auto couleur = [](int bgr) {
      auto c = DColorToGL(bgr);
      glColor3f(c[0], c[1], c[2]);
    };
    glBegin(GL_LINES);
    couleur(ColorX);
    glVertex3d(x0, 0, 0);
    glVertex3d(x1, 0, 0);
    couleur(ColorY);
    glVertex3d(0, y0, 0);
    glVertex3d(0, y1, 0);
    couleur(ColorZ);
    glVertex3d(0, 0, z0);
    glVertex3d(0, 0, z1);
    glEnd();
  }
  glDisable(GL_LINE_STIPPLE);
  glEnable(GL_LIGHTING);
}
