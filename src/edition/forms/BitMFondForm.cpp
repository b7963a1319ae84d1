// The background pictures dialog and its commands.
#include "edition/forms/BitMFondForm.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "document/ImageFond.h"
#include "ui/Dialogues.h"
#include "ui/Registre.h"
#include "views/BitMFond.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

const char* const ClesVues[4] = {"rsBitMFondSections", "rsBitMFondPlan", "rsBitMFondProfile",
                                 "rsBitMFondPerspective"};

}  // namespace

// ---------------------------------------------------------------------------

TBitMFondForm::TBitMFondForm(TMainForm& f, QWidget* parent)
    : QDialog(parent), F(f), R(f.Document().ImagesFond) {
  setObjectName("BitMFondForm");
  setWindowTitle(Q(rs("rsBitMFondCaption")));
  auto* haut = new QGridLayout;
  auto* groupeVues = new QButtonGroup(this);
  groupeVues->setExclusive(true);
  for (int k = 0; k < 4; k++) {
    auto* b = new QPushButton(Q(rs(ClesVues[k])), this);
    b->setCheckable(true);
    b->setMinimumWidth(90);
    groupeVues->addButton(b, k);
    BoutonsVues[static_cast<size_t>(k)] = b;
    auto* l = new QLabel(this);
    l->setMinimumWidth(260);
    Noms[static_cast<size_t>(k)] = l;
    haut->addWidget(b, k, 0);
    haut->addWidget(l, k, 1);
    connect(b, &QPushButton::clicked, this, [this, k] { ChoisitVue(k); });
  }
  BtnCharger = new QPushButton(Q(rs("rsBitMFondCharger")), this);
  BtnEffacer = new QPushButton(Q(rs("rsBitMFondEffacer")), this);
  connect(BtnCharger, &QPushButton::clicked, this, [this] {
    QString c = F.ChoisirFichier ? F.ChoisirFichier(false, Q(rs("rsBitMFondFiltre")),
                                                    Q(R[static_cast<size_t>(Vue)].Fichier))
                                 : QString();
    if (!c.isEmpty()) ChargeFichier(c.toStdString());
  });
  connect(BtnEffacer, &QPushButton::clicked, this, [this] { Efface(); });
  auto* boutons = new QVBoxLayout;
  boutons->addWidget(BtnCharger);
  boutons->addWidget(BtnEffacer);
  boutons->addStretch();

  auto* ajust = new QGroupBox(Q(rs("rsBitMFondAjustement")), this);
  auto* ga = new QGridLayout(ajust);
  static const char* const modes[5] = {"rsBitMFondAucun", "rsBitMFondLargeurFen", "rsBitMFondHauteurFen",
                                       "rsBitMFondLargeurFixe", "rsBitMFondHauteurFixe"};
  for (int m = 0; m < 5; m++) {
    auto* rb = new QRadioButton(Q(rs(modes[m])), ajust);
    Modes[static_cast<size_t>(m)] = rb;
    ga->addWidget(rb, m, 0);
    connect(rb, &QRadioButton::toggled, this, [this, m](bool on) {
      if (on && !Maj) ChoisitAjustement(m);
    });
  }
  auto edit = [&](int ligne) {
    auto* e = new QLineEdit(ajust);
    e->setMaxLength(4);
    e->setValidator(new QIntValidator(1, 9999, e));
    e->setFixedWidth(e->fontMetrics().horizontalAdvance("00000") + 12);
    ga->addWidget(e, ligne, 1);
    connect(e, &QLineEdit::editingFinished, this, [this] { LitTailles(); });
    return e;
  };
  LargeurFixe = edit(3);
  HauteurFixe = edit(4);

  auto* milieu = new QHBoxLayout;
  milieu->addWidget(ajust, 1);
  milieu->addLayout(boutons);
  auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(ok, &QDialogButtonBox::accepted, this, [this] {
    LitTailles();
    Applique();
    accept();
  });
  connect(ok, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* v = new QVBoxLayout(this);
  v->addLayout(haut);
  v->addLayout(milieu);
  v->addWidget(ok);
  ChoisitVue(tvProfil);
}

void TBitMFondForm::MontreVue() {
  Maj = true;
  for (size_t k = 0; k < 4; k++) {
    Noms[k]->setText(R[k].Fichier.empty() ? QString("-") : Q(R[k].Fichier));
    BoutonsVues[k]->setChecked(static_cast<int>(k) == Vue);
  }
  const TImageFondDoc& im = R[static_cast<size_t>(Vue)];
  Modes[static_cast<size_t>(std::clamp(im.Ajustement, 0, 4))]->setChecked(true);
  LargeurFixe->setText(QString::number(im.LargeurFixe));
  HauteurFixe->setText(QString::number(im.HauteurFixe));
  LargeurFixe->setEnabled(im.Ajustement == 3);
  HauteurFixe->setEnabled(im.Ajustement == 4);
  BtnEffacer->setEnabled(!im.Fichier.empty());
  Maj = false;
}

void TBitMFondForm::ChoisitVue(int vue) {
  if (vue < tvSection || vue > tvPersp) return;
  LitTailles();
  Vue = vue;
  MontreVue();
}

void TBitMFondForm::ChargeFichier(const std::string& chemin) {
  R[static_cast<size_t>(Vue)].Fichier = chemin;
  MontreVue();
}

void TBitMFondForm::Efface() {
  R[static_cast<size_t>(Vue)].Fichier.clear();
  R[static_cast<size_t>(Vue)].Affiche = false;
  MontreVue();
}

void TBitMFondForm::ChoisitAjustement(int mode) {
  R[static_cast<size_t>(Vue)].Ajustement = std::clamp(mode, 0, 4);
  MontreVue();
}

void TBitMFondForm::LitTailles() {
  if (!LargeurFixe) return;
  TImageFondDoc& im = R[static_cast<size_t>(Vue)];
  auto lit = [](QLineEdit* e, int& v) {
    bool ok = false;
    int n = e->text().trimmed().toInt(&ok);
    if (ok && n >= 1) v = std::min(n, MaxTailleImage);
    e->setText(QString::number(v));
  };
  lit(LargeurFixe, im.LargeurFixe);
  lit(HauteurFixe, im.HauteurFixe);
}

void TBitMFondForm::Applique() {
  TRACE("TBitMFondForm.BtnOKClick");
  TDocument& doc = F.Document();
  for (auto& im : R) im.Affiche = !im.Fichier.empty();
  if (R != doc.ImagesFond) {
    doc.ImagesFond = R;
    doc.MarqueModifie();
  }
  for (int t = tvSection; t <= tvPersp; t++)
    if (TFormFille* v = F.Vue(t)) v->ChargeFondFichier();
  F.Aff.ImageFond = true;
  F.AfficheNet();
  F.Rafraichit();
}

namespace {

bool UneImage(const TMainForm& f) {
  for (const auto& im : f.Document().ImagesFond)
    if (!im.Fichier.empty()) return true;
  return false;
}

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeImagesFond", .Execute = [](TMainForm& f, bool) {
                        TBitMFondForm d(f, &f);
                        d.exec();
                      }});
  // The toggle itself is the display's; it waits for a view with a picture.
  EnregistreCommande({.Nom = "MeImageFond", .Actif = UneImage});
  EnregistreFenetre({.Nom = "bitmfond", .Montre = [](TMainForm& f) -> QWidget* {
                       // The dialog over the main window, so that the picture behind the
                       // profile view shows beside the settings that put it there.
                       auto* d = new TBitMFondForm(f, &f);
                       d->setWindowFlags(Qt::Widget);
                       d->setAutoFillBackground(true);
                       d->adjustSize();
                       d->move(f.width() - d->width() - 12, 60);
                       d->show();
                       d->raise();
                       return &f;
                     }});
});

}  // namespace

TBitMFondForm::~TBitMFondForm() { DetacheChamps(*this); }
