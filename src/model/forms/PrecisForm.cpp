// The custom precision window.
#include "model/forms/PrecisForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Services.h"
#include "geometry/Precision.h"
#include "ui/Dialogues.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TPrecisForm::TPrecisForm(QWidget* parent) : QDialog(parent) {
  setObjectName("PrecisForm");
  setWindowTitle(Q(rs("rsPrecisFormCaption")));
  auto* v = new QVBoxLayout(this);
  auto* f = new QFormLayout;
  Edit = new QLineEdit(this);
  Edit->setObjectName("EditPrecision");
  Edit->setMaximumWidth(80);
  f->addRow(Q(rs("rsLabelPrecisionCaption")), Edit);
  v->addLayout(f);
  auto* boutons = new QDialogButtonBox(this);
  QPushButton* ok = boutons->addButton(Q(rs("rsBtnOK")), QDialogButtonBox::AcceptRole);
  ok->setObjectName("BtnOK");
  ok->setDefault(true);
  boutons->addButton(Q(rs("rsBtnAnnuler")), QDialogButtonBox::RejectRole)->setObjectName("BtnAnnuler");
  connect(boutons, &QDialogButtonBox::accepted, this, &TPrecisForm::accept);
  connect(boutons, &QDialogButtonBox::rejected, this, &TPrecisForm::reject);
  v->addWidget(boutons);
  connect(Edit, &QLineEdit::editingFinished, this, [this] { Borne(); });
  // The caption whole, with room for the caption bar's buttons: a fixed size cut it.
  QSize t = sizeHint();
  t.setWidth(std::max(t.width(), fontMetrics().horizontalAdvance(windowTitle()) + 100));
  setFixedSize(t);
}

void TPrecisForm::Prepare(int precision) {
  Edit->setText(QString::number(precision));
  Edit->selectAll();
  Edit->setFocus();
}

bool TPrecisForm::Borne() {
  std::optional<int> n = LitPrecisionPerso(Edit->text().toStdString(), DebugConfig().ModeDebug);
  if (!n) return false;
  if (Edit->text() != QString::number(*n)) Edit->setText(QString::number(*n));
  return true;
}

void TPrecisForm::accept() {
  if (!Borne()) {
    AfficheMessage(Format(rs("rsErrPrecision"), Edit->text().toStdString().c_str()), mtWarning, mbOK);
    Edit->setFocus();
    Edit->selectAll();
    return;
  }
  int n = Edit->text().toInt();
  QDialog::accept();
  if (QuandApplique) QuandApplique(n);
}

TPrecisForm::~TPrecisForm() { DetacheChamps(*this); }
