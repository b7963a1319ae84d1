// The model check window and its command in "Données".
#include "naval/forms/VerificationForm.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "naval/Hydrostat.h"
#include "session/ObjCom.h"
#include "session/Verification.h"
#include "ui/Registre.h"

TVerificationForm::TVerificationForm(TDocument& doc, QWidget* parent)
    : QDialog(parent), Doc(doc), L(new QListWidget(this)) {
  setObjectName("VerificationForm");
  setWindowTitle(QString::fromStdString(rs("rsVerifTitre")));
  L->setObjectName("Constats");
  L->setWordWrap(true);
  auto* b = new QDialogButtonBox(this);
  QPushButton* fermer = b->addButton(QString::fromStdString(rs("rsBtnFermer")), QDialogButtonBox::RejectRole);
  fermer->setObjectName("BtnFermer");
  connect(b, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* v = new QVBoxLayout(this);
  v->addWidget(L);
  v->addWidget(b);
  resize(640, 320);
}

void TVerificationForm::Prepare() {
  MajSurface(Doc, true, -1);
  Remplit(VerifieModele(Doc, PorteeCalc(Doc)));
}

void TVerificationForm::Remplit(const std::vector<TConstatModele>& constats) {
  L->clear();
  if (constats.empty()) L->addItem(QString::fromStdString(rs("rsVerifAucun")));
  for (const auto& c : constats) L->addItem(QString::fromStdString(c.Message));
}

TBandeauVerification::TBandeauVerification(TDocument& doc, QWidget* parent) : QLabel(parent), Doc(doc) {
  setObjectName("BandeauVerification");
  setStyleSheet("color: #b00000");
  setTextFormat(Qt::RichText);
  setWordWrap(true);
  setVisible(false);
  connect(this, &QLabel::linkActivated, this, [this] { MontreListe(); });
}

const std::vector<TConstatModele>& TBandeauVerification::Verifie(const TListSurf& portee, unsigned fonds) {
  C = ConstatsPour(VerifieModele(Doc, portee), fonds);
  const std::string l = LigneConstats(Doc, C);
  setText(l.empty() ? QString()
                    : QString::fromStdString(l).toHtmlEscaped() + " <a href=\"liste\">" +
                          QString::fromStdString(rs("rsVerifVoirListe")).toHtmlEscaped() + "</a>");
  setToolTip(l.empty() ? QString() : QString::fromStdString(l));
  setVisible(!l.empty());
  return C;
}

void TBandeauVerification::MontreListe() {
  TVerificationForm d(Doc, this);
  d.Remplit(C);
  d.exec();
}

namespace {

TVerificationForm* Ouvre(TMainForm& f) {
  auto* d = new TVerificationForm(f.Document(), &f);
  d->setAttribute(Qt::WA_DeleteOnClose);
  d->Prepare();
  return d;
}

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeVerifierModele",
                      .Places = {{"MeDonnees", 125}},
                      .Actif = [](const TMainForm& f) { return f.Document().NbSurf() > 0; },
                      .Execute = [](TMainForm& f, bool) { Ouvre(f)->open(); }});
  EnregistreFenetre({.Nom = "verification", .Ordre = 320, .Montre = [](TMainForm& f) -> QWidget* {
                       auto* d = Ouvre(f);
                       d->show();
                       return d;
                     }});
});

}  // namespace
