#include "app/ImprForm.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>

#include "app/Principale.h"
#include "app/ReglagesQt.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "edition/Affiche.h"
#include "edition/Cadrage.h"
#include "session/ObjCom.h"
#include "ui/Dialogues.h"
#include "ui/Registre.h"
#include "views/FormFille.h"
#include "views/RenduQt.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int Denominateurs[] = {1, 2, 5, 10, 20, 50};
// Index of the combo's entries: Ecran, Ajuster, the six fixed scales, Personnalisée.
constexpr int IdxAjuster = 1, IdxPremierFixe = 2, IdxPerso = 8;

struct TFormatMm {
  const char* Nom;
  int H, V;
};
constexpr TFormatMm Formats[] = {
    {"A3", 297, 420}, {"A4", 210, 297}, {"A5", 148, 210}, {"Letter US", 216, 279}};
constexpr int IdxPapierPerso = 4;

// Light colours vanish on white paper: they print black.
int CouleurPapier(int bgr) {
  const int r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
  return (r * 299 + g * 587 + b * 114) / 1000 > 170 ? 0 : bgr;
}

}  // namespace

void TApercuImpression::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().window());
  const TApercu& a = F.Apercu;
  if (!F.Valide || a.L <= 0) return;
  const int x0 = (width() - a.L) / 2, y0 = (height() - a.H) / 2;
  p.translate(x0, y0);
  p.fillRect(0, 0, a.L, a.H, Qt::white);
  p.save();
  p.setClipRect(0, 0, a.L, a.H);
  F.DessineVue(p, F.Bloc.Echelle, F.OriginePageAp, 1, true);
  p.restore();
  p.setPen(Qt::black);
  p.drawRect(0, 0, a.L - 1, a.H - 1);
  p.setPen(QColor(255, 0, 0));
  p.drawRect(a.Gauche, a.Haut, a.LargImp() - 1, a.HautImp() - 1);
}

TImprForm::TImprForm(TMainForm& f, QWidget* parent)
    : QDialog(parent), F(f), Printer(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
  setWindowTitle(Q(rs("rsImprFormCaption")));
  const TReglages& r = ReglagesProgramme();

  CBImprimante = new QComboBox;
  for (const QString& n : QPrinterInfo::availablePrinterNames()) CBImprimante->addItem(n);
  CBImprimante->addItem(Q(rs("rsImprPDF")));
  RBPortrait = new QRadioButton(Q(rs("rsImprPortrait")));
  RBPaysage = new QRadioButton(Q(rs("rsImprPaysage")));
  RBPortrait->setChecked(true);
  EdCopies = new QLineEdit("1");
  EdCopies->setMaxLength(3);
  UDCopies = new QSpinBox;
  UDCopies->setRange(1, 100);
  RBPageCourante = new QRadioButton(Q(rs("rsImprPageCourante")));
  RBToutesPages = new QRadioButton(Q(rs("rsImprToutesPages")));
  RBPageCourante->setChecked(true);
  EdPage = new QLineEdit("1");
  EdPage->setMaxLength(4);
  UDPage = new QSpinBox;
  UDPage->setRange(1, 1000);
  LNbPages = new QLabel;
  CBEchelle = new QComboBox;
  CBEchelle->addItem(Q(rs("rsImprEcran")));
  CBEchelle->addItem(Q(rs("rsImprAjuster")));
  for (int n : Denominateurs) CBEchelle->addItem(QString("1 / %1").arg(n));
  CBEchelle->addItem(Q(rs("rsImprPerso")));
  EdEchelle = new QLineEdit("10");
  EdEchelle->setMaxLength(4);
  UDEchelle = new QSpinBox;
  UDEchelle->setRange(1, 1000);
  UDEchelle->setValue(10);
  CBPapier = new QComboBox;
  for (const auto& p : Formats) CBPapier->addItem(p.Nom);
  CBPapier->addItem(Q(rs("rsImprPapierPerso")));
  CBPapier->setCurrentIndex(static_cast<int>(r.Papier));
  EdPapierH = new QLineEdit(QString::number(r.ImpPhyHorzSize));
  EdPapierV = new QLineEdit(QString::number(r.ImpPhyVertSize));
  for (auto* e : {EdCopies, EdPage, EdEchelle, EdPapierH, EdPapierV}) e->setMaximumWidth(60);
  for (auto* u : {UDCopies, UDPage, UDEchelle}) u->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
  Vue = new TApercuImpression(*this);
  Vue->setMinimumSize(300, 300);

  auto ligne = [](std::initializer_list<QWidget*> w) {
    auto* h = new QHBoxLayout;
    for (auto* x : w) h->addWidget(x);
    h->addStretch();
    return h;
  };
  auto* gImpr = new QGroupBox(Q(rs("rsImprImprimante")));
  auto* lImpr = new QVBoxLayout(gImpr);
  lImpr->addWidget(CBImprimante);
  auto* configurer = new QPushButton(Q(rs("rsImprConfigurer")));
  lImpr->addLayout(ligne({RBPortrait, RBPaysage, configurer}));
  auto* copies = new QLabel(Q(rs("rsImprCopies")));
  lImpr->addLayout(ligne({copies, EdCopies, UDCopies}));
  auto* gPages = new QGroupBox(Q(rs("rsImprPages")));
  auto* lPages = new QVBoxLayout(gPages);
  lPages->addLayout(ligne({RBPageCourante, EdPage, UDPage, LNbPages}));
  lPages->addWidget(RBToutesPages);
  auto* gEch = new QGroupBox(Q(rs("rsImprEchelle")));
  auto* lEch = new QVBoxLayout(gEch);
  auto* un = new QLabel("1 /");
  lEch->addLayout(ligne({CBEchelle, un, EdEchelle, UDEchelle}));
  auto* gPap = new QGroupBox(Q(rs("rsImprTaillePapier")));
  auto* lPap = new QVBoxLayout(gPap);
  auto* x = new QLabel("x");
  auto* mm = new QLabel("mm");
  lPap->addLayout(ligne({CBPapier, EdPapierH, x, EdPapierV, mm}));
  auto* gauche = new QVBoxLayout;
  for (auto* g : {gImpr, gPages, gEch, gPap}) gauche->addWidget(g);
  gauche->addStretch();
  auto* gAp = new QGroupBox(Q(rs("rsImprApercu")));
  auto* lAp = new QVBoxLayout(gAp);
  lAp->addWidget(Vue);
  auto* haut = new QHBoxLayout;
  haut->addLayout(gauche);
  haut->addWidget(gAp, 1);
  auto* boutons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  boutons->button(QDialogButtonBox::Cancel)->setText(Q(rs("rsAnnuler")));
  auto* v = new QVBoxLayout(this);
  v->addLayout(haut);
  v->addWidget(boutons);

  connect(boutons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(configurer, &QPushButton::clicked, this, [this] {
    QPrintDialog d(Printer.get(), this);
    if (d.exec() == QDialog::Accepted) {
      Remplissage = true;
      RBPaysage->setChecked(Printer->pageLayout().orientation() == QPageLayout::Landscape);
      RBPortrait->setChecked(!RBPaysage->isChecked());
      Remplissage = false;
      LitPapierImprimante(true);
      Initialise();
    }
  });
  connect(CBImprimante, &QComboBox::currentIndexChanged, this, [this] {
    if (Remplissage) return;
    LitPilote();
    LitPapierImprimante(false);
    TaillePapier(false);
  });
  for (auto* rb : {RBPortrait, RBPaysage})
    connect(rb, &QRadioButton::toggled, this, [this](bool on) {
      if (on && !Remplissage) TaillePapier(false);
    });
  connect(CBPapier, &QComboBox::currentIndexChanged, this, [this] {
    if (!Remplissage) TaillePapier(true);
  });
  for (auto* e : {EdPapierH, EdPapierV})
    connect(e, &QLineEdit::editingFinished, this, [this] {
      Remplissage = true;
      CBPapier->setCurrentIndex(IdxPapierPerso);
      Remplissage = false;
      TaillePapier(true);
    });
  connect(CBEchelle, &QComboBox::currentIndexChanged, this, [this] {
    if (!Remplissage) EchelleOrigine();
  });
  auto persoChoisie = [this] {
    if (Remplissage) return;
    Remplissage = true;
    CBEchelle->setCurrentIndex(IdxPerso);
    Remplissage = false;
  };
  connect(EdEchelle, &QLineEdit::textEdited, this, persoChoisie);
  connect(EdEchelle, &QLineEdit::editingFinished, this, [this] {
    int v = TexteEchellePerso(EdEchelle->text().toStdString());
    Remplissage = true;
    EdEchelle->setText(QString::number(v));
    UDEchelle->setValue(v);
    Remplissage = false;
    EchelleOrigine();
  });
  connect(UDEchelle, &QSpinBox::valueChanged, this, [this, persoChoisie](int v) {
    if (Remplissage) return;
    persoChoisie();
    Remplissage = true;
    EdEchelle->setText(QString::number(v));
    Remplissage = false;
    EchelleOrigine();
  });
  connect(EdCopies, &QLineEdit::textEdited, this, [this](const QString& t) {
    auto v = TexteCopies(t.toStdString());
    if (!v) return;
    Copies = *v;
    Remplissage = true;
    if (t != QString::number(*v)) EdCopies->setText(QString::number(*v));
    UDCopies->setValue(*v);
    Remplissage = false;
  });
  connect(UDCopies, &QSpinBox::valueChanged, this, [this](int v) {
    if (Remplissage) return;
    Copies = v;
    EdCopies->setText(QString::number(v));
  });
  connect(EdPage, &QLineEdit::editingFinished, this, [this] {
    auto v = TextePage(EdPage->text().toStdString(), Bloc.NbPages());
    if (v) Page = *v;
    EchelleOrigine();
  });
  connect(UDPage, &QSpinBox::valueChanged, this, [this](int v) {
    if (Remplissage) return;
    Page = v;
    EchelleOrigine();
  });
  LitPilote();
  LitPapierImprimante(false);
  Initialise();
}

TImprForm::~TImprForm() { DetacheChamps(*this); }

void TImprForm::LitPapierImprimante(bool duReglage) {
  PapierImprimante.reset();
  if (CBImprimante->currentIndex() == CBImprimante->count() - 1) return;
  // After the set-up dialog the printer holds the sheet the user gave it there.
  const QPageSize t = duReglage ? Printer->pageLayout().pageSize()
                                : QPrinterInfo::printerInfo(Printer->printerName()).defaultPageSize();
  const QSizeF mm = t.size(QPageSize::Millimeter);
  if (t.isValid() && mm.width() > 0 && mm.height() > 0) PapierImprimante = {mm.width(), mm.height()};
}

TFormFille* TImprForm::VueActive() const { return F.FenetreActive(); }

void TImprForm::LitPilote() {
  // The PDF entry (last) writes a file; any other is a printer of the system.
  const bool pdf = CBImprimante->currentIndex() == CBImprimante->count() - 1;
  if (pdf) {
    if (Printer->outputFormat() != QPrinter::PdfFormat) Printer->setOutputFormat(QPrinter::PdfFormat);
  } else if (Printer->printerName() != CBImprimante->currentText()) {
    Printer->setPrinterName(CBImprimante->currentText());
  }
  Printer->setPageOrientation(RBPaysage->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
  const int res = Printer->resolution();
  const QPageLayout pl = Printer->pageLayout();
  const QRect plein = pl.fullRectPixels(res), zone = pl.paintRectPixels(res);
  Pilote.Offset = {zone.left() - plein.left(), zone.top() - plein.top()};
  Pilote.Physique = {plein.width(), plein.height()};
  Pilote.Page = {zone.width(), zone.height()};
}

void TImprForm::Initialise() {
  Remplissage = true;
  RBPortrait->setChecked(Printer->pageLayout().orientation() != QPageLayout::Landscape);
  RBPaysage->setChecked(!RBPortrait->isChecked());
  Remplissage = false;
  MajMinMaxAllNet(F.Document(), true);
  Bloc = {};
  Page = 1;
  TaillePapier(false);
}

void TImprForm::TaillePapier(bool choixUtilisateur) {
  const int idx = CBPapier->currentIndex();
  Remplissage = true;
  if (idx >= 0 && idx < IdxPapierPerso) {
    EdPapierH->setText(QString::number(Formats[idx].H));
    EdPapierV->setText(QString::number(Formats[idx].V));
  }
  Remplissage = false;
  bool okH = false, okV = false;
  int h = EdPapierH->text().toInt(&okH), v = EdPapierV->text().toInt(&okV);
  if (!okH || h < PapierMin || h > PapierMax) h = Papier.H;
  if (!okV || v < PapierMin || v > PapierMax) v = Papier.V;
  Papier = OrientePapier(h, v, RBPaysage->isChecked());
  TReglages& r = ReglagesProgramme();
  r.ImpPhyHorzSize = std::min(h, v);
  r.ImpPhyVertSize = std::max(h, v);
  r.Papier = static_cast<TFormatPapier>(std::clamp(idx, 0, IdxPapierPerso));
  if (auto m = OuvreMagasin()) EcritImprimante(*m, r);
  // The paper becomes the printer's page, so that a PDF is the size chosen.
  Printer->setPageSize(QPageSize(QSizeF(std::min(h, v), std::max(h, v)), QPageSize::Millimeter));
  LitPilote();
  if (choixUtilisateur && isVisible() && PapierImprimante &&
      TaillesPapierDifferentes(h, v, PapierImprimante->first, PapierImprimante->second))
    AfficheMessage(rs("rsImprPapierDifferent"), mtWarning, mbOK);
  EchelleOrigine();
}

int TImprForm::DenominateurEchelle() const {
  const int i = CBEchelle->currentIndex();
  if (i >= IdxPremierFixe && i < IdxPerso) return Denominateurs[i - IdxPremierFixe];
  return TexteEchellePerso(EdEchelle->text().toStdString());
}

void TImprForm::EchelleOrigine() {
  Valide = false;
  const auto a = CalculeApercu(Pilote);
  TFormFille* v = VueActive();
  const int i = CBEchelle->currentIndex();
  Choix = i <= 0 ? TChoixEchelle::Ecran : i == IdxAjuster ? TChoixEchelle::Ajuster : TChoixEchelle::Fixe;
  if (a && v) {
    Apercu = *a;
    Param = v->Cadrage.Param;
    std::optional<TBlocPages> b;
    if (Choix == TChoixEchelle::Ecran) {
      b = BlocEcran(Param.Echelle, v->Cadrage.Largeur, v->Cadrage.Hauteur, {Param.OrigineX, Param.OrigineY},
                    Apercu);
    } else if (Choix == TChoixEchelle::Ajuster) {
      TParamVue p = Param;
      if (AjusteRectangle(F.Document(), 1, Apercu.LargImp(), Apercu.HautImp(), p, F.Aff.Moitie, 1e9f)) {
        b = TBlocPages{};
        b->Echelle = p.Echelle;
        b->OrigineBloc = {p.OrigineX + Apercu.Gauche, p.OrigineY + Apercu.Haut};
      }
    } else {
      TEtendue2D e = DimentionsProj2D(F.Document(), 1, Param, F.Aff.Moitie);
      if (!e.Vide())
        b = BlocFixe(EchelleFixe(Apercu.L, Papier.H, DenominateurEchelle()), {e.MinU, e.MaxU, e.MinV, e.MaxV},
                     Apercu);
    }
    if (b) {
      Bloc = *b;
      Valide = true;
    }
  }
  if (!Valide) Bloc = {};
  Page = std::clamp(Page, 1, Bloc.NbPages());
  if (Choix == TChoixEchelle::Fixe) {
    const TPointI cr = ColonneLigne(Page, Bloc.NbPagesH);
    OriginePageAp = OriginePage(Bloc.OrigineBloc, cr.X, cr.Y, Apercu.LargImp(), Apercu.HautImp());
  } else {
    OriginePageAp = Bloc.OrigineBloc;
  }
  Remplissage = true;
  UDPage->setMaximum(std::max(1, Bloc.NbPages()));
  UDPage->setValue(Page);
  EdPage->setText(QString::number(Page));
  LNbPages->setText(Q(Format(rs("rsImprNbPages").c_str(), Bloc.NbPages())));
  Remplissage = false;
  Vue->update();
}

void TImprForm::DessineVue(QPainter& p, double echelle, const TPointI& origine, int epaisseur,
                           bool papier) const {
  TFormFille* v = VueActive();
  if (!v) return;
  TParamVue pv = Param;
  pv.Echelle = static_cast<float>(echelle);
  pv.OrigineX = origine.X;
  pv.OrigineY = origine.Y;
  TTableVertex tab;
  TDocument& doc = F.Document();
  tab.MajTabCoor(doc, pv);
  TListeDessin l;
  TContexteDessin c{doc, F.Aff, F.OptV, F.Grille, tab, 0, 0};  // no edge labels across pages
  AfficheNetOne(c, pv, l);
  for (auto& e : l.Elements) {
    if (papier) e.Stylo.Couleur = CouleurPapier(e.Stylo.Couleur);
    e.Stylo.Epaisseur =
        static_cast<std::uint8_t>(std::clamp<int>(std::max<int>(e.Stylo.Epaisseur, epaisseur), 1, 255));
  }
  RenduListe(p, l);
}

bool TImprForm::Imprime() {
  if (!VueActive()) {
    AfficheMessage(rs("rsImprSansVue"), mtError, mbOK);
    return false;
  }
  LitPilote();
  EchelleOrigine();
  if (!Valide) {
    AfficheMessage(rs("rsImprTailleNulle"), mtError, mbOK);
    return false;
  }
  const int epaisseur = ReglagesProgramme().PenWidth;
  Printer->setDocName(Q(TitreTravail(F.Document().NomFichier)));
  Printer->setCopyCount(1);  // the copies are printed here, one job each
  const bool toutes = Choix == TChoixEchelle::Fixe && RBToutesPages->isChecked();
  // One page that fails to draw is logged and the others still print.
  auto page = [&](QPainter& g, const TPointI& origineAp) {
    const TConversionImp ci = VersImprimante(Bloc.Echelle, origineAp, Apercu, Pilote);
    g.save();
    g.setClipRect(0, 0, Pilote.Page.X, Pilote.Page.Y);
    try {
      DessineVue(g, ci.EchelleImp, ci.Origine, epaisseur, true);
    } catch (const std::exception& e) {
      DbgErr(erDivers, "TImprForm.Imprime", ci.Origine.X, {std::to_string(ci.Origine.Y), e.what()});
    }
    g.restore();
  };
  int imprimees = 0;
  for (int k = 0; k < Copies; k++) {
    QPainter g;
    if (!g.begin(Printer.get())) {
      DbgErr(erDivers, "TImprForm.Imprime", k, {"begin"});
      continue;
    }
    if (toutes) {
      bool premiere = true;
      for (int c = 1; c <= Bloc.NbPagesH; c++)
        for (int r = 1; r <= Bloc.NbPagesV; r++) {
          // A new sheet before every page but the first: no blank sheet at the end.
          if (!premiere) Printer->newPage();
          premiere = false;
          page(g, OriginePage(Bloc.OrigineBloc, c, r, Apercu.LargImp(), Apercu.HautImp()));
        }
    } else {
      page(g, OriginePageAp);
    }
    g.end();
    imprimees++;
  }
  if (imprimees == 0) {
    AfficheMessage(Format(rs("rsImprEchec").c_str(), Printer->printerName().toStdString().c_str()), mtError,
                   mbOK);
    return false;
  }
  return true;
}

void TImprForm::accept() {
  if (CBImprimante->currentIndex() == CBImprimante->count() - 1 && Printer->outputFileName().isEmpty()) {
    QString f = F.ChoisirFichier(true, Q(rs("rsFiltrePDF")), {});
    if (f.isEmpty()) return;
    Printer->setOutputFileName(f);
  }
  if (Imprime()) QDialog::accept();
}

void LanceImpression(TMainForm& f) {
  TImprForm d(f, &f);
  d.exec();
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeImprimer",
                      .Actif = [](const TMainForm& f) { return f.FenetreActive() != nullptr; },
                      .Execute = [](TMainForm& f, bool) { LanceImpression(f); }});
  EnregistreCommande({.Nom = "MeConfigImpression", .Execute = [](TMainForm& f, bool) {
                        QPrinter p(QPrinter::HighResolution);
                        QPrintDialog d(&p, &f);
                        d.exec();
                      }});
  EnregistreFenetre({.Nom = "impr", .Ordre = 430, .Montre = [](TMainForm& f) -> QWidget* {
                       f.ActiveVue(tvProfil, false);  // the view a print is most often of
                       auto* d = new TImprForm(f, &f);
                       d->setAttribute(Qt::WA_DeleteOnClose);
                       d->CBEchelle->setCurrentIndex(IdxPremierFixe + 4);  // 1 / 20: a block of pages
                       d->show();
                       return d;
                     }});
});

}  // namespace
