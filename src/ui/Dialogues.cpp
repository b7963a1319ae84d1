// Message dialog, splash and about window, desk calculator, toolbox.
#include "ui/Dialogues.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "base/Chaines.h"
#include "base/Services.h"
#include "ui/TexteMessage.h"

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TfmMessageDlg::TfmMessageDlg(const std::string& texte, int type, int boutons, QWidget* parent)
    : QDialog(parent) {
  setObjectName("fmMessageDlg");
  setModal(true);
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  std::string cle = CleTitreMessage(type);
  setWindowTitle(cle.empty() ? QString() : Q(rs(cle)));
  QFontMetrics fm(font());
  auto largeur = [&fm](const std::string& t) { return fm.horizontalAdvance(Q(t)); };
  std::string coupe = CoupeMessage(texte, largeur);
  int lt = 0;
  for (const QString& ligne : Q(coupe).split('\n')) lt = std::max(lt, fm.horizontalAdvance(ligne));
  std::vector<TBoutonDlg> bs = BoutonsMessage(boutons);
  int w = LargeurDialogue(lt, static_cast<int>(bs.size()));
  int ht = fm.lineSpacing() * static_cast<int>(Q(coupe).split('\n').size());
  int h = 20 + std::max(ht, 32) + 20 + 25 + 30;

  QStyle::StandardPixmap sp = QStyle::SP_MessageBoxInformation;
  if (type == mtWarning)
    sp = QStyle::SP_MessageBoxWarning;
  else if (type == mtError)
    sp = QStyle::SP_MessageBoxCritical;
  else if (type == mtConfirmation)
    sp = QStyle::SP_MessageBoxQuestion;
  if (type >= mtWarning && type <= mtConfirmation) {
    auto* icone = new QLabel(this);
    icone->setPixmap(style()->standardIcon(sp).pixmap(32, 32));
    icone->setGeometry(16, 20, 32, 32);
  }
  Texte = new QLabel(Q(coupe), this);
  Texte->setObjectName("Message");
  Texte->setGeometry(64, 20, lt + 4, std::max(ht, 32));
  // Buttons 65 wide, 70 apart, centred, 30 pixels above the bottom.
  int x0 = (w - (PasBoutons * static_cast<int>(bs.size()) - (PasBoutons - LargeurBouton))) / 2;
  for (size_t i = 0; i < bs.size(); i++) {
    auto* b = new QPushButton(Q(rs(bs[i].CleTexte)), this);
    b->setObjectName(bs[i].CleTexte);
    b->setGeometry(x0 + PasBoutons * static_cast<int>(i), h - 30 - 25, LargeurBouton, 25);
    b->setAutoDefault(i == 0);
    int res = bs[i].Resultat;
    QObject::connect(b, &QPushButton::clicked, this, [this, res] { done(res); });
    Boutons.push_back(b);
  }
  setFixedSize(w, h);
  if (!Boutons.empty()) Boutons.front()->setFocus();
  if (QScreen* ecran = QGuiApplication::primaryScreen())
    move(ecran->availableGeometry().center() - QPoint(w / 2, h / 2));
}

void TfmMessageDlg::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers m = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  const QString t = e->text();
  if (m == Qt::NoModifier && t.size() == 1 && t[0].isLetterOrNumber())
    for (QPushButton* b : Boutons) {
      const QString s = b->text();
      const qsizetype i = s.indexOf('&');
      if (i >= 0 && i + 1 < s.size() && s[i + 1].toLower() == t[0].toLower()) {
        b->click();
        return;
      }
    }
  QDialog::keyPressEvent(e);
}

int AfficheMessageDlg(const std::string& texte, int type, int boutons) {
  TfmMessageDlg d(texte, type, boutons, QApplication::activeWindow());
  int r = d.exec();
  // Closed by the caption's button or Escape: no button was pressed.
  return r == QDialog::Rejected ? mrNone : r;
}

std::string TexteVersionCourte() {
  std::string v = BRIVANE_VERSION;
  size_t p = v.find('.');
  if (p != std::string::npos) p = v.find('.', p + 1);
  return rs("rsLabelVersionCaption") + v.substr(0, p);
}

TSplash::TSplash(bool aPropos, QWidget* parent) : QDialog(parent) {
  setObjectName(aPropos ? "AProposForm" : "SplashForm");
  if (aPropos) {
    setWindowTitle(Q(rs("rsAproposCaption")));
  } else {
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
  }
  auto* l = new QVBoxLayout(this);
  auto* nom = new QLabel(Q(rs("rsMainFormCaption")), this);
  QFont f = nom->font();
  f.setPointSize(24);
  f.setBold(true);
  nom->setFont(f);
  nom->setAlignment(Qt::AlignCenter);
  l->addWidget(nom);
  if (aPropos) {
    auto* com = new QLabel(Q(rs("rsAproposCommentaire")), this);
    com->setAlignment(Qt::AlignCenter);
    l->addWidget(com);
    auto* ver = new QLabel(Q(rs("rsLabelVersionCaption") + BRIVANE_VERSION), this);
    ver->setAlignment(Qt::AlignCenter);
    l->addWidget(ver);
    auto* ok = new QPushButton(Q(rs("rsBtnOK")), this);
    QObject::connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    l->addWidget(ok, 0, Qt::AlignCenter);
  } else {
    auto* ver = new QLabel(Q(TexteVersionCourte()), this);
    ver->setAlignment(Qt::AlignCenter);
    l->addWidget(ver);
    QDateTime date = QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
    auto* comp = new QLabel(Q(rs("rsCompileLe")) + QLocale::c().toString(date, "dd/MM/yyyy"), this);
    comp->setAlignment(Qt::AlignCenter);
    l->addWidget(comp);
  }
  setMinimumWidth(320);
}

TCalculatriceForm::TCalculatriceForm(QWidget* parent) : QWidget(parent, Qt::Tool) {
  setObjectName("CalculatForm");
  setWindowTitle(Q(rs("rsCalculatriceCaption")));
  auto* g = new QGridLayout(this);
  IndicM = new QLabel(this);
  Ecran = new QLabel(Q(Calc.Affichage()), this);
  Ecran->setObjectName("Ecran");
  Ecran->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Ecran->setFrameShape(QFrame::Panel);
  Ecran->setFrameShadow(QFrame::Sunken);
  g->addWidget(IndicM, 0, 0);
  g->addWidget(Ecran, 0, 1, 1, 4);
  static const char* touches[5][5] = {{"MC", "7", "8", "9", "/"},
                                      {"MR", "4", "5", "6", "*"},
                                      {"M+", "1", "2", "3", "-"},
                                      {"CE", "0", "+/-", ".", "+"},
                                      {"rc", "x2", "1/x", "=", nullptr}};
  for (int i = 0; i < 5; i++)
    for (int j = 0; j < 5; j++) {
      if (!touches[i][j]) continue;
      std::string t = touches[i][j];
      auto* b = new QPushButton(Q(t), this);
      b->setObjectName(Q("Touche_" + t));
      b->setFixedWidth(40);
      QObject::connect(b, &QPushButton::clicked, this, [this, t] { Touche(t); });
      g->addWidget(b, i + 1, j);
    }
}

void TCalculatriceForm::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    close();
    return;
  }
  std::string t = (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)
                      ? std::string("=")
                      : ToucheTapee(e->text().toStdString());
  if (t.empty()) {
    QWidget::keyPressEvent(e);
    return;
  }
  Touche(t);
}

void TCalculatriceForm::Touche(const std::string& t) {
  Calc.Touche(t);
  Ecran->setText(Q(Calc.Affichage()));
  IndicM->setText(Calc.Memoire() ? "M" : "");
}

TBoiteOutilsForm::TBoiteOutilsForm(QWidget* principale)
    : QWidget(principale, Qt::Tool | Qt::WindowStaysOnTopHint), Principale(principale) {
  setObjectName("BoiteOutilsForm");
  setWindowTitle(Q(rs("rsBoiteOutilsCaption")));
}

void TBoiteOutilsForm::PlaceADroite() {
  QRect zone = Principale->geometry();
  move(zone.right() - frameGeometry().width(), zone.top() + 72);
}

void TBoiteOutilsForm::mouseDoubleClickEvent(QMouseEvent* e) {
  QWidget::mouseDoubleClickEvent(e);
  PlaceADroite();
}

void TBoiteOutilsForm::closeEvent(QCloseEvent* e) {
  QWidget::closeEvent(e);
  if (QuandFerme) QuandFerme();
}

void DetacheChamps(QWidget& dialogue) {
  for (QLineEdit* e : dialogue.findChildren<QLineEdit*>())
    QObject::disconnect(e, nullptr, &dialogue, nullptr);
}
