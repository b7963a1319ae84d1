// The curvature colour scale window.
#include "studio/GaussCtrl.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "base/Chaines.h"

namespace {

// The bar: 20-pixel lines of every table entry, the positive end at the top.
class TBarre : public QWidget {
 public:
  TBarre(const TEchelleGauss& e, QWidget* p) : QWidget(p), E(e) { setFixedSize(31, 191); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Button));
    const int h = height() / 2;
    for (int i = -TEchelleGauss::Demi; i <= TEchelleGauss::Demi; i++) {
      const int c = E.Entree(i);
      p.setPen(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
      const int y = h - static_cast<int>(std::lround(double(i) / TEchelleGauss::Demi * h));
      p.drawLine(0, y, 19, y);
    }
  }

 private:
  const TEchelleGauss& E;
};

}  // namespace

TGaussForm::TGaussForm(TEchelleGauss& e, QWidget* principale)
    : QWidget(principale, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint |
                              Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      E(e),
      Principale(principale) {
  setObjectName("GaussForm");
  setWindowTitle(QString::fromStdString(rs("rsGaussFormCaption")));
  auto* h = new QHBoxLayout(this);
  h->setContentsMargins(4, 4, 4, 4);
  h->setSpacing(3);
  auto* gauche = new QVBoxLayout;
  EditMax = new QLineEdit("0.5", this);
  EditMax->setObjectName("EditMax");
  Curseur = new QSlider(Qt::Vertical, this);
  Curseur->setObjectName("TrackBar");
  Curseur->setRange(0, 99);
  // Position 0 at the top.
  Curseur->setInvertedAppearance(true);
  Curseur->setTickPosition(QSlider::TicksBothSides);
  Curseur->setTickInterval(10);
  EditMin = new QLineEdit("0.000", this);
  EditMin->setObjectName("EditMin");
  for (QLineEdit* l : {EditMax, EditMin}) l->setFixedWidth(44);
  gauche->addWidget(EditMax);
  gauche->addWidget(Curseur, 1, Qt::AlignHCenter);
  gauche->addWidget(EditMin);
  h->addLayout(gauche);
  auto* trait = new QFrame(this);
  trait->setFrameShape(QFrame::VLine);
  h->addWidget(trait);
  auto* droite = new QVBoxLayout;
  LabelHaut = new QLabel(this);
  LabelBas = new QLabel(this);
  for (QLabel* l : {LabelHaut, LabelBas}) {
    QFont f = l->font();
    f.setPointSizeF(f.pointSizeF() * 0.8);
    l->setFont(f);
  }
  Barre = new TBarre(E, this);
  droite->addWidget(LabelHaut);
  droite->addWidget(Barre);
  droite->addWidget(LabelBas);
  droite->addStretch(1);
  h->addLayout(droite);
  E.SaisitMax(EditMax->text().toStdString());
  E.SaisitMin(EditMin->text().toStdString());

  auto saisie = [this](QLineEdit* l, bool max) {
    connect(l, &QLineEdit::textEdited, this, [this, max](const QString& t) {
      const TEchelleGauss avant = E;
      bool ok = max ? E.SaisitMax(t.toStdString()) : E.SaisitMin(t.toStdString());
      if (ok && Change) {
        try {
          Change();
        } catch (...) {
          // A recolouring that fails leaves the previous value in force.
          E = avant;
        }
      }
      DrawScale();
    });
  };
  saisie(EditMax, true);
  saisie(EditMin, false);
  connect(Curseur, &QSlider::valueChanged, this, [this](int p) {
    E.Curseur(p);
    DrawScale();
    if (Change) Change();
  });
  DrawScale();
  setFixedWidth(105);
}

void TGaussForm::DrawScale() {
  LabelHaut->setText(QString::fromStdString(E.LabelHaut()));
  LabelBas->setText(QString::fromStdString(E.LabelBas()));
  Barre->update();
}

void TGaussForm::Montre() {
  adjustSize();
  if (Principale) {
    QRect g = Principale->frameGeometry();
    move(g.right() - frameGeometry().width() + 1, g.top() + 22);
  }
  show();
}
