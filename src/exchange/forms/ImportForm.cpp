#include "exchange/forms/ImportForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/CommandesEdition.h"
#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Services.h"
#include "exchange/ImportCotes.h"
#include "exchange/ImportIGES.h"
#include "lines/Grille.h"
#include "session/ObjCom.h"
#include "ui/Registre.h"

namespace {
QString Q(const char* cle) { return QString::fromStdString(rs(cle)); }
}  // namespace

TImportForm::TImportForm(TDocument& doc, TGenreImport genre, QWidget* parent) : QDialog(parent), Doc(doc) {
  setObjectName("ImportForm");
  setWindowTitle(Q("rsImportFormCaption"));
  CBGenre = new QComboBox(this);
  CBGenre->setObjectName("CBGenre");
  CBGenre->addItems({Q("rsImportGenreIGES"), Q("rsImportGenreCotes")});
  CBGenre->setCurrentIndex(genre);
  EFichier = new QLineEdit(this);
  EFichier->setObjectName("EFichier");
  EFichier->setMinimumWidth(320);
  BParcourir = new QPushButton(Q("rsImportParcourir"), this);
  BParcourir->setObjectName("BParcourir");
  SETolerance = new QDoubleSpinBox(this);
  SETolerance->setObjectName("SETolerance");
  SETolerance->setDecimals(3);
  SETolerance->setRange(ToleranceImportMin * 1000, ToleranceImportMax * 1000);
  SETolerance->setValue(ToleranceImportDefaut * 1000);
  RBAjouter = new QRadioButton(Q("rsImportAjouter"), this);
  RBAjouter->setObjectName("RBAjouter");
  RBNouveau = new QRadioButton(Q("rsImportNouveau"), this);
  RBNouveau->setObjectName("RBNouveau");
  (doc.NbSurf() < MaxSurf ? RBAjouter : RBNouveau)->setChecked(true);

  auto* fichier = new QHBoxLayout;
  fichier->addWidget(EFichier, 1);
  fichier->addWidget(BParcourir);
  auto* form = new QFormLayout;
  form->addRow(Q("rsImportGenre"), CBGenre);
  form->addRow(Q("rsImportFichier"), fichier);
  form->addRow(Q("rsImportTolerance"), SETolerance);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  boutons->button(QDialogButtonBox::Ok)->setText(Q("rsBtnOK"));
  boutons->button(QDialogButtonBox::Cancel)->setText(Q("rsBtnAnnuler"));
  auto* v = new QVBoxLayout(this);
  v->addLayout(form);
  v->addWidget(RBAjouter);
  v->addWidget(RBNouveau);
  v->addWidget(boutons);
  connect(boutons, &QDialogButtonBox::accepted, this, &TImportForm::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(BParcourir, &QPushButton::clicked, this, [this] {
    if (!ChoisitFichier) return;
    const QString c =
        ChoisitFichier(Q(CBGenre->currentIndex() == giIGES ? "rsFiltreImportIGES" : "rsFiltreImportCotes"));
    if (!c.isEmpty()) EFichier->setText(c);
  });
}

std::string TImportForm::Importer() {
  const std::string chemin = EFichier->text().trimmed().toStdString();
  if (chemin.empty()) return rs("rsImportSansFichier");
  const double tol = SETolerance->value() / 1000;
  const bool nouveau = RBNouveau->isChecked();
  TImportCoque r;
  {
    TCurseurAttente attente;
    r = CBGenre->currentIndex() == giIGES ? ImporteIGES(chemin, tol) : ImporteCotes(chemin, tol);
  }
  if (!r.Ok()) return r.Erreur;
  // Refused before anything changes: the open design stays as it is.
  if (!nouveau && Doc.NbSurf() + int(r.Surfaces.size()) > MaxSurf) return rs("rsErrMaxSurf");
  if (nouveau && int(r.Surfaces.size()) > MaxSurf) return rs("rsErrMaxSurf");
  std::string resume;
  for (const auto& l : ResumeImport(r)) resume += (resume.empty() ? "" : "\n") + l;
  if (nouveau) {
    if (NouveauDocument && !NouveauDocument()) return "";
  } else if (AvantChangement) {
    AvantChangement();
  }
  std::string refus = InstalleImport(Doc, r, nouveau);
  if (!refus.empty()) return refus;
  {
    TCurseurAttente attente;
    MajSurface(Doc, true, -1);
    if (nouveau) {
      GrilleParDefaut(Doc);
      MajSurface(Doc, true, -1);
    }
  }
  if (QuandApplique) QuandApplique();
  AfficheMessage(rs("rsImportTermine") + "\n" + resume, mtInformation, mbOK);
  return "";
}

void TImportForm::accept() {
  const std::string e = Importer();
  if (!e.empty()) {
    AfficheMessage(e, mtError, mbOK);
    return;
  }
  QDialog::accept();
}

namespace {

void Lance(TMainForm& f, TGenreImport g) {
  auto* d = new TImportForm(f.Document(), g, &f);
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->ChoisitFichier = [&f](const QString& filtre) {
    return f.ChoisirFichier ? f.ChoisirFichier(false, filtre, {}) : QString();
  };
  d->NouveauDocument = [&f] { return f.Nouveau(); };
  d->AvantChangement = [&f] {
    if (f.Edition()) f.Edition()->RecordAction(taListeChangee, "rsEtapeAjoutSurfaces");
  };
  d->QuandApplique = [&f] {
    {
      TCurseurAttente attente;
      GeometrieModifiee(f.Document(), avListe);
    }
    f.Rafraichit();
    f.AfficheNet();
  };
  d->exec();
}

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeImport", .Places = {{"MeFichier", 75}}, .Genre = TGenre::SousMenu});
  EnregistreCommande({.Nom = "MeImportIGES",
                      .Places = {{"MeImport", 10}},
                      .Genre = TGenre::Simple,
                      .Execute = [](TMainForm& f, bool) { Lance(f, giIGES); }});
  EnregistreCommande({.Nom = "MeImportCotes",
                      .Places = {{"MeImport", 20}},
                      .Genre = TGenre::Simple,
                      .Execute = [](TMainForm& f, bool) { Lance(f, giCotes); }});
  EnregistreFenetre({.Nom = "import", .Ordre = 210, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* d = new TImportForm(f.Document(), giIGES, &f);
                       d->show();
                       return d;
                     }});
});

}  // namespace
