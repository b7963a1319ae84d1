#include "naval/forms/StabForm.h"

#include <QApplication>
#include <QButtonGroup>
#include <QChart>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>
#include <iterator>
#include <numbers>

#include "base/Chaines.h"
#include "base/FichierStr.h"
#include "base/Services.h"
#include "model/EnteteRapport.h"
#include "naval/Envahissement.h"
#include "naval/Hydrostat.h"
#include "naval/Poids.h"
#include "naval/forms/VerificationForm.h"
#include "session/ObjCom.h"
#include "ui/Dialogues.h"
#include "ui/Graphe.h"
#include "ui/Rapport.h"

namespace {

// A field's caption as a message names it: no mnemonic, no "=" or ":" at its end.
std::string NomChamp(const char* cle) {
  std::string t;
  for (char c : rs(cle))
    if (c != '&') t += c;
  while (!t.empty() && (t.back() == ' ' || t.back() == '=' || t.back() == ':')) t.pop_back();
  return t;
}
QString Q(const std::string& s) { return QString::fromStdString(s); }
QString U(const char* s) { return QString::fromUtf8(s); }
}  // namespace

// The wire-frame view: the water, the boundary lines of every working copy in the
// floating position of one step, and G and B.
class TVueStab : public QWidget {
 public:
  explicit TVueStab(TStab& s) : S(s) { setMinimumSize(300, 250); }
  int Etape = -1;  // -1: upright
  double Theta = 270, Phi = 0;
  int Zoom = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), Qt::black);
    p.setRenderHint(QPainter::Antialiasing);
    const TGZ* e = Etape >= 0 && Etape < static_cast<int>(S.Etapes.size())
                       ? &S.Etapes[static_cast<size_t>(Etape)]
                       : nullptr;
    TMatrice4 m = e ? MatriceEtape(*e, S.Poids.Centre) : MatIdentite();
    const double t = Theta * M_PI / 180, f = Phi * M_PI / 180;
    auto proj = [&](TVertex3f v) {
      double u = -v.X * std::sin(t) + v.Y * std::cos(t);
      double d = v.X * std::cos(t) + v.Y * std::sin(t);
      return QPointF(u, v.Z * std::cos(f) + d * std::sin(f));
    };
    std::vector<std::vector<QPointF>> lignes;
    for (const TDoubleSurf& c : S.Copies.Items)
      for (const TArrayVertex3f* g : {&c.Pts, &c.PtsSym}) {
        if (g->empty() || (*g)[0].empty()) continue;
        const size_t nl = g->size(), nc = (*g)[0].size();
        std::vector<QPointF> a, b, cc, dd;
        for (size_t j = 0; j < nc; j++) {
          TVertex3f p0 = (*g)[0][j], p1 = (*g)[nl - 1][j];
          Transformation3D(m, p0), Transformation3D(m, p1);
          a.push_back(proj(p0)), b.push_back(proj(p1));
        }
        for (size_t i = 0; i < nl; i++) {
          TVertex3f p0 = (*g)[i][0], p1 = (*g)[i][nc - 1];
          Transformation3D(m, p0), Transformation3D(m, p1);
          cc.push_back(proj(p0)), dd.push_back(proj(p1));
        }
        lignes.insert(lignes.end(), {a, b, cc, dd});
      }
    std::vector<QPointF> eau;
    for (auto [x, y] : {std::pair{-5.0, -5.0}, {5.0, -5.0}, {5.0, 10.0}, {-5.0, 10.0}, {-5.0, -5.0}})
      eau.push_back(proj({x, y, 0}));
    QRectF bornes;
    for (const auto& l : lignes)
      for (const auto& q : l)
        bornes =
            bornes.isNull() ? QRectF(q, QSizeF(1e-9, 1e-9)) : bornes.united(QRectF(q, QSizeF(1e-9, 1e-9)));
    if (bornes.isNull()) bornes = QRectF(-1, -1, 2, 2);
    double ech =
        0.95 * std::min(width() / std::max(bornes.width(), 1e-6), height() / std::max(bornes.height(), 1e-6));
    ech += Zoom;
    if (ech <= 0) ech = 10;
    const QPointF c = bornes.center();
    auto ecran = [&](QPointF q) {
      return QPointF(width() / 2.0 + (q.x() - c.x()) * ech, height() / 2.0 - (q.y() - c.y()) * ech);
    };
    auto trace = [&](const std::vector<QPointF>& l) {
      QPolygonF poly;
      for (const auto& q : l) poly << ecran(q);
      p.drawPolyline(poly);
    };
    p.setPen(QPen(Qt::blue, 1));
    trace(eau);
    p.setPen(QPen(QColor(192, 192, 192), 1));
    for (const auto& l : lignes) trace(l);
    if (e) {
      auto point = [&](TVertex3f v, const QColor& col, const char* nom) {
        QPointF s = ecran(proj(v));
        p.setPen(col);
        p.drawEllipse(QRectF(s.x() - 5, s.y() - 5, 11, 11));
        p.drawLine(QPointF(s.x(), s.y() - 8), QPointF(s.x(), s.y() + 8));
        p.drawLine(QPointF(s.x() - 8, s.y()), QPointF(s.x() + 8, s.y()));
        QFont ft = p.font();
        ft.setPointSize(8);
        p.setFont(ft);
        p.drawText(QPointF(s.x() + 5, s.y() + 15), nom);
      };
      point(e->CG.Centre, Qt::green, "G");
      point(e->CC.Centre, QColor(80, 140, 255), "B");
    }
  }

 private:
  TStab& S;
};

TStabForm::TStabForm(TDocument& doc, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("StabForm");
  setWindowTitle(Q(rs("rsStabCaption")));
  auto* h = new QHBoxLayout(this);
  auto* gauche = new QVBoxLayout;
  auto* etat = new QGroupBox(rs("rsGBEtatInitCaption").c_str());
  auto* fe = new QFormLayout(etat);
  LblDeplacement = new QLabel;
  LblPoidsInitial = new QLabel;
  fe->addRow(U(rs("rsLabelDeplacementInitCaption").c_str()), LblDeplacement);
  fe->addRow(rs("rsLabelPoidsInitCaption").c_str(), LblPoidsInitial);
  gauche->addWidget(etat);

  Conditions = new QGroupBox(rs("rsGB_ConditionsInitCaption").c_str());
  auto* fc = new QFormLayout(Conditions);
  auto edit = [&](const char* lib, const char* defaut) {
    auto* e = new QLineEdit(defaut);
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(90);
    fc->addRow(U(lib), e);
    return e;
  };
  EdAngleMax = edit(rs("rsLabelGiteMaxCaption").c_str(), "180");
  EdPas = edit(rs("rsStabSynPas").c_str(), "5");
  EdTolEnf = edit(rs("rsToleranceEnfPer").c_str(), "1");
  EdDensite = edit(rs("rsStabSynDensite").c_str(), "1.026");
  CBAssiette = new QCheckBox(rs("rsCBAssietteCaption").c_str());
  fc->addRow(CBAssiette);
  CBCote = new QComboBox;
  CBCote->addItems({"-X", "+X"});
  fc->addRow(Q(rs("rsStabCote")), CBCote);
  EdTolAssiette = new QLineEdit("0.1", this);  // not shown
  EdTolAssiette->setVisible(false);
  LblPoids = new QLabel;
  fc->addRow(rs("rsGBDefPoidsCaption").c_str(), LblPoids);
  RBDeplacement = new QRadioButton(U(rs("rsRB_SetPoidsDeplCaption").c_str()));
  RBPoidsFixe = new QRadioButton(rs("rsRB_SetPoidsCaption").c_str());
  RBInitiales = new QRadioButton(rs("rsRB_RAZPoidsDeplCaption").c_str());
  RBInitiales->setChecked(true);
  EdPoidsFixe = new QLineEdit("0.00");
  EdPoidsFixe->setEnabled(false);
  EdPoidsFixe->setMaximumWidth(90);
  connect(RBPoidsFixe, &QRadioButton::toggled, EdPoidsFixe, &QLineEdit::setEnabled);
  fc->addRow(RBDeplacement);
  fc->addRow(RBPoidsFixe, EdPoidsFixe);
  fc->addRow(RBInitiales);
  CBAligner = new QCheckBox(rs("rsCB_AlignVertGZCaption").c_str());
  fc->addRow(CBAligner);
  auto* ajuster = new QPushButton(rs("rsBtnAjusterCondInitCaption").c_str());
  ajuster->setObjectName("BtnAjusterCondInit");
  connect(ajuster, &QPushButton::clicked, this, [this] { Ajuster(); });
  fc->addRow(ajuster);
  gauche->addWidget(Conditions);

  auto* calc = new QGroupBox;
  auto* vc = new QVBoxLayout(calc);
  for (auto*& l : LblCalc) {
    l = new QLabel;
    vc->addWidget(l);
  }
  Progres = new QProgressBar;
  Progres->setRange(0, 100);
  vc->addWidget(Progres);
  auto* bc = new QHBoxLayout;
  BtnAnnuler = new QPushButton(rs("rsBtnAnnuler").c_str());
  BtnAnnuler->setVisible(false);
  BtnCalculer = new QPushButton(rs("rsBtnCalculer").c_str());
  bc->addWidget(BtnAnnuler);
  bc->addWidget(BtnCalculer);
  vc->addLayout(bc);
  gauche->addWidget(calc);
  auto* fermer = new QPushButton(rs("rsBtnFermer").c_str());
  fermer->setObjectName("BtnFermer");
  gauche->addWidget(fermer);
  gauche->addStretch();
  h->addLayout(gauche);
  connect(BtnAnnuler, &QPushButton::clicked, this, [this] { Stab.Arret = true; });
  connect(BtnCalculer, &QPushButton::clicked, this, [this] { Calculer(); });
  connect(fermer, &QPushButton::clicked, this, [this] { reject(); });

  Pages = new QTabWidget;
  // Affichage
  auto* aff = new QWidget;
  auto* va = new QVBoxLayout(aff);
  Vue = new TVueStab(Stab);
  va->addWidget(Vue, 1);
  auto* bv = new QHBoxLayout;
  auto* lon = new QSlider(Qt::Horizontal);
  lon->setObjectName("TrackBarLongitude");
  lon->setRange(-360, 360);
  lon->setValue(270);
  auto* lat = new QSlider(Qt::Horizontal);
  lat->setObjectName("TrackBarLatitude");
  lat->setRange(-360, 360);
  connect(lon, &QSlider::valueChanged, this, [this](int v) { Vue->Theta = v, Vue->update(); });
  connect(lat, &QSlider::valueChanged, this, [this](int v) { Vue->Phi = v, Vue->update(); });
  bv->addWidget(lon);
  bv->addWidget(lat);
  for (auto [nom, t, f] : {std::tuple{rs("rsStabVueCouple").c_str(), 270, 0},
                           {rs("rsProfil").c_str(), 0, 0},
                           {rs("rsPlan").c_str(), 0, 90}}) {
    auto* b = new QPushButton(nom);
    connect(b, &QPushButton::clicked, this, [lon, lat, t = t, f = f] { lon->setValue(t), lat->setValue(f); });
    bv->addWidget(b);
  }
  auto* zp = new QPushButton("+");
  auto* zm = new QPushButton("-");
  connect(zp, &QPushButton::clicked, this, [this] { Vue->Zoom += 10, Vue->update(); });
  connect(zm, &QPushButton::clicked, this, [this] { Vue->Zoom -= 10, Vue->update(); });
  bv->addWidget(zp);
  bv->addWidget(zm);
  va->addLayout(bv);
  auto* bf = new QHBoxLayout;
  TrackBarEtapes = new QSlider(Qt::Horizontal);
  TrackBarEtapes->setObjectName("TrackBarEtapes");
  BtnFilm = new QPushButton(rs("rsBtnFilmCaption").c_str());
  LblFilm = new QLabel(U("0°"));
  LblFilm->setMinimumWidth(70);
  bf->addWidget(TrackBarEtapes, 1);
  bf->addWidget(LblFilm);
  bf->addWidget(BtnFilm);
  va->addLayout(bf);
  connect(TrackBarEtapes, &QSlider::valueChanged, this, [this](int v) { MontreEtape(v); });
  connect(BtnFilm, &QPushButton::clicked, this, [this] { DemarreFilm(); });
  Film.setInterval(150);
  connect(&Film, &QTimer::timeout, this, [this] {
    int p = TrackBarEtapes->value();
    MontreEtape(p);
    if (p >= TrackBarEtapes->maximum())
      Film.stop();
    else
      TrackBarEtapes->setValue(p + 1);
  });
  Pages->addTab(aff, rs("rsGB_AffichageCaption").c_str());

  // Courbe de stabilité
  auto* pg = new QWidget;
  auto* vg = new QVBoxLayout(pg);
  CourbeGZ = new TGraphe;
  vg->addWidget(CourbeGZ, 1);
  auto* bg = new QHBoxLayout;
  RBGZ = new QRadioButton("GZ");
  RBMoment = new QRadioButton(rs("rsRB_CourbeMomentCaption").c_str());
  RBGZ->setChecked(true);
  connect(RBGZ, &QRadioButton::toggled, this, [this] { MajCourbeGZ(); });
  auto* zoom = new QPushButton(rs("rsBtnZoomInitial").c_str());
  connect(zoom, &QPushButton::clicked, this, [this] { CourbeGZ->ZoomInitial(); });
  auto* imp = new QPushButton(rs("rsBtnImprimerPts").c_str());
  connect(imp, &QPushButton::clicked, this, [this] { CourbeGZ->ImprimeAvecDialogue(); });
  auto* img = new QPushButton(rs("rsBtnEnregistrerImage").c_str());
  connect(img, &QPushButton::clicked, this, [this] { CourbeGZ->EnregistreAvecDialogue(); });
  for (QWidget* w : std::initializer_list<QWidget*>{RBGZ, RBMoment, zoom, imp, img}) bg->addWidget(w);
  bg->addStretch();
  vg->addLayout(bg);
  Pages->addTab(pg, U(rs("rsTSCourbeCaption").c_str()));

  CourbeAssiette = new TGraphe;
  CourbeAssiette->Titres(rs("rsStabColAssiette").c_str(), U(rs("rsColAngle").c_str()),
                         U(rs("rsAxeAssiette").c_str()));
  Pages->addTab(CourbeAssiette, rs("rsStabColAssiette").c_str());

  // Mesures
  auto* pm = new QWidget;
  auto* vm = new QVBoxLayout(pm);
  Mesures = new QTableWidget(1, 12);
  Mesures->verticalHeader()->hide();
  Mesures->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Mesures->setSelectionBehavior(QAbstractItemView::SelectRows);
  Mesures->verticalHeader()->setDefaultSectionSize(20);
  vm->addWidget(Mesures, 1);
  InstalleCopie(Mesures, [this] { return TexteSelection(Mesures, true); });
  auto* bm = new QHBoxLayout;
  auto* transformer = new QPushButton(rs("rsBtnTransformer").c_str());
  connect(transformer, &QPushButton::clicked, this, [this] { Transformer(); });
  auto export_ = [this](QHBoxLayout* b) {
    auto* e = new QPushButton(rs("rsExport").c_str());
    connect(e, &QPushButton::clicked, this, [this] {
      QString f = DemandeFichier(this, true, rs("rsTXTFilter"));
      if (!f.isEmpty()) Enregistre(f.toStdString());
    });
    auto* i = new QPushButton(rs("rsImprimer").c_str());
    connect(i, &QPushButton::clicked, this,
            [this] { DemandeImpression(this, Q(rs("rsStabCaption")), LignesRapport()); });
    b->addWidget(e);
    b->addWidget(i);
  };
  bm->addWidget(transformer);
  bm->addStretch();
  export_(bm);
  vm->addLayout(bm);
  Pages->addTab(pm, rs("rsStabMesures").c_str());

  auto* ps = new QWidget;
  auto* vs = new QVBoxLayout(ps);
  Synth = new QTableWidget(0, 2);
  Synth->horizontalHeader()->hide();
  Synth->verticalHeader()->hide();
  Synth->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Synth->setSelectionBehavior(QAbstractItemView::SelectRows);
  Synth->setColumnWidth(0, 340);
  Synth->setColumnWidth(1, 130);
  Synth->verticalHeader()->setDefaultSectionSize(20);
  InstalleCopie(Synth, [this] { return TexteSelection(Synth, false); });
  vs->addWidget(Synth, 1);
  auto* bs = new QHBoxLayout;
  bs->addStretch();
  export_(bs);
  vs->addLayout(bs);
  Pages->addTab(ps, U(rs("rsStabSynthese").c_str()));

  // Courbes KN
  auto* pk = new QWidget;
  auto* vk = new QVBoxLayout(pk);
  auto* saisieKN = new QHBoxLayout;
  auto champ = [&](const char* lib, const char* defaut, int largeur) {
    auto* e = new QLineEdit(U(defaut));
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(largeur);
    saisieKN->addWidget(new QLabel(U(lib)));
    saisieKN->addWidget(e);
    return e;
  };
  EdKNDeplacements = champ(rs("rsLabelKNDeplacements").c_str(), "", 340);
  EdKNDeplacements->setMinimumWidth(220);
  EdKNDeplacements->setAlignment(Qt::AlignLeft);
  EdKNDeplacements->setToolTip(U(rs("rsKNSepares").c_str()));
  EdKNAngleMax = champ(rs("rsLabelKNGiteMax").c_str(), "90", 60);
  EdKNPas = champ(rs("rsLabelKNPas").c_str(), "10", 60);
  BtnKN = new QPushButton(rs("rsBtnKN").c_str());
  BtnArretKN = new QPushButton(rs("rsBtnArreter").c_str());
  BtnArretKN->setVisible(false);
  ProgresKN = new QProgressBar;
  ProgresKN->setRange(0, 100);
  ProgresKN->setMaximumWidth(140);
  saisieKN->addWidget(BtnKN);
  saisieKN->addWidget(BtnArretKN);
  saisieKN->addWidget(ProgresKN);
  saisieKN->addStretch();
  auto* impKN = new QPushButton(rs("rsImprimer").c_str());
  impKN->setObjectName("BtnImprimerKN");
  connect(impKN, &QPushButton::clicked, this,
          [this] { DemandeImpression(this, Q(rs("rsStabCaption")), LignesRapportKN()); });
  saisieKN->addWidget(impKN);
  vk->addLayout(saisieKN);
  CourbeKN = new TGraphe;
  CourbeKN->Titres(Q(rs("rsCourbesKN")), Q(rs("rsAxeKNGite")), "KN [m]");
  // One curve per displacement: the legend tells them apart.
  CourbeKN->chart()->legend()->setAlignment(Qt::AlignRight);
  CourbeKN->chart()->legend()->show();
  vk->addWidget(CourbeKN, 3);
  TableKN = new QTableWidget(0, 0);
  TableKN->verticalHeader()->hide();
  TableKN->setEditTriggers(QAbstractItemView::NoEditTriggers);
  TableKN->setSelectionBehavior(QAbstractItemView::SelectRows);
  TableKN->verticalHeader()->setDefaultSectionSize(20);
  InstalleCopie(TableKN, [this] { return TexteSelection(TableKN, true); });
  vk->addWidget(TableKN, 2);
  connect(BtnKN, &QPushButton::clicked, this, [this] { CalculerKN(); });
  connect(BtnArretKN, &QPushButton::clicked, this, [this] { SuiviKN.Arret = true; });
  SuiviKN.TraiteMessages = [] { QApplication::processEvents(); };
  SuiviKN.Progression = [this](int total, int fait) {
    ProgresKN->setValue(total > 0 ? static_cast<int>(std::lround(100.0 * fait / total)) : 0);
  };
  Pages->addTab(pk, rs("rsTSCourbesKN").c_str());

  // Critères
  auto* pc = new QWidget;
  auto* vcr = new QVBoxLayout(pc);
  auto* hc = new QHBoxLayout;
  LblReglement = new QLabel(Q(rs(Reglements().at(0).Cle)));
  QFont gras = LblReglement->font();
  gras.setBold(true);
  LblReglement->setFont(gras);
  hc->addWidget(LblReglement);
  hc->addStretch();
  hc->addWidget(new QLabel(U(rs("rsLabelAngleEnv").c_str())));
  EdEnvahissement = new QLineEdit("0");
  EdEnvahissement->setAlignment(Qt::AlignRight);
  EdEnvahissement->setMaximumWidth(70);
  hc->addWidget(EdEnvahissement);
  vcr->addLayout(hc);
  Criteres = new QTableWidget(0, 4);
  Criteres->setHorizontalHeaderLabels(
      {Q(rs("rsCritCritere")), Q(rs("rsCritRequis")), Q(rs("rsCritObtenu")), Q(rs("rsCritResultat"))});
  Criteres->verticalHeader()->hide();
  Criteres->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Criteres->setSelectionBehavior(QAbstractItemView::SelectRows);
  Criteres->verticalHeader()->setDefaultSectionSize(22);
  Criteres->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  InstalleCopie(Criteres, [this] { return TexteSelection(Criteres, true); });
  vcr->addWidget(Criteres, 1);
  auto* impCr = new QPushButton(rs("rsImprimer").c_str());
  impCr->setObjectName("BtnImprimerCriteres");
  connect(impCr, &QPushButton::clicked, this,
          [this] { DemandeImpression(this, Q(rs("rsStabCaption")), LignesRapportCriteres()); });
  hc->addWidget(impCr);
  LblNotesCriteres = new QLabel;
  LblNotesCriteres->setTextInteractionFlags(Qt::TextSelectableByMouse);
  vcr->addWidget(LblNotesCriteres);
  connect(EdEnvahissement, &QLineEdit::editingFinished, this, [this] {
    if (!EnCalcul && !Stab.Etapes.empty()) MajCriteres(true);
  });
  Pages->addTab(pc, U(rs("rsTSCriteres").c_str()));
  auto* droite = new QVBoxLayout;
  Verification = new TBandeauVerification(Doc);
  droite->addWidget(Verification);
  droite->addWidget(Pages, 1);
  h->addLayout(droite, 1);

  Stab.TraiteMessages = [] { QApplication::processEvents(); };
  Stab.Progression = [this](int total, int fait) {
    Progres->setValue(static_cast<int>(std::lround(100.0 * fait / total)));
    MajCourbeGZ();
  };
  Stab.EtapeAjoutee = [this](const TGZ& e) {
    auto l = LibellesCalcul(e.Gite, e.Assiette, e.CC.Valeur, Stab.Iterations + 0);
    for (size_t i = 0; i < 4 && i < l.size(); i++) LblCalc[i]->setText(Q(l[i]));
    Vue->Etape = static_cast<int>(Stab.Etapes.size()) - 1;
    Vue->update();
  };
  resize(1100, 720);
  InitStabForm();
}

void TStabForm::InitStabForm() {
  MajSurface(Doc, true, -1);  // forced: the total weight is recomputed with the surfaces
  Stab.Init(Doc);
  LblPoidsInitial->setText(Q(TexteReel(Stab.PoidsDocument.Valeur, 4) + " kg"));
  LblDeplacement->setText(Q(TexteReel(Stab.CarInitiale.Valeur, 4) + " kg"));
  LblPoids->setText(Q(TexteReel(Stab.Poids.Valeur, 4) + " kg"));
  Stab.Etapes.clear();
  TrackBarEtapes->setRange(0, 0);
  for (auto* l : LblCalc) l->clear();
  Progres->setValue(0);
  Vue->Etape = -1;
  Pages->setCurrentIndex(0);
  MajCourbeGZ();
  MajResults();
  MajCriteres(false);
}

void TStabForm::Occupe(bool oui) {
  EnCalcul = oui;
  BtnAnnuler->setVisible(oui);
  BtnCalculer->setVisible(!oui);
  Conditions->setEnabled(!oui);
  TrackBarEtapes->setEnabled(!oui);
  BtnFilm->setEnabled(!oui);
  if (oui)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

std::string TStabForm::Calculer() {
  // The model check first: what would falsify the sweep is named above the results.
  Verification->Verifie(PorteeCalc(Doc), fcCarene | fcPoids);
  TSaisieStab s;
  s.AngleMax = EdAngleMax->text().toStdString();
  s.Pas = EdPas->text().toStdString();
  s.TolEnfoncement = EdTolEnf->text().toStdString();
  s.Densite = EdDensite->text().toStdString();
  s.TolAssiette = EdTolAssiette->text().toStdString();
  s.CorrectionAssiette = CBAssiette->isChecked();
  TConditionsStab c;
  std::string err = LitConditionsStab(s, c);
  c.Cote = CBCote->currentIndex() == 1 ? -1 : 1;
  // A total with no centre of gravity (not a number, negative, parts of both signs cancelling)
  // is said as such before anything else: its weight and centre mean nothing, adjusted or not.
  if (err.empty() && !SansPoids(Doc)) err = DefautPoidsTotal(Doc);
  if (err.empty()) err = ValideConditionsStab(c, Stab.Poids.Valeur);
  if (err.empty() && Stab.Copies.Count() == 0) err = rs("rsStabAucunFlotteur");
  if (err.empty()) {
    // A weight the hull cannot float is refused before the sweep, in the density asked.
    TStab essai;
    essai.Copies = Stab.Copies;
    essai.Conditions = c;
    err = essai.VerifieFlottabilite(Stab.Poids.Valeur);
  }
  if (!err.empty()) {
    AfficheMessage(err, mtError, mbOK);
    return err;
  }
  // A new density changes the initial displacement the copies float at.
  if (c.Densite != Stab.Conditions.Densite) {
    Stab.Conditions = c;
    Stab.MajCarInitiale();
    LblDeplacement->setText(Q(TexteReel(Stab.CarInitiale.Valeur, 4) + " kg"));
  }
  Stab.Conditions = c;
  Film.stop();
  LblFilm->setText(U("0°"));
  GM0 = 0;            // the tangent waits for this run's criteria
  EvalCriteres = {};  // nor does the synthesis show the last run's
  Occupe(true);
  try {
    err = Stab.CalcStab();
  } catch (...) {
    Occupe(false);
    throw;
  }
  Occupe(false);
  Vue->Etape = Stab.Etapes.empty() ? -1 : 0;
  Vue->update();
  MajCourbeGZ();
  MajResults();
  if (!Stab.Arret) MajCriteres(true);
  FermeSiDemande();
  return err;
}

void TStabForm::Ajuster() {
  TModeAjuste m = RBDeplacement->isChecked() ? ajDeplacementInitial
                  : RBPoidsFixe->isChecked() ? ajPoidsFixe
                                             : ajValeursInitiales;
  double fixe = 0;
  if (m == ajPoidsFixe && !LitReel(EdPoidsFixe->text().toStdString(), fixe)) {
    AfficheMessage(Format(rs("rsErrConversionChamp"), NomChamp("rsRB_SetPoidsCaption").c_str(),
                          EdPoidsFixe->text().toStdString().c_str()),
                   mtError, mbOK);
    return;
  }
  Stab.Ajuste(m, fixe, CBAligner->isChecked());
  LblPoids->setText(Q(TexteReel(Stab.Poids.Valeur, 4) + " kg"));
  Vue->update();
}

void TStabForm::MajCourbeGZ() {
  const bool gz = RBGZ->isChecked();
  CourbeGZ->Efface();
  CourbeGZ->Titres(gz ? "GZ" : rs("rsCourbeRM").c_str(), U(rs("rsCStabBottomAxis").c_str()),
                   gz ? rs("rsCStabLeftAxisGZ").c_str() : rs("rsAxeRM").c_str());
  TGraphe::TPoints pts, ass;
  for (const TGZ& e : Stab.Etapes) {
    if (!e.Converge) continue;
    pts.push_back({e.Gite, gz ? e.GZ() : e.Moment()});
    ass.push_back({e.Gite, e.Assiette});
  }
  CourbeGZ->AjouteLigne(gz ? "GZ" : "RM", Qt::red, pts);
  // The tangent at the origin, GM per radian, up to one radian or a little above the curve.
  if (gz && GM0 > 0 && !pts.empty()) {
    double haut = 0;
    for (const auto& p : pts) haut = std::max(haut, p.second);
    const double fin = std::min(1.0, haut > 0 ? 1.2 * haut / GM0 : 1.0);
    CourbeGZ->AjouteLigne("GM", QColor(110, 110, 110), {{0, 0}, {fin * 180 / std::numbers::pi, GM0 * fin}});
  }
  // Flooding points on the heel axis: red where one goes under, blue where it comes out.
  TGraphe::TPoints rouges, bleus;
  std::vector<QString> nomsRouges, nomsBleus;
  for (const auto& m : MarquesEnvahissement(Doc.ListeReperesEnv, Stab.Etapes, Stab.Poids.Centre)) {
    (m.Immerge ? rouges : bleus).push_back({m.Gite, 0});
    (m.Immerge ? nomsRouges : nomsBleus).push_back(Q(m.Nom));
  }
  if (!rouges.empty()) CourbeGZ->AjoutePoints(Qt::red, rouges, nomsRouges);
  if (!bleus.empty()) CourbeGZ->AjoutePoints(Qt::blue, bleus, nomsBleus);
  CourbeGZ->ZoomInitial();
  CourbeAssiette->Efface();
  if (Stab.Conditions.CorrectionAssiette)
    CourbeAssiette->AjouteLigne(rs("rsStabColAssiette").c_str(), Qt::blue, ass);
  CourbeAssiette->ZoomInitial();

  const std::vector<std::string> ent = EnteteTableGZ();
  Mesures->setColumnCount(static_cast<int>(ent.size()));
  QStringList h;
  for (const auto& s : ent) h << Q(s);
  Mesures->setHorizontalHeaderLabels(h);
  Mesures->setRowCount(std::max<int>(1, static_cast<int>(Stab.Etapes.size())));
  Mesures->clearContents();
  for (int i = 0; i < static_cast<int>(Stab.Etapes.size()); i++) {
    auto l = LigneTableGZ(Stab.Etapes[static_cast<size_t>(i)]);
    for (int c = 0; c < static_cast<int>(l.size()); c++) {
      auto* it = new QTableWidgetItem(Q(l[static_cast<size_t>(c)]));
      it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      Mesures->setItem(i, c, it);
    }
  }
  Mesures->resizeColumnsToContents();
  TrackBarEtapes->setRange(0, std::max(0, static_cast<int>(Stab.Etapes.size()) - 1));
}

void TStabForm::MajResults() {
  LignesSynthese = Stab.Etapes.empty() ? std::vector<TLigneSynthese>{} : Synthese(Stab);
  // After the sweep's rows, what the criteria's own sweep found: GM, the flooding angle and
  // the largest arm between the steps, each "non atteint" when the sweep did not reach it.
  const TEvaluationCriteres& e = EvalCriteres;
  if (!LignesSynthese.empty() && !e.Arrete && !e.Resultats.empty()) {
    const std::string non = rs("rsStabNonAtteint");
    LignesSynthese.push_back({rs("rsStabSynCriteres"), "", 0, true});
    LignesSynthese.push_back({rs("rsStabSynGM"), TexteReel(e.GM, 4), e.GM, false});
    std::string env = e.AngleEnvahissement > 0      ? TexteReel(e.AngleEnvahissement, 4)
                      : Doc.ListeReperesEnv.empty() ? rs("rsCritEnvAucun")
                                                    : non;
    if (e.AngleEnvahissement > 0)
      env += " (" +
             (e.PointEnvahissement.empty() ? rs("rsCritEnvSaisi")
                                           : rs("rsCritEnvPoint") + " " + e.PointEnvahissement) +
             ")";
    LignesSynthese.push_back({rs("rsStabSynEnv"), env, e.AngleEnvahissement, false});
    LignesSynthese.push_back(
        {rs("rsStabSynAngleMaxGZ"), e.Max.Trouve ? TexteReel(e.Max.Angle, 4) : non, e.Max.Angle, false});
  }
  Synth->setRowCount(static_cast<int>(LignesSynthese.size()));
  QFont gras = Synth->font();
  gras.setBold(true);
  for (int i = 0; i < static_cast<int>(LignesSynthese.size()); i++) {
    const auto& l = LignesSynthese[static_cast<size_t>(i)];
    auto* a = new QTableWidgetItem(Q(l.Libelle));
    auto* b = new QTableWidgetItem(Q(l.Valeur));
    b->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (l.Titre)
      for (auto* it : {a, b}) it->setFont(gras), it->setBackground(QColor(192, 192, 192));
    Synth->setItem(i, 0, a);
    Synth->setItem(i, 1, b);
  }
}

void TStabForm::MontreEtape(int p) {
  if (p < 0 || p >= static_cast<int>(Stab.Etapes.size())) return;
  Vue->Etape = p;
  Vue->update();
  LblFilm->setText(QString::asprintf("%.2f", Stab.Etapes[static_cast<size_t>(p)].Gite) + U("°"));
}

void TStabForm::DemarreFilm() {
  if (Film.isActive()) {
    Film.stop();
    return;
  }
  if (TrackBarEtapes->value() >= TrackBarEtapes->maximum()) TrackBarEtapes->setValue(0);
  Film.start();
}

bool TStabForm::Transformer() {
  const int r = Mesures->currentRow();
  if (Stab.Etapes.empty() || r < 0 || r >= static_cast<int>(Stab.Etapes.size())) return false;
  if (AfficheMessage(rs("rsStabConfirmTransformer"), mtConfirmation, mbYes | mbNo) != mrYes) return false;
  if (AvantTransformer) AvantTransformer();
  AppliqueTransformation(Stab.Etapes[static_cast<size_t>(r)]);
  if (ApresTransformer) ApresTransformer();
  return true;
}

void TStabForm::AppliqueTransformation(const TGZ& e) {
  TransformerModele(Doc, e, Stab.Poids.Centre);
  MajSurface(Doc, true, -1);
  MajCoupesSurface(Doc);
  Doc.MarqueModifie();
}

std::vector<std::string> TStabForm::Lignes() const {
  return LignesExportStab(Doc.Proprietes, LignesSynthese, Stab.Etapes);
}

bool TStabForm::Enregistre(const std::string& chemin) const { return EcritFichierTexte(chemin, Lignes()); }

std::vector<TLigneRapport> TStabForm::LignesRapport() const {
  std::vector<TLigneRapport> r;
  const std::vector<std::string> lignes = Lignes();
  size_t entete = 0;  // the heading block: up to its rule
  while (entete < lignes.size() && lignes[entete] != LigneRegle) entete++;
  std::string enteteMesures;
  for (const std::string& c : EnteteTableGZ()) enteteMesures += (enteteMesures.empty() ? "" : "\t") + c;
  for (size_t i = 0; i < lignes.size(); i++) {
    const std::string& l = lignes[i];
    bool titre = (i < entete && !l.empty() && l != LigneRegle) || l == rs("rsStabSynthese") ||
                 l == rs("rsStabMesures");
    for (const auto& s : LignesSynthese)
      if (s.Titre && l == s.Libelle) titre = true;
    r.push_back({l, titre, l == enteteMesures});
  }
  return r;
}

namespace {

// The heading block of a page of the stability window, and the condition computed.
std::vector<TLigneRapport> EntetePage(const TPropFich& d, const std::string& page, const TStab& s,
                                      bool poids) {
  std::vector<TLigneRapport> r;
  for (const std::string& l : EnteteRapport(d, rs("rsStabCaption") + " - " + page))
    r.push_back({l, !l.empty() && l != LigneRegle});
  r.push_back({rs("rsStabSynConditions") + "\t", true});
  if (poids) {
    r.push_back({rs("rsStabSynMasse") + "\t" + TexteReel(s.Poids.Valeur, 3)});
    r.push_back({rs("rsStabSynCGx") + "\t" + TexteReel(s.Poids.Centre.X, 3)});
    r.push_back({rs("rsStabSynCGy") + "\t" + TexteReel(s.Poids.Centre.Y, 3)});
    r.push_back({rs("rsStabSynCGz") + "\t" + TexteReel(s.Poids.Centre.Z, 3)});
  }
  r.push_back({rs("rsStabSynDensite") + "\t" + TexteReel(s.Conditions.Densite, 4)});
  r.push_back({""});
  return r;
}

std::string Cellule(const QTableWidget* t, int i, int j) {
  const QTableWidgetItem* it = t->item(i, j);
  return it ? it->text().toStdString() : std::string();
}

}  // namespace

std::vector<TLigneRapport> TStabForm::LignesRapportKN() const {
  // G at the keel for every displacement: the weight of the window does not count here.
  std::vector<TLigneRapport> r = EntetePage(Doc.Proprietes, rs("rsTSCourbesKN"), Stab, false);
  std::string h;
  for (int j = 0; j < TableKN->columnCount(); j++)
    h += (j ? "\t" : "") + TableKN->horizontalHeaderItem(j)->text().toStdString();
  if (TableKN->columnCount() > 0) r.push_back({h, false, true});
  for (int i = 0; i < TableKN->rowCount(); i++) {
    std::string l;
    for (int j = 0; j < TableKN->columnCount(); j++) l += (j ? "\t" : "") + Cellule(TableKN, i, j);
    r.push_back({l});
  }
  return r;
}

std::vector<TLigneRapport> TStabForm::LignesRapportCriteres() const {
  std::vector<TLigneRapport> r = EntetePage(Doc.Proprietes, rs("rsTSCriteres"), Stab, true);
  r.push_back({rs(Reglements().at(0).Cle), true});
  r.push_back({rs("rsCritCritere") + "\t" + rs("rsCritRequis") + "\t" + rs("rsCritObtenu") + "\t" +
                   rs("rsCritResultat"),
               false, true});
  for (int i = 0; i < Criteres->rowCount(); i++)
    r.push_back({Cellule(Criteres, i, 0) + "\t" + Cellule(Criteres, i, 1) + "\t" + Cellule(Criteres, i, 2) +
                 "\t" + Cellule(Criteres, i, 3)});
  r.push_back({""});
  if (!ResultatsCriteres.empty())
    for (const std::string& l : NotesCriteres(EvalCriteres)) r.push_back({l});
  return r;
}

QString TStabForm::TexteSelection(const QTableWidget* t, bool entete) const {
  QString s;
  if (entete) {
    QStringList h;
    for (int c = 0; c < t->columnCount(); c++) h << t->horizontalHeaderItem(c)->text();
    s += h.join('\t') + "\r";
  }
  for (int i = 0; i < t->rowCount(); i++) {
    if (!t->item(i, 0) || !t->item(i, 0)->isSelected()) continue;
    QStringList l;
    for (int c = 0; c < t->columnCount(); c++) l << (t->item(i, c) ? t->item(i, c)->text() : QString());
    s += l.join('\t') + "\r";
  }
  return s;
}

void TStabForm::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Delete && EnCalcul) {
    Stab.Arret = SuiviKN.Arret = true;
    return;
  }
  QDialog::keyPressEvent(e);
}

void TStabForm::reject() {
  // "&Fermer" during a sweep stops it first; the window closes once the sweep has returned.
  if (EnCalcul) {
    Stab.Arret = SuiviKN.Arret = true;
    FermerApres = true;
    return;
  }
  Film.stop();
  QDialog::reject();
}

void TStabForm::OccupeKN(bool oui) {
  EnCalcul = oui;
  BtnArretKN->setVisible(oui);
  BtnKN->setVisible(!oui);
  BtnCalculer->setEnabled(!oui);
  for (QLineEdit* e : {EdKNDeplacements, EdKNAngleMax, EdKNPas}) e->setEnabled(!oui);
  Conditions->setEnabled(!oui);
  if (oui)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

std::string TStabForm::CalculerKN() {
  if (EnCalcul) return {};
  std::vector<double> deplacements;
  std::string err;
  for (const QString& x :
       EdKNDeplacements->text().split(QRegularExpression("[,;\\s]+"), Qt::SkipEmptyParts)) {
    double v = 0;
    if (!LitReel(x.toStdString(), v) || !std::isfinite(v) || v <= 0) {
      err = Format(rs("rsKNDeplacementInvalide"), x.toStdString().c_str());
      break;
    }
    deplacements.push_back(v);
  }
  if (err.empty() && deplacements.empty()) err = rs("rsKNDeplacementsManquants");
  TConditionsStab c;
  if (err.empty()) {
    TSaisieStab s;
    s.AngleMax = EdKNAngleMax->text().toStdString();
    s.Pas = EdKNPas->text().toStdString();
    s.TolEnfoncement = EdTolEnf->text().toStdString();
    s.Densite = EdDensite->text().toStdString();
    s.TolAssiette = EdTolAssiette->text().toStdString();
    s.CorrectionAssiette = CBAssiette->isChecked();
    err = LitConditionsStab(s, c);
    c.Cote = CBCote->currentIndex() == 1 ? -1 : 1;
  }
  if (err.empty() && Stab.Copies.Count() == 0) err = rs("rsStabAucunFlotteur");
  if (err.empty()) err = Stab.DefautModele;
  std::vector<TCourbeKN> r;
  if (err.empty()) {
    SuiviKN.Arret = false;
    ProgresKN->setValue(0);
    OccupeKN(true);
    try {
      r = CalcKN(Stab.Copies, ZQuille(Doc, PorteeCalc(Doc)), deplacements, c, err, &SuiviKN);
    } catch (...) {
      OccupeKN(false);
      throw;
    }
    OccupeKN(false);
    FermeSiDemande();
  }
  if (!err.empty()) {
    AfficheMessage(err, mtError, mbOK);
    return err;
  }
  // A stop keeps the curves finished before it.
  CourbesKN = std::move(r);
  MontreKN();
  return {};
}

void TStabForm::MontreKN() {
  static const QColor couleurs[] = {
      Qt::red,      Qt::blue,  QColor(0, 150, 0), Qt::magenta, QColor(200, 120, 0),
      Qt::darkCyan, Qt::black, Qt::darkYellow};
  CourbeKN->Efface();
  CourbeKN->Titres(Q(rs("rsCourbesKN")), Q(rs("rsAxeKNGite")), "KN [m]");
  const size_t nh = CourbesKN.empty() ? 0 : CourbesKN[0].Points.size();
  QStringList h{U(rs("rsHydroInstDeplacement").c_str()), "LCG [m]"};
  for (size_t j = 0; j < nh; j++) h << QString::asprintf("%.2f", CourbesKN[0].Points[j].Gite) + U("°");
  TableKN->setColumnCount(static_cast<int>(h.size()));
  TableKN->setHorizontalHeaderLabels(h);
  TableKN->setRowCount(static_cast<int>(CourbesKN.size()));
  auto cellule = [this](int i, int j, const std::string& t) {
    auto* it = new QTableWidgetItem(Q(t));
    it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    TableKN->setItem(i, j, it);
  };
  for (size_t i = 0; i < CourbesKN.size(); i++) {
    const TCourbeKN& k = CourbesKN[i];
    const int l = static_cast<int>(i);
    cellule(l, 0, TexteReel(k.Deplacement, 1));
    cellule(l, 1, TexteReel(k.LCG, 4));
    TGraphe::TPoints pts;
    for (size_t j = 0; j < k.Points.size(); j++) {
      const TPointKN& p = k.Points[j];
      cellule(l, static_cast<int>(j) + 2, p.Converge ? TexteReel(p.KN, 4) : rs("rsStabNonConverge"));
      if (p.Converge) pts.push_back({p.Gite, p.KN});
    }
    CourbeKN->AjouteLigne(Q(TexteReel(k.Deplacement, 0) + " kg"), couleurs[i % std::size(couleurs)], pts);
  }
  TableKN->resizeColumnsToContents();
  CourbeKN->ZoomInitial();
}

void TStabForm::MajCriteres(bool calcule) {
  double envahissement = 0;
  const std::string t = EdEnvahissement->text().trimmed().toStdString();
  if (!t.empty() && (!LitReel(t, envahissement) || !std::isfinite(envahissement) || envahissement < 0)) {
    AfficheMessage(Format(rs("rsErrConversionChamp"), NomChamp("rsLabelAngleEnv").c_str(), t.c_str()),
                   mtError, mbOK);
    EdEnvahissement->setText("0");
    envahissement = 0;
  }
  if (Stab.Etapes.empty()) {
    ResultatsCriteres.clear();
    EvalCriteres = {};
    LblNotesCriteres->clear();
  } else if (calcule) {
    TSuiviCalcul suivi;
    suivi.TraiteMessages = [] { QApplication::processEvents(); };
    const bool occupe = EnCalcul;
    if (!occupe) Occupe(true);
    // The stop button and "&Fermer" reach the criteria's sweep through the window's flag.
    Stab.Arret = false;
    suivi.TraiteMessages = [this, &suivi] {
      QApplication::processEvents();
      suivi.Arret = suivi.Arret || Stab.Arret;
    };
    // The criteria's own sweep is the longer one: the bar follows it from zero.
    Progres->setValue(0);
    suivi.Progression = [this](int total, int fait) {
      Progres->setValue(total > 0 ? static_cast<int>(std::lround(100.0 * fait / total)) : 0);
    };
    try {
      EvalCriteres = EvalueCriteres(Stab, Doc.ListeReperesEnv, envahissement, Reglements().at(0), &suivi);
    } catch (...) {
      if (!occupe) Occupe(false);
      throw;
    }
    if (!occupe) Occupe(false);
    if (EvalCriteres.Arrete) EvalCriteres.Resultats.clear();
    ResultatsCriteres = EvalCriteres.Resultats;
    GM0 = EvalCriteres.GM;
    QStringList notes;
    if (!EvalCriteres.Arrete)
      for (const std::string& l : NotesCriteres(EvalCriteres)) notes << Q(l);
    LblNotesCriteres->setText(notes.join("\n"));
    MajCourbeGZ();  // with GM's tangent
    MajResults();   // and the synthesis with what the criteria rest on
    if (!occupe) FermeSiDemande();
  }
  Criteres->setRowCount(static_cast<int>(ResultatsCriteres.size()));
  for (int i = 0; i < static_cast<int>(ResultatsCriteres.size()); i++) {
    const TResultatCritere& c = ResultatsCriteres[static_cast<size_t>(i)];
    const QColor fond = !c.Evalue     ? QColor(220, 220, 220)
                        : c.Satisfait ? QColor(190, 240, 190)
                                      : QColor(250, 190, 190);
    const std::string verdict = rs(!c.Evalue     ? "rsCritNonEvalue"
                                   : c.Satisfait ? "rsCritSatisfait"
                                                 : "rsCritNonSatisfait");
    const std::string textes[4] = {c.Libelle, TexteReel(c.Requis, 3), c.Evalue ? TexteReel(c.Obtenu, 4) : "-",
                                   verdict};
    for (int j = 0; j < 4; j++) {
      auto* it = new QTableWidgetItem(Q(textes[j]));
      it->setTextAlignment((j == 0 ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
      if (j == 3) it->setBackground(fond), it->setTextAlignment(Qt::AlignCenter);
      Criteres->setItem(i, j, it);
    }
  }
  Criteres->resizeColumnToContents(1);
  Criteres->resizeColumnToContents(2);
  Criteres->resizeColumnToContents(3);
}

TStabForm::~TStabForm() { DetacheChamps(*this); }

void TStabForm::FermeSiDemande() {
  if (!FermerApres) return;
  FermerApres = false;
  Film.stop();
  QDialog::reject();
}
