#include "exchange/forms/ExportForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "exchange/ExportDXF.h"
#include "exchange/ExportIGES.h"
#include "exchange/ExportSTL.h"
#include "exchange/ExportTXT.h"
#include "lines/Coupes.h"
#include "session/ObjCom.h"
#include "ui/Registre.h"
#include "views/FormFille.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// "Text (*.x)|*.x|..." as Qt's "Text (*.x);;...".
QString FiltreQtExport(const QString& f) {
  QStringList p = f.split('|'), r;
  for (int i = 0; i + 1 < p.size(); i += 2) r << (p[i].contains('(') ? p[i] : p[i] + " (" + p[i + 1] + ")");
  return r.join(";;");
}

}  // namespace

TExportForm::TExportForm(QWidget* parent) : QDialog(parent) {
  setObjectName("ExportForm");
  auto cb = [this](const char* cle, const char* nom) {
    auto* c = new QCheckBox(Q(rs(cle)), this);
    c->setObjectName(nom);
    return c;
  };
  auto rb = [this](const char* cle, const char* nom) {
    auto* r = new QRadioButton(Q(rs(cle)), this);
    r->setObjectName(nom);
    return r;
  };
  CBAretes = cb("rsExportFormCBAretes", "CBAretes");
  CBCouples = cb("rsCouples", "CBCouples");
  CBLignesEau = cb("rsLignesE", "CBLignesEau");
  CBLongitudinales = cb("rsLongits", "CBLongitudinales");
  CBDiagonales = cb("rsDiags", "CBDiagonales");
  CBSurfParam = cb("rsExportFormCBSurfParam", "CBSurfParam");
  RBMaillage = rb("rsExportFormRBMaillage", "RBMaillage");
  RBCourbes = rb("rsExportFormRBCourbes", "RBCourbes");
  CBNurbs = cb("rsExportFormCBNurbs", "CBNurbs");
  CBGrille = cb("rsExportFormCBGrille", "CBGrille");
  CBAxes = cb("rsExportFormCBAxes", "CBAxes");
  RB3D = rb("rsExportFormRB3D", "RB3D");
  RB2D = rb("rsExportFormRB2D", "RB2D");
  const char* vues[4][2] = {{"rsSection", "RBVertical"},
                            {"rsPlan", "RBPlan"},
                            {"rsProfil", "RBProfil"},
                            {"rsPersp", "RBPerspective"}};
  for (int i = 0; i < 4; i++) RBVues[i] = rb(vues[i][0], vues[i][1]);
  CBCouleurs = cb("rsExportFormCBCouleurs", "CBCouleurs");

  // Radio buttons of a group exclude each other only within their own box.
  auto* entites = new QGroupBox(Q(rs("rsExportFormGBEntites")), this);
  auto* ge = new QGridLayout(entites);
  ge->addWidget(CBAretes, 0, 0);
  ge->addWidget(CBCouples, 1, 0);
  ge->addWidget(CBLignesEau, 2, 0);
  ge->addWidget(CBLongitudinales, 3, 0);
  ge->addWidget(CBDiagonales, 4, 0);
  ge->addWidget(CBGrille, 0, 1);
  ge->addWidget(CBAxes, 1, 1);
  ge->addWidget(CBNurbs, 2, 1);
  ge->addWidget(CBSurfParam, 5, 0, 1, 2);
  auto* choixSurf = new QWidget(entites);
  auto* hs = new QHBoxLayout(choixSurf);
  hs->setContentsMargins(20, 0, 0, 0);
  RBMaillage->setParent(choixSurf);
  RBCourbes->setParent(choixSurf);
  hs->addWidget(RBMaillage);
  hs->addWidget(RBCourbes);
  hs->addStretch();
  ge->addWidget(choixSurf, 6, 0, 1, 2);

  auto* contexte = new QGroupBox(Q(rs("rsExportFormGBContexte")), this);
  auto* gc = new QVBoxLayout(contexte);
  auto* dims = new QWidget(contexte);
  auto* hd = new QHBoxLayout(dims);
  hd->setContentsMargins(0, 0, 0, 0);
  RB3D->setParent(dims);
  RB2D->setParent(dims);
  hd->addWidget(RB3D);
  hd->addWidget(RB2D);
  hd->addStretch();
  gc->addWidget(dims);
  auto* choixVue = new QWidget(contexte);
  auto* gv = new QGridLayout(choixVue);
  gv->setContentsMargins(20, 0, 0, 0);
  for (int i = 0; i < 4; i++) {
    RBVues[i]->setParent(choixVue);
    gv->addWidget(RBVues[i], i / 2, i % 2);
  }
  gc->addWidget(choixVue);
  gc->addWidget(CBCouleurs);
  gc->addStretch();

  auto* boutons = new QDialogButtonBox(this);
  boutons->addButton(Q(rs("rsOK")), QDialogButtonBox::AcceptRole)->setObjectName("BOK");
  boutons->addButton(Q(rs("rsAnnuler")), QDialogButtonBox::RejectRole)->setObjectName("BAnnuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* haut = new QHBoxLayout;
  haut->addWidget(entites, 3);
  haut->addWidget(contexte, 2);
  auto* v = new QVBoxLayout(this);
  v->addLayout(haut);
  v->addWidget(boutons);

  connect(RB2D, &QRadioButton::toggled, this, [this] { Active(); });
  connect(CBSurfParam, &QCheckBox::toggled, this, [this] { Active(); });
  Ouvre(teDXF, {});
}

void TExportForm::Active() {
  const bool lignes = Kind != teIGES;
  for (QWidget* w : {RBVues[0], RBVues[1], RBVues[2], RBVues[3]}) w->setEnabled(lignes && RB2D->isChecked());
  RBMaillage->setEnabled(lignes && CBSurfParam->isChecked());
  RBCourbes->setEnabled(lignes && CBSurfParam->isChecked());
}

void TExportForm::Ouvre(TTypeExport t, const TMenuVue& m) {
  Kind = t;
  Moitie = m.Moitie;
  TOptionsExport o = PreselectionExport(t, m);
  setWindowTitle(Q(DescriptionExport(t).Caption));
  const std::pair<QCheckBox*, bool> boites[] = {
      {CBAretes, o.Aretes},         {CBCouples, o.Couples},
      {CBLignesEau, o.LignesEau},   {CBLongitudinales, o.Longitudinales},
      {CBDiagonales, o.Diagonales}, {CBSurfParam, o.SurfParam},
      {CBGrille, o.Grille},         {CBAxes, o.Axes},
      {CBNurbs, o.Nurbs},           {CBCouleurs, o.Couleurs}};
  const bool iges = t == teIGES;
  for (auto [c, v] : boites) {
    c->setChecked(v);
    c->setEnabled(!iges);
  }
  // DXF and text: "NURBS" and "Couleurs" are shown as they apply but cannot change.
  CBNurbs->setEnabled(iges);
  CBCouleurs->setEnabled(iges);
  RBMaillage->setChecked(true);
  RB3D->setChecked(true);
  RB3D->setEnabled(true);
  RB2D->setEnabled(!iges);
  RBVues[tvPlan]->setChecked(true);
  Active();
}

int TExportForm::Vue2D() const {
  for (int i = 0; i < 4; i++)
    if (RBVues[i]->isChecked()) return i;
  return tvPlan;
}

TOptionsExport TExportForm::Options() const {
  TOptionsExport o;
  o.Aretes = CBAretes->isChecked();
  o.Couples = CBCouples->isChecked();
  o.LignesEau = CBLignesEau->isChecked();
  o.Longitudinales = CBLongitudinales->isChecked();
  o.Diagonales = CBDiagonales->isChecked();
  o.SurfParam = CBSurfParam->isChecked();
  o.Maillage3D = RBMaillage->isChecked();
  o.Nurbs = CBNurbs->isChecked();
  o.Grille = CBGrille->isChecked();
  o.Axes = CBAxes->isChecked();
  o.Couleurs = CBCouleurs->isChecked();
  o.Moitie = Moitie;
  if (RB2D->isChecked() && Kind != teIGES) o.Contexte = ContexteVue(Vue2D());
  return o;
}

TDescriptionExport DescriptionExport(TTypeExport t) {
  switch (t) {
    case teTXT:
      return {rs("rsNmExportTXT"), rs("rsTXTFilter"), "txt"};
    case teDXF:
      return {rs("rsNmExportDXF"), rs("rsDXFFilter"), "dxf"};
    case teIGES:
      return {rs("rsNmExportIGES"), rs("rsIGESFilter"), "igs"};
    case teSTL:
      return {rs("rsNmExportSTL"), rs("rsSTLFilter"), "stl"};
    case teOBJ:
      return {rs("rsNmExportOBJ"), rs("rsOBJFilter"), "obj"};
  }
  return {};
}

TDialoguesExport& DialoguesExport() {
  static TDialoguesExport d{[](TExportForm& f) { return f.exec() == QDialog::Accepted; },
                            [](const QString& titre, const QString& filtre, const QString& extension) {
                              QString f = QFileDialog::getSaveFileName(nullptr, titre, QString(),
                                                                       FiltreQtExport(filtre));
                              if (!f.isEmpty() && QFileInfo(f).suffix().isEmpty()) f += "." + extension;
                              return f;
                            }};
  return d;
}

namespace {

TMenuVue MenuDe(const TMainForm& f) {
  const TAffichageVues& a = f.Affichage();
  TMenuVue m;
  m.Carene = a.Carene;
  m.Couples = a.Couples;
  m.LignesEau = a.LignesEau;
  m.Longitudinales = a.Longitudinales;
  m.Diagonales = a.Diagonales;
  m.SurfParam = a.SurfParam;
  m.Grille = a.Grille;
  m.Axes = a.Axes;
  m.Moitie = a.Moitie;
  return m;
}

}  // namespace

void LanceExport(TMainForm& f, TTypeExport t) {
  TRACE("TExportForm.OKClick");
  TOptionsExport o;
  int vue = -1;
  if (t == teTXT || t == teDXF || t == teIGES) {
    TExportForm fen(&f);
    fen.Ouvre(t, MenuDe(f));
    if (!DialoguesExport().Fenetre(fen)) return;
    o = fen.Options();
    if (!o.Contexte.Est3D()) vue = fen.Vue2D();
  }
  const TDescriptionExport d = DescriptionExport(t);
  const QString nom = DialoguesExport().Fichier(Q(d.Caption), Q(d.Filtre), Q(d.Extension));
  if (nom.isEmpty()) return;

  TDocument& doc = f.Document();
  TCurseurAttente attente;
  // Every surface, visible or not, then the lines of the checked kinds.
  MajSurface(doc, true, -1);
  if (o.Couples) CalcTabLignesSec(doc, AffichageCalculs().Herisson);
  if (o.LignesEau) CalcTabLignesLE(doc);
  if (o.Longitudinales) CalcTabLignesLgt(doc);
  if (o.Diagonales) CalcTabLignesDiag(doc);
  if (vue >= 0)
    if (TFormFille* v = f.Vue(vue)) {
      const TParamVue& p = v->Cadrage.Param;
      o.Contexte = {p.Type, p.OrigineX, p.OrigineY, p.Echelle, p.Theta, p.Phi, p.Angle3};
    }
  o.CoulGrille = f.OptionsVues().Grille;
  o.CoulAxes = f.OptionsVues().Axes;

  const std::string fichier = nom.toStdString();
  TResultatExport r;
  switch (t) {
    case teTXT:
      r = ExportTXT(doc, fichier, o);
      break;
    case teDXF:
      r = ExportDXF(doc, fichier, o);
      break;
    case teIGES:
      r = ExportIGES(doc, fichier, o);
      break;
    case teSTL:
      r = ExportSTL(doc, fichier);
      break;
    case teOBJ:
      r = ExportOBJ(doc, fichier);
      break;
  }
  if (r.RienAEcrire) {
    AfficheMessage(r.Erreur, mtWarning, mbOK);
    return;
  }
  if (!r.Ok) {
    DbgErr(erFichier, "TExportForm.OKClick", 0, {fichier, r.Erreur});
    AfficheMessage(Format(rs("rsErrEcritureExport"), fichier.c_str(), r.Erreur.c_str()), mtError, mbOK);
    return;
  }
  if (!r.Messages.empty()) {
    std::string texte;
    for (const auto& m : r.Messages) texte += (texte.empty() ? "" : "\n") + m;
    AfficheMessage(texte, mtWarning, mbOK);
  }
  f.AfficheNet();
}

QWidget* FenetreCaptureExport(TMainForm& f) {
  auto* fen = new TExportForm(&f);
  fen->Ouvre(teDXF, MenuDe(f));
  return fen;
}

namespace {

// The "Export" commands of the "Fichier" menu (the first three are placed by the
// menu layout, STL and OBJ after them) and the window of the screenshot mode.
const TEnregistrement Enregistre([] {
  const std::pair<const char*, TTypeExport> placees[] = {
      {"MeExportDXF", teDXF}, {"MeExportIGES", teIGES}, {"MeExportTexte", teTXT}};
  for (auto [nom, t] : placees)
    EnregistreCommande({.Nom = nom, .Execute = [t = t](TMainForm& f, bool) { LanceExport(f, t); }});
  EnregistreCommande({.Nom = "MeExportSTL",
                      .Places = {{"MeExport", 50}},
                      .Genre = TGenre::Simple,
                      .Execute = [](TMainForm& f, bool) { LanceExport(f, teSTL); }});
  EnregistreCommande({.Nom = "MeExportOBJ",
                      .Places = {{"MeExport", 60}},
                      .Genre = TGenre::Simple,
                      .Execute = [](TMainForm& f, bool) { LanceExport(f, teOBJ); }});
  EnregistreFenetre({.Nom = "export", .Ordre = 200, .Montre = [](TMainForm& f) -> QWidget* {
                       QWidget* w = FenetreCaptureExport(f);
                       w->show();
                       w->adjustSize();
                       return w;
                     }});
});

}  // namespace
