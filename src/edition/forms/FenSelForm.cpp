// The vertex selection window.
#include "edition/forms/FenSelForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "edition/Affiche.h"
#include "edition/Cadrage.h"
#include "session/ObjCom.h"
#include "ui/Registre.h"
#include "views/RenduQt.h"

namespace {
QColor Coul(int bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }
}  // namespace

TFenSelForm::TFenSelForm(TMainForm& f, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), F(f) {
  setObjectName("FenSelForm");
  setWindowTitle(QString::fromStdString(rs("rsFenSelCaption")));
  resize(320, 220);
  setMinimumSize(120, 90);
}

TSurface* TFenSelForm::Surface() const { return F.Document().SurfNurbs(F.Document().PCCourant.NumSurf); }

TFenSelGeom TFenSelForm::Geometrie() const {
  TFenSelGeom g;
  g.W = width(), g.H = height();
  if (const TSurface* s = Surface()) g.NbLn = s->Net.NbLn, g.NbCol = s->Net.NbCol;
  g.NbSec = static_cast<int>(F.Grille.Sec.size());
  return g;
}

void TFenSelForm::Applique() {
  TDocument& doc = F.Document();
  for (int k = 0; k < doc.NbSurf() && k < MaxSurf; k++)
    if (TSurface* s = doc.SurfNurbs(k))
      for (int t = tvSection; t <= tvPersp; t++) AppliqueFiltres(s->Net, k, F.Vue(t)->Tab);
  MajTitre();
}

void TFenSelForm::MajTitre() {
  const TSurface* s = Surface();
  setWindowTitle(
      QString::fromStdString(rs("rsFenSelCaption") + (s ? " " + s->Nom.substr(0, 32) : std::string())));
  update();
}

void TFenSelForm::Leve() {
  bool reseau = F.Aff.Reseau;
  for (int t = tvSection; t <= tvPersp; t++) {
    TFormFille* v = F.Vue(t);
    v->VideSelection();
    v->Tab.EtatTous(reseau ? epActif : epInactif);
  }
  F.AfficheNet();
}

void TFenSelForm::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  if (QuandFerme) QuandFerme();
}

void TFenSelForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TFenSelGeom g = Geometrie();
  const int W = g.W, H = g.H;
  p.fillRect(rect(), Qt::white);
  // The plan picture of the visible surfaces, the grid and the current section.
  QRect zone(11, 6, W - 11, H - 17);
  if (zone.width() > 4 && zone.height() > 4) {
    // Azimuth 0, elevation 90 degrees: the plan projection, fitted to the visible surfaces.
    TCadrage cadre(tvPlan, zone.width(), zone.height());
    cadre.Ajuste(F.Document(), false, F.OptV.ZoomMax);
    const TParamVue& vue = cadre.Param;
    TAffichageVues aff = F.Aff;
    aff.Reseau = aff.Couples = aff.LignesEau = aff.Longitudinales = aff.Diagonales = false;
    aff.Poids = aff.Cotes = aff.Reperes = aff.PtsEnvahissement = aff.BasePlanSym = aff.Orientation = false;
    TTableVertex tab;
    tab.MajTabCoor(F.Document(), vue);
    tab.EtatTous(epInactif);  // outlines only: the vertices are picked in the views
    TListeDessin l;
    AfficheNetOne({F.Document(), aff, F.OptV, F.Grille, tab, 0, 0}, vue, l);
    QImage img(zone.size(), QImage::Format_RGB32);
    RenduListe(img, l);
    p.drawImage(zone.topLeft(), img);
  }
  p.setPen(Qt::black);
  p.fillRect(0, 0, LargeurBandeFenSel, H, Coul(0xC0C0C0));
  p.fillRect(0, H - HauteurBandeFenSel, W, HauteurBandeFenSel, Coul(0xC0C0C0));
  p.drawLine(LargeurBandeFenSel, 0, LargeurBandeFenSel, H - HauteurBandeFenSel);
  p.drawLine(LargeurBandeFenSel, H - HauteurBandeFenSel, W, H - HauteurBandeFenSel);
  const TSurface* s = Surface();
  if (s) {
    const TNet& n = s->Net;
    for (int i = 0; i < g.NbLn; i++) {
      int y = g.YLigne(i);
      bool choisi = n.AfficheLn && (n.LnActive == -1 || n.LnActive == i);
      p.setBrush(choisi ? Coul(65280) : Qt::white);
      const QPoint t[3] = {{2, y - 6}, {2, y + 6}, {8, y}};
      p.drawPolygon(t, 3);
    }
    for (int j = 0; j < g.NbCol; j++) {
      int x = g.XColonne(j);
      bool choisi = n.AfficheCol && (n.ColActive == -1 || n.ColActive == j);
      p.setBrush(choisi ? Coul(65280) : Qt::white);
      const QPoint t[3] = {{x - 6, H - 3}, {x + 6, H - 3}, {x, H - 9}};
      p.drawPolygon(t, 3);
    }
    // The corner square: blue above its diagonal for all rows, red below for all columns.
    p.setPen(Qt::NoPen);
    if (n.AfficheLn && n.LnActive == -1) {
      p.setBrush(Coul(0xFF0000));
      const QPoint t[3] = {{0, H - 11}, {10, H - 11}, {0, H - 1}};
      p.drawPolygon(t, 3);
    }
    if (n.AfficheCol && n.ColActive == -1) {
      p.setBrush(Coul(255));
      const QPoint t[3] = {{10, H - 11}, {10, H - 1}, {0, H - 1}};
      p.drawPolygon(t, 3);
    }
  }
  p.setPen(Qt::black);
  for (int i = 0; i < g.NbSec; i++) {
    int x = g.XSection(i);
    p.drawLine(x, 2, x, i + 1 == F.Grille.SectionCourante ? H - 10 : 5);
  }
}

void TFenSelForm::mousePressEvent(QMouseEvent* e) {
  TSurface* s = Surface();
  if (!s || e->button() != Qt::LeftButton) return;
  TDocument& doc = F.Document();
  const TFenSelGeom g = Geometrie();
  QPoint pos = e->position().toPoint();
  TZoneFenSel z = g.Zone(pos.x(), pos.y());
  int index = z == TZoneFenSel::Lignes     ? g.LigneA(pos.y())
              : z == TZoneFenSel::Colonnes ? g.ColonneA(pos.x())
              : z == TZoneFenSel::Sections ? g.SectionA(pos.x())
                                           : 0;
  if (index < 0) return;
  int section = ClicFenSel(s->Net, z, index, F.Grille.Sec);
  if (section >= 0) F.Grille.SectionCourante = section + 1;
  for (int t = tvSection; t <= tvPersp; t++) {
    TFormFille* v = F.Vue(t);
    v->VideSelection();
    AppliqueFiltres(s->Net, s->NumSurf, v->Tab);
  }
  TPC pc = doc.PCCourant;
  if (s->Net.AfficheLn && s->Net.LnActive >= 0) pc.NumLn = s->Net.LnActive;
  if (s->Net.AfficheCol && s->Net.ColActive >= 0) pc.NumCol = s->Net.ColActive;
  ChangeCurrentPC(doc, pc);
  F.RafraichitFenetresOutils();
  update();
  F.AfficheNet();
}

TFenSelForm* FenSelDe(const TMainForm& f) { return f.findChild<TFenSelForm*>("FenSelForm"); }

void MontreFenSel(TMainForm& f, bool on) {
  TFenSelForm* w = FenSelDe(f);
  if (!w) return;
  f.Aff.SelectionVertex = on;
  if (on) {
    w->show();
    w->Applique();
    f.AfficheNet();
  } else {
    if (w->isVisible()) w->hide();
    w->Leve();
  }
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeSelectionVertex",
                      .Coche = [](const TMainForm& f) { return FenSelDe(f) && f.Aff.SelectionVertex; },
                      .Execute = [](TMainForm& f, bool on) { MontreFenSel(f, on); }});
  EnregistreFenetre({.Nom = "fensel", .Ordre = 160, .Montre = [](TMainForm& f) -> QWidget* {
                       MontreFenSel(f, true);
                       QApplication::processEvents();
                       return FenSelDe(f);
                     }});
  // Made with the main window, shown and hidden by "Sélection des vertex".
  EnregistreModule({.Nom = "fensel", .Installe = [](TMainForm& f) {
                      auto* w = new TFenSelForm(f, &f);
                      w->QuandFerme = [&f] {
                        MontreFenSel(f, false);
                        f.Rafraichit();
                      };
                      w->Avis = TAbonnement(f.Document(), [w](const TAvis&) {
                        if (w->isVisible()) w->MajTitre();
                      });
                    }});
});

}  // namespace
