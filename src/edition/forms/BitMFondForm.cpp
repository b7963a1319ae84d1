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
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/FichierStr.h"
#include "base/Services.h"
#include "document/ImageFond.h"
#include "edition/CalageImage.h"
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
  BtnCaler = new QPushButton(Q(rs("rsCalageBouton")), this);
  BtnLiberer = new QPushButton(Q(rs("rsCalageLiberer")), this);
  EtatCalage = new QLabel(this);
  EtatCalage->setWordWrap(true);
  connect(BtnCaler, &QPushButton::clicked, this, [this] { Caler(); });
  connect(BtnLiberer, &QPushButton::clicked, this, [this] { Liberer(); });
  auto* boutons = new QVBoxLayout;
  boutons->addWidget(BtnCharger);
  boutons->addWidget(BtnEffacer);
  boutons->addSpacing(12);
  boutons->addWidget(BtnCaler);
  boutons->addWidget(BtnLiberer);
  boutons->addWidget(EtatCalage);
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
  // The fit modes place a picture in the window; a picture tied to the model follows it.
  for (QRadioButton* rb : Modes) rb->setEnabled(!im.Calee);
  LargeurFixe->setEnabled(!im.Calee && im.Ajustement == 3);
  HauteurFixe->setEnabled(!im.Calee && im.Ajustement == 4);
  BtnCaler->setEnabled(!im.Fichier.empty() && Vue != tvPersp);
  BtnLiberer->setEnabled(im.Calee);
  EtatCalage->setText(Q(rs(im.Calee ? "rsCalageEtatCale" : "rsCalageEtatLibre")));
  Maj = false;
}

void TBitMFondForm::Caler(const std::function<bool(TCalageForm&)>& dialogue) {
  TImageFondDoc& im = R[static_cast<size_t>(Vue)];
  if (im.Fichier.empty() || Vue == tvPersp) return;
  QImage image;
  if (!ChargeImageFond(CheminImageFond(im.Fichier, F.Document().NomFichier), image)) {
    AfficheMessage(Format(rs("rsErrLectureFichierNom"), im.Fichier.c_str()), mtError, mbOK);
    return;
  }
  TCalageForm d(image, Vue, im, this);
  if (dialogue ? !dialogue(d) : d.exec() != QDialog::Accepted) return;
  const std::string fichier = im.Fichier;
  const bool affiche = im.Affiche;
  im = d.Calage;
  im.Fichier = fichier;
  im.Affiche = affiche;
  MontreVue();
}

void TBitMFondForm::Liberer() {
  TImageFondDoc& im = R[static_cast<size_t>(Vue)];
  im.Calee = false;
  im.Px = im.Py = im.A = im.B = {};
  MontreVue();
}

// ---------------------------------------------------------------------------

TCalageForm::TCalageForm(const QImage& image, int vue, const TImageFondDoc& depart, QWidget* parent)
    : QDialog(parent), Calage(depart), Source(image) {
  setObjectName("CalageForm");
  setWindowTitle(Q(rs("rsCalageTitre")));
  // The picture at most 900 x 600 on screen; the clicks are read back in its own pixels.
  Echelle = std::min({1.0, 900.0 / std::max(1, image.width()), 600.0 / std::max(1, image.height())});
  Image = new QLabel(this);
  Image->setCursor(Qt::CrossCursor);
  Image->installEventFilter(this);
  auto* aide = new QLabel(Q(rs("rsCalageAide")), this);
  aide->setWordWrap(true);
  const TAxesVue axes = AxesVue(vue);
  Sens = axes.SigneVertical;
  auto* g = new QGridLayout;
  for (size_t i = 0; i < 2; i++) {
    const int l = static_cast<int>(i);
    g->addWidget(new QLabel(Q(Format(rs("rsCalagePoint"), l + 1)), this), l, 0);
    Pixels[i] = new QLabel(this);
    g->addWidget(Pixels[i], l, 1);
    for (size_t k = 0; k < 2; k++) {
      g->addWidget(new QLabel(Q(std::string(k == 0 ? axes.Horizontal : axes.Vertical) + " [m]"), this), l,
                   2 + 2 * static_cast<int>(k));
      auto* e = new QLineEdit(this);
      e->setFixedWidth(e->fontMetrics().horizontalAdvance("-000.0000") + 12);
      Coord[i][k] = e;
      g->addWidget(e, l, 3 + 2 * static_cast<int>(k));
    }
    Pointe_[i] = depart.Calee;
    if (depart.Calee) {
      Coord[i][0]->setText(QString::number(depart.A[i], 'f', 4));
      Coord[i][1]->setText(QString::number(depart.B[i] * axes.SigneVertical, 'f', 4));
    }
  }
  auto* ok = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(ok, &QDialogButtonBox::accepted, this, [this] {
    if (Valide()) accept();
  });
  connect(ok, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* v = new QVBoxLayout(this);
  v->addWidget(aide);
  v->addWidget(Image, 1, Qt::AlignCenter);
  v->addLayout(g);
  v->addWidget(ok);
  Montre();
}

void TCalageForm::Pointe(double px, double py) {
  const size_t i = static_cast<size_t>(Suivant);
  Calage.Px[i] = px;
  Calage.Py[i] = py;
  Pointe_[i] = true;
  Suivant = 1 - Suivant;
  Montre();
  Coord[i][0]->setFocus();
}

void TCalageForm::Montre() {
  QPixmap pm = QPixmap::fromImage(Source.scaled(std::max(1, static_cast<int>(Source.width() * Echelle)),
                                                std::max(1, static_cast<int>(Source.height() * Echelle)),
                                                Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  for (size_t i = 0; i < 2; i++) {
    Pixels[i]->setText(Pointe_[i]
                           ? QString("(%1, %2) px").arg(Calage.Px[i], 0, 'f', 1).arg(Calage.Py[i], 0, 'f', 1)
                           : Q(rs("rsCalageACliquer")));
    if (!Pointe_[i]) continue;
    const QPointF c(Calage.Px[i] * Echelle, Calage.Py[i] * Echelle);
    p.setPen(QPen(Qt::red, 2));
    p.drawLine(c - QPointF(8, 0), c + QPointF(8, 0));
    p.drawLine(c - QPointF(0, 8), c + QPointF(0, 8));
    p.drawText(c + QPointF(6, -6), QString::number(i + 1));
  }
  p.end();
  Image->setPixmap(pm);
  Image->setFixedSize(pm.size());
}

bool TCalageForm::eventFilter(QObject* o, QEvent* e) {
  if (o == Image && e->type() == QEvent::MouseButtonPress) {
    auto* m = static_cast<QMouseEvent*>(e);
    if (m->button() == Qt::LeftButton) {
      const QPointF px = PixelImage(m->position().toPoint());
      Pointe(px.x(), px.y());
      return true;
    }
  }
  return QDialog::eventFilter(o, e);
}

bool TCalageForm::Valide() {
  for (size_t i = 0; i < 2; i++) {
    if (!Pointe_[i]) {
      AfficheMessage(Format(rs("rsCalageManquePoint"), static_cast<int>(i) + 1), mtError, mbOK);
      return false;
    }
    double v[2];
    for (size_t k = 0; k < 2; k++) {
      const std::string t = Coord[i][k]->text().trimmed().toStdString();
      if (!LitReel(t, v[k])) {
        AfficheMessage(Format(rs("rsErrConversionChamp"),
                              Format(rs("rsCalagePoint"), static_cast<int>(i) + 1).c_str(), t.c_str()),
                       mtError, mbOK);
        Coord[i][k]->setFocus();
        return false;
      }
    }
    Calage.A[i] = v[0];
    Calage.B[i] = v[1] * Sens;
  }
  Calage.Calee = true;
  if (std::string d = DefautCalage(Calage); !d.empty()) {
    Calage.Calee = false;
    AfficheMessage(rs(d), mtError, mbOK);
    return false;
  }
  return true;
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
