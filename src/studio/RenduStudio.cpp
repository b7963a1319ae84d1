// The studio's drawing in the fixed-function pipeline.
#include "studio/RenduStudio.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "base/Debug.h"
#include "edition/GrilleVue.h"

namespace {

void Couleur(int bgr) {
  auto c = DColorToGL(bgr);
  glColor3f(c[0], c[1], c[2]);
}

void CouleurOctets(int bgr) {
  glColor3ub(static_cast<GLubyte>(bgr & 0xFF), static_cast<GLubyte>((bgr >> 8) & 0xFF),
             static_cast<GLubyte>((bgr >> 16) & 0xFF));
}

void Normale(const TVertex3f& n) { glNormal3d(n.X, n.Y, n.Z); }
void Point(const TVertex3f& p) { glVertex3d(p.X, p.Y, p.Z); }

// The part of a grid that holds values: a stale count never reads past the arrays.
int Lignes(const TArrayVertex3f& g, int nb) { return std::min(nb, static_cast<int>(g.size()) - 1); }
int Colonnes(const TArrayVertex3f& g, int nb) {
  int n = nb;
  for (const auto& r : g) n = std::min(n, static_cast<int>(r.size()) - 1);
  return g.empty() ? -1 : n;
}

class TDessinModele {
 public:
  explicit TDessinModele(const TSceneStudio& s) : S(s), D(s.Doc), A(s.Aff), R(s.Reglages), E(s.Etat) {}

  void DrawCarene() {
    const int n = D.NbSurf();
    if (A.Carene || A.SurfParam)
      for (int k : OrdreSurfaces(D)) DrawOneSurf(k);
    if (A.Carene) {
      const bool moitie = A.Moitie;
      auto famille = [&](bool aff, TFamilleLignes f, const std::vector<TCoupe> TEntity::*reel,
                         const std::vector<TCoupe> TEntity::*sym, int couleur) {
        if (!aff) return;
        const int nb = D.Grille.NombreValide(f);
        for (int k = 0; k < n; k++) {
          const TEntity& e = D.Surf(k);
          if (!e.Visible) continue;
          for (int i = 0; i < nb; i++) {
            if (static_cast<size_t>(i) < (e.*reel).size())
              DrawCoupe((e.*reel)[static_cast<size_t>(i)], couleur);
            if (!moitie && e.Sym && static_cast<size_t>(i) < (e.*sym).size())
              DrawCoupe((e.*sym)[static_cast<size_t>(i)], couleur);
          }
        }
      };
      famille(A.Couples, flSections, &TEntity::Sec, &TEntity::SecSym, R.Sec);
      famille(A.LignesEau, flLignesEau, &TEntity::LgE, &TEntity::LgESym, R.LE);
      famille(A.Longitudinales, flLongitudinales, &TEntity::Long, &TEntity::LongSym, R.Longit);
      famille(A.Diagonales, flDiagonales, &TEntity::Diag, &TEntity::DiagSym, R.Diag);
    }
    if (A.Reseau && R.OptNetVxStudio)
      for (int k = 0; k < n; k++)
        if (D.Surf(k).Visible) DrawArray(k);
    for (int k = 0; k < n; k++)
      if (D.Surf(k).Visible) Vecteurs(D.Surf(k));
    if (A.Reperes) DrawReperes();
  }

 private:
  const TSceneStudio& S;
  const TDocument& D;
  const TAffichageVues& A;
  const TReglagesStudio& R;
  const TEtatStudio& E;
  // The arrays of one half, kept from surface to surface so that they are allocated once a frame.
  struct {
    std::vector<GLfloat> P, N;
    std::vector<GLubyte> C;
    std::vector<GLuint> I;
  } T;

  int CouleurSurface(const TEntity& e) const { return e.Coul == -1 ? R.BordSf : e.Coul; }
  bool Miroir(const TEntity& e) const { return e.Sym && !A.Moitie; }
  bool LignesAffichees() const { return A.Couples || A.LignesEau || A.Longitudinales || A.Diagonales; }

  void DrawOneSurf(int k) {
    const TEntity& e = D.Surf(k);
    const auto c = DColorToGL(CouleurSurface(e));
    const float a = static_cast<float>(e.Alpha), am = e.Ambient, sp = e.Specular, em = e.Emission;
    const float diffuse[4] = {c[0], c[1], c[2], a}, ambient[4] = {am, am, am, 1},
                specular[4] = {sp, sp, sp, 1}, emission[4] = {em, em, em, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    // The library refuses an exponent outside 0..128 and would leave the previous one.
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, std::clamp(e.Shininess, 0.0f, 128.0f));
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
    glColor3f(c[0], c[1], c[2]);
    // Every fragment of an opaque surface has an alpha of exactly 1, lit or not.
    const bool opaque = E.Rapide && e.Alpha == 1;
    if (opaque) glDisable(GL_BLEND);
    for (TPasse p : PassesSurface(E.Mode, E.CacheesInvisibles, LignesAffichees())) {
      switch (p) {
        case TPasse::MasqueSurface:
        case TPasse::MasqueFond:
          if (p == TPasse::MasqueSurface) {
            glColor3f(c[0], c[1], c[2]);
          } else {
            Couleur(S.Fond);
            glDisable(GL_LIGHTING);
          }
          glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
          glEnable(GL_POLYGON_OFFSET_FILL);
          glPolygonOffset(static_cast<GLfloat>(R.FacteurPoly()), static_cast<GLfloat>(R.UnitesPoly()));
          TraceOneSurf(k);
          glDisable(GL_POLYGON_OFFSET_FILL);
          glEnable(GL_LIGHTING);
          break;
        case TPasse::Points:
          glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
          TraceOneSurf(k);
          break;
        case TPasse::Contours:
          glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
          TraceOneSurfContours(k);
          break;
        case TPasse::Filaire:
          glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
          TraceOneSurf(k);
          break;
        case TPasse::Rempli:
          glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
          TraceOneSurf(k);
          break;
      }
    }
    if (opaque) glEnable(GL_BLEND);
  }

  // A NURBS surface of a one-row (one-column) net, or a mesh of one row (column), is a curve.
  static bool UneLigne(const TEntity& e) {
    const auto* s = dynamic_cast<const TSurface*>(&e);
    return s ? s->Net.NbLn == 1 : e.NbLnPt == 0;
  }
  static bool UneColonne(const TEntity& e) {
    const auto* s = dynamic_cast<const TSurface*>(&e);
    return s ? s->Net.NbCol == 1 : e.NbColPt == 0;
  }

  static void BandeLigne(const TArrayVertex3f& p, const TArrayVertex3f& nrm, int r, int nc, bool normales) {
    if (r < 0 || static_cast<size_t>(r) >= p.size()) return;
    glBegin(GL_LINE_STRIP);
    for (int m = 0; m <= nc && static_cast<size_t>(m) < p[static_cast<size_t>(r)].size(); m++) {
      if (normales && static_cast<size_t>(r) < nrm.size() &&
          static_cast<size_t>(m) < nrm[static_cast<size_t>(r)].size())
        Normale(nrm[static_cast<size_t>(r)][static_cast<size_t>(m)]);
      Point(p[static_cast<size_t>(r)][static_cast<size_t>(m)]);
    }
    glEnd();
  }

  static void BandeColonne(const TArrayVertex3f& p, const TArrayVertex3f& nrm, int c, int nl, bool normales) {
    glBegin(GL_LINE_STRIP);
    for (int u = 0; u <= nl && static_cast<size_t>(u) < p.size(); u++) {
      const auto& ligne = p[static_cast<size_t>(u)];
      if (c < 0 || static_cast<size_t>(c) >= ligne.size()) continue;
      if (normales && static_cast<size_t>(u) < nrm.size() &&
          static_cast<size_t>(c) < nrm[static_cast<size_t>(u)].size())
        Normale(nrm[static_cast<size_t>(u)][static_cast<size_t>(c)]);
      Point(ligne[static_cast<size_t>(c)]);
    }
    glEnd();
  }

  using TPointGrille = std::function<const TVertex3f&(int, int)>;
  using TNormaleGrille = std::function<TVertex3f(int, int)>;
  using TCouleurGrille = std::function<int(int, int)>;

  // Rows 0..nl of a half, one quadrilateral strip between each two.
  void GrilleImmediate(int nl, int nc, const TPointGrille& point, const TNormaleGrille& normale,
                       const TCouleurGrille& couleur) {
    for (int u = 1; u <= nl; u++) {
      glBegin(GL_QUAD_STRIP);
      for (int m = 0; m <= nc; m++)
        for (int r : {u - 1, u}) {
          if (couleur) CouleurOctets(couleur(r, m));
          Normale(normale(r, m));
          Point(point(r, m));
        }
      glEnd();
    }
  }

  // The same quadrilaterals over vertices shared between neighbouring rows, so that each
  // grid point is lit once instead of once per strip. Each quadrilateral starts where the
  // strip's would and ends on the strip's last vertex, so that it is split into the same
  // two triangles and flat shading takes the same vertex's colour.
  void GrilleTableaux(int nl, int nc, const TPointGrille& point, const TNormaleGrille& normale,
                      const TCouleurGrille& couleur) {
    if (nl < 1 || nc < 1) return GrilleImmediate(nl, nc, point, normale, couleur);
    const size_t larg = size_t(nc) + 1, nv = (size_t(nl) + 1) * larg;
    T.P.resize(3 * nv);
    T.N.resize(3 * nv);
    T.C.resize(couleur ? 3 * nv : 0);
    for (int u = 0; u <= nl; u++)
      for (int m = 0; m <= nc; m++) {
        const size_t k = 3 * (size_t(u) * larg + size_t(m));
        const TVertex3f& p = point(u, m);
        const TVertex3f n = normale(u, m);
        T.P[k] = static_cast<GLfloat>(p.X), T.P[k + 1] = static_cast<GLfloat>(p.Y),
        T.P[k + 2] = static_cast<GLfloat>(p.Z);
        T.N[k] = static_cast<GLfloat>(n.X), T.N[k + 1] = static_cast<GLfloat>(n.Y),
        T.N[k + 2] = static_cast<GLfloat>(n.Z);
        if (couleur) {
          const int c = couleur(u, m);
          T.C[k] = static_cast<GLubyte>(c & 0xFF), T.C[k + 1] = static_cast<GLubyte>((c >> 8) & 0xFF),
          T.C[k + 2] = static_cast<GLubyte>((c >> 16) & 0xFF);
        }
      }
    T.I.clear();
    T.I.reserve(4 * size_t(nl) * size_t(nc));
    for (int u = 1; u <= nl; u++)
      for (int m = 0; m < nc; m++) {
        const auto a = static_cast<GLuint>(size_t(u - 1) * larg + size_t(m)),
                   b = static_cast<GLuint>(a + larg);
        T.I.insert(T.I.end(), {a + 1, a, b, b + 1});
      }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, T.P.data());
    glNormalPointer(GL_FLOAT, 0, T.N.data());
    if (couleur) {
      glEnableClientState(GL_COLOR_ARRAY);
      glColorPointer(3, GL_UNSIGNED_BYTE, 0, T.C.data());
    }
    glDrawElements(GL_QUADS, static_cast<GLsizei>(T.I.size()), GL_UNSIGNED_INT, T.I.data());
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // The current colour and normal after an array draw are undefined: leave the strips' last ones.
    if (couleur) CouleurOctets(couleur(nl, nc));
    Normale(normale(nl, nc));
  }

  // Hands what was sent so far to the rasterizer threads, which then fill it while this
  // thread lights the next half. Held back to the end of the frame, the software renderer
  // bins the whole model in one scene and costs a third more.
  void Envoie() const {
    if (E.Rapide) glFlush();
  }

  void TraceOneSurf(int k) {
    TRACE("TStudioForm.TraceOneSurf");
    const TEntity& e = D.Surf(k);
    if (UneLigne(e) || UneColonne(e)) {
      const bool ligne = UneLigne(e);
      glDisable(GL_LIGHTING);
      auto trace = [&](const TArrayVertex3f& p, const TArrayVertex3f& n) {
        if (ligne)
          BandeLigne(p, n, 0, e.NbColPt, true);
        else
          BandeColonne(p, n, 0, e.NbLnPt, true);
      };
      trace(e.Pts, e.Normales);
      if (Miroir(e)) trace(e.PtsSym, e.NormalesSym);
      glEnable(GL_LIGHTING);
      return;
    }
    const auto* nurbs = dynamic_cast<const TSurface*>(&e);
    const bool couleurs =
        E.Courbure && nurbs && nurbs->CouleurCourbure.size() >= size_t(MaxGrille) * MaxGrille;
    if (E.Courbure) glDisable(GL_LIGHTING);
    const int nl = std::min(Lignes(e.Pts, e.NbLnPt), Lignes(e.Normales, e.NbLnPt));
    const int nc = std::min(Colonnes(e.Pts, e.NbColPt), Colonnes(e.Normales, e.NbColPt));
    auto couleur = [&](int u, int m) {
      return nurbs->CouleurCourbure[static_cast<size_t>(u) * MaxGrille + static_cast<size_t>(m)];
    };
    const std::function<int(int, int)> coul = couleurs ? std::function<int(int, int)>(couleur) : nullptr;
    auto trace = E.Rapide ? &TDessinModele::GrilleTableaux : &TDessinModele::GrilleImmediate;
    (this->*trace)(
        nl, nc, [&](int u, int m) -> const TVertex3f& { return e.Pts[size_t(u)][size_t(m)]; },
        [&](int u, int m) { return e.Normales[size_t(u)][size_t(m)]; }, coul);
    Envoie();
    // The mirror grids run in reverse row order: row k of the main half is row size - 1 - k.
    const int ns = static_cast<int>(std::min(e.PtsSym.size(), e.NormalesSym.size()));
    if (Miroir(e) && ns > 0) {
      const int nls = std::min(nl, ns - 1);
      const int ncs = std::min({nc, Colonnes(e.PtsSym, nc), Colonnes(e.NormalesSym, nc)});
      (this->*trace)(
          nls, ncs, [&](int u, int m) -> const TVertex3f& { return e.PtsSym[size_t(ns - 1 - u)][size_t(m)]; },
          [&](int u, int m) {
            const TVertex3f& n = e.NormalesSym[size_t(ns - 1 - u)][size_t(m)];
            return TVertex3f{-n.X, -n.Y, -n.Z};
          },
          coul);
      Envoie();
    }
    if (E.Courbure) glEnable(GL_LIGHTING);
  }

  void TraceOneSurfContours(int k) {
    const TEntity& e = D.Surf(k);
    Couleur(CouleurSurface(e));
    glDisable(GL_LIGHTING);
    if (UneLigne(e)) {
      BandeLigne(e.Pts, e.Normales, 0, e.NbColPt, true);
    } else if (UneColonne(e)) {
      BandeColonne(e.Pts, e.Normales, 0, e.NbLnPt, true);
    } else {
      auto quatre = [&](const TArrayVertex3f& p) {
        BandeLigne(p, p, 0, e.NbColPt, false);
        BandeLigne(p, p, Lignes(p, e.NbLnPt), e.NbColPt, false);
        BandeColonne(p, p, 0, e.NbLnPt, false);
        BandeColonne(p, p, Colonnes(p, e.NbColPt), e.NbLnPt, false);
      };
      quatre(e.Pts);
      if (Miroir(e)) quatre(e.PtsSym);
    }
    glEnable(GL_LIGHTING);
  }

  void DrawCoupe(const TCoupe& l, int couleur) {
    if (l.empty()) return;
    glDisable(GL_LIGHTING);
    Couleur(couleur);
    for (const TListPt3D& pl : l) {
      glBegin(GL_LINE_STRIP);
      for (const TPt3D& p : pl) glVertex3d(p.X, p.Y, p.Z);
      glEnd();
    }
    glEnable(GL_LIGHTING);
  }

  void DrawArray(int k) {
    const auto* s = dynamic_cast<const TSurface*>(&D.Surf(k));
    if (!s) return;
    const TNet& net = s->Net;
    const int nl = std::clamp(net.NbLn, 0, MaxNet), nc = std::clamp(net.NbCol, 0, MaxNet);
    Couleur(R.ResVertex);
    glDisable(GL_LIGHTING);
    auto trace = [&](bool miroir) {
      auto sommet = [&](int i, int j) {
        TVertex3f v = net.PC[i][j].V();
        if (miroir) CalcSym(net.PC[i][j].V(), s->PlanSym.Plan(), v);
        Point(v);
      };
      for (int j = 0; j < nc; j++) {
        glBegin(GL_LINE_STRIP);
        for (int i = 0; i < nl; i++) sommet(i, j);
        glEnd();
      }
      for (int i = 0; i < nl; i++) {
        glBegin(GL_LINE_STRIP);
        for (int j = 0; j < nc; j++) sommet(i, j);
        glEnd();
      }
    };
    trace(false);
    if (Miroir(*s)) trace(true);
    glEnable(GL_LIGHTING);
  }

  // A small lit ball on every reference mark, in the polygon mode the surfaces left.
  void DrawReperes() {
    if (D.ListeReperes.empty()) return;
    const float diffuse[4] = {1, 0.2f, 0.2f, 1}, specular[4] = {1, 1, 1, 1},
                emission[4] = {0.3f, 0.3f, 0.2f, 0};
    glEnable(GL_LIGHTING);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_AMBIENT, diffuse);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_EMISSION, emission);
    glMaterialf(GL_FRONT, GL_SHININESS, 100);
    glColor3f(1, 0.8f, 0.8f);
    GLUquadric* q = gluNewQuadric();
    for (const TRepere& r : D.ListeReperes) {
      glPushMatrix();
      glTranslated(r.X, r.Y, r.Z);
      gluSphere(q, R.OptTailleReperesStudio / 2, 20, 20);
      glPopMatrix();
    }
    gluDeleteQuadric(q);
  }

  void Vecteurs(const TEntity& e) {
    const double sens = e.Orientation ? -1 : 1;
    auto segment = [&](const TVertex3f& p, const TVertex3f& n) {
      Point(p);
      glVertex3d(p.X + sens * n.X, p.Y + sens * n.Y, p.Z + sens * n.Z);
    };
    const int nl = std::min(Lignes(e.Pts, e.NbLnPt), Lignes(e.Normales, e.NbLnPt));
    const int nc = std::min(Colonnes(e.Pts, e.NbColPt), Colonnes(e.Normales, e.NbColPt));
    if (nl < 0 || nc < 0) return;
    if (A.Orientation) {
      glDisable(GL_LIGHTING);
      Couleur(CoulOrientation);
      glBegin(GL_LINES);
      segment(e.Pts[size_t(nl / 2)][size_t(nc / 2)], e.Normales[size_t(nl / 2)][size_t(nc / 2)]);
      glEnd();
      glEnable(GL_LIGHTING);
    }
    if (A.Herisson) {
      glDisable(GL_LIGHTING);
      Couleur(CouleurSurface(e));
      glBegin(GL_LINES);
      for (int u = 0; u <= nl; u++)
        for (int m = 0; m <= nc; m++) segment(e.Pts[size_t(u)][size_t(m)], e.Normales[size_t(u)][size_t(m)]);
      if (Miroir(e)) {
        const int nls = std::min(Lignes(e.PtsSym, nl), Lignes(e.NormalesSym, nl));
        const int ncs = std::min(Colonnes(e.PtsSym, nc), Colonnes(e.NormalesSym, nc));
        for (int u = 0; u <= nls; u++)
          for (int m = 0; m <= ncs; m++)
            segment(e.PtsSym[size_t(u)][size_t(m)], e.NormalesSym[size_t(u)][size_t(m)]);
      }
      glEnd();
      glEnable(GL_LIGHTING);
    }
  }
};

}  // namespace

void PlaceLumieres(TglLightList& l, const TReglagesStudio& r) {
  for (int i = 0; i < TglLightList::Nombre; i++) {
    const TPositionLumiere& p = r.Lumieres[static_cast<size_t>(i)];
    l[i].SetEnabled(p.Active);
    l[i].SetSpotVisible(p.Active);
    l[i].SetDistZ(static_cast<float>(p.Distance));
    l[i].SetRotX(static_cast<float>(p.RotX));
    l[i].SetRotY(static_cast<float>(p.RotY));
  }
}

void TRenduStudio::Frame(const TSceneStudio& s, int w, int h) {
  TRACE("TStudioForm.Draw");
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(30, h > 0 ? static_cast<double>(w) / h : 1.0, 1, 400);
  glMatrixMode(GL_MODELVIEW);
  const auto fond = DColorToGL(s.Fond);
  glClearColor(fond[0], fond[1], fond[2], 1);
  glEnable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  glEnable(GL_DITHER);
  glShadeModel(s.Etat.Lissage ? GL_SMOOTH : GL_FLAT);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  const float ambiant[4] = {0.2f, 0.2f, 0.2f, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambiant);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
  glEnable(GL_LIGHTING);

  // 1, 2: clear, camera.
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  const TCameraStudio& c = s.Camera;
  glLoadIdentity();
  glTranslatef(static_cast<float>(c.OrigineX) / 10, 0, 0);
  glTranslatef(0, static_cast<float>(c.OrigineY) / 10, 0);
  glTranslatef(0, 0, -c.Distance);
  glRotatef(c.Elevation - 90, 1, 0, 0);
  glRotatef(c.Azimut - 90, 0, 0, 1);
  // 3: axes, over the end points the 2D views use.
  const std::vector<TSegment3D> axes = SegmentsAxes(s.Doc);
  if (s.Aff.Axes) s.Axes.Draw(axes[0].A.X, axes[0].B.X, axes[1].A.Y, axes[1].B.Y, axes[2].A.Z, axes[2].B.Z);
  // 4: lights.
  for (int i = 0; i < TglLightList::Nombre; i++) {
    glPushMatrix();
    s.Lumieres[i].Apply();
    glPopMatrix();
  }
  // 5: the model.
  TDessinModele(s).DrawCarene();
  // 6: the water plane, last and half transparent: it veils the hull below it.
  if (s.Etat.PlanEau) {
    glEnable(GL_LIGHTING);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    const float diffuse[4] = {0, 0.6f, 0.8f, 0.5f}, ambient[4] = {0.5f, 0.5f, 0.5f, 1},
                specular[4] = {0, 0, 0, 1}, emission[4] = {0.2f, 0.2f, 0.2f, 1};
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, emission);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 0.3f);
    // With "Flottaison" the water lies where the weights float the hull.
    const TPlanEauStudio eau = PlanEauStudio(s.Doc, s.Aff.Flottaison, axes[0].A.X - 10, axes[0].B.X + 10,
                                             axes[1].A.Y - 10, axes[1].B.Y + 10);
    glBegin(GL_POLYGON);
    glNormal3d(eau.Normale.X, eau.Normale.Y, eau.Normale.Z);
    for (const TVertex3f& c : eau.Coins) glVertex3d(c.X, c.Y, c.Z);
    glEnd();
  }
  // Blending left the water's alpha in the framebuffer: the picture is opaque everywhere.
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glFlush();
  glPopAttrib();
}
