// Background pictures: decoding, fitting, the dialog and its commands.
#include "views/BitMFond.h"

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

#include "base/Chaines.h"
#include "base/Debug.h"
#include "app/Principale.h"
#include "ui/Registre.h"
#include "document/ImageFond.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QImage VersQImage(const TImageRGBA& im) {
  QImage q(im.Largeur, im.Hauteur, QImage::Format_ARGB32);
  if (q.isNull()) return q;
  for (int y = 0; y < im.Hauteur; y++)
    std::copy_n(im.Pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(im.Largeur), im.Largeur,
                reinterpret_cast<std::uint32_t*>(q.scanLine(y)));
  return q;
}

bool DecodeBmp(const std::vector<std::uint8_t>& octets, QImage& out, std::string& raison) {
  if (octets.size() < 2 || octets[0] != 'B' || octets[1] != 'M') {
    raison = "not a bitmap";
    return false;
  }
  QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(octets.data()),
                                            static_cast<qsizetype>(octets.size()));
  QBuffer b(&data);
  b.open(QIODevice::ReadOnly);
  QImageReader r(&b, "bmp");
  const QSize s = r.size();
  if (!TailleImageAdmise(s.width(), s.height(), TLimitesImage{})) {
    raison = "bitmap size refused";
    return false;
  }
  QImage q = r.read();
  if (q.isNull()) {
    raison = r.errorString().toStdString();
    return false;
  }
  out = q.convertToFormat(QImage::Format_ARGB32);
  return true;
}

const char* const ClesVues[4] = {"rsBitMFondSections", "rsBitMFondPlan", "rsBitMFondProfile",
                                 "rsBitMFondPerspective"};

}  // namespace

std::string CheminImageFond(const std::string& nom, const std::string& document) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path p(nom);
  if (p.empty() || p.is_absolute() || fs::exists(p, ec) || document.empty()) return nom;
  fs::path voisin = fs::path(document).parent_path() / p;
  return fs::exists(voisin, ec) ? voisin.string() : nom;
}

bool ChargeImageFond(const std::string& chemin, QImage& image) {
  image = QImage();
  std::error_code ec;
  if (!std::filesystem::exists(chemin, ec)) {
    DbgErr(erFichier, "ChargeFondFichier", 0, {"missing", chemin});
    return false;
  }
  std::vector<std::uint8_t> octets;
  std::string raison;
  if (!LitOctetsImage(chemin, octets, &raison)) {
    DbgErr(erFichier, "ChargeFondFichier", 0, {raison});
    return false;
  }
  std::string rj, rb, rg;
  bool ok = false;
  TImageRGBA im;
  if (DecodeJpeg(octets, im, &rj)) image = VersQImage(im), ok = !image.isNull();
  QImage bmp;
  if (DecodeBmp(octets, bmp, rb)) image = std::move(bmp), ok = true;
  if (DecodeGif(octets, im, &rg)) {
    QImage q = VersQImage(im);
    if (!q.isNull()) image = std::move(q), ok = true;
  }
  if (!ok) DbgErr(erFichier, "ChargeFondFichier", 0, {chemin, "JPEG: " + rj, "BMP: " + rb, "GIF: " + rg});
  return ok;
}

bool EtireImageFond(const QImage& source, const TImageFondDoc& im, int w, int h, QImage& out) {
  TTailleImage t = TailleAjustee(im.Ajustement, source.width(), source.height(), w, h, im.LargeurFixe,
                                 im.HauteurFixe, MaxTailleImage);
  if (t.Largeur <= 0) return false;
  QImage q = t.Largeur == source.width() && t.Hauteur == source.height()
                 ? source
                 : source.scaled(t.Largeur, t.Hauteur, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  if (q.isNull()) return false;
  out = std::move(q);
  return true;
}

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
