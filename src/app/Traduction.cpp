// Re-translation by what the windows show: a text equal to a key's text in the language
// the windows were made with gets that key's new text, so that a window needs no list of
// its keys and a window made later is made in the current language from the start.
#include "app/Traduction.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>
#include <QTreeWidget>
#include <QValueAxis>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <stdexcept>
#include <unordered_map>

#include "app/Principale.h"
#include "base/Chaines.h"
#include "base/Debug.h"
#include "base/Encodage.h"
#include "base/Langues.h"
#include "base/Options.h"
#include "base/Services.h"
#include "ui/Registre.h"

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Texts to key indices, for one set of the table's texts.
class TIndex {
 public:
  explicit TIndex(const std::vector<std::string>& textes) : Textes(textes) {
    for (size_t i = 0; i < textes.size(); i++)
      if (!textes[i].empty()) Par[textes[i]].push_back(i);
  }
  // The key that shows `texte` on the property `suffixe` ("Caption", "Hint") of an object:
  // the one it was given last time, else the one its name tells, else the first.
  int Cle(const QObject* o, const char* suffixe, const std::string& texte) const {
    QVariant v = o->property(Marque(suffixe).constData());
    if (v.isValid()) {
      auto i = v.toULongLong();
      if (i < Textes.size() && Textes[i] == texte) return static_cast<int>(i);
    }
    auto it = Par.find(texte);
    if (it == Par.end()) return -1;
    const std::string nom = "rs" + o->objectName().toStdString() + suffixe;
    for (size_t i : it->second)
      if (TableChaines()[i].Cle == nom) return static_cast<int>(i);
    return static_cast<int>(it->second.front());
  }
  static QByteArray Marque(const char* suffixe) { return QByteArray("rsCle") + suffixe; }

 private:
  const std::vector<std::string>& Textes;
  std::unordered_map<std::string, std::vector<size_t>> Par;
};

class TTraducteur {
 public:
  TTraducteur(const std::vector<std::string>& anciens) : Anciens(anciens), Nouveaux(ValeursChaines()) {}

  // The new text for what an object shows now (unchanged when no key shows it).
  QString Texte(QObject* o, const char* suffixe, const QString& actuel) {
    // An empty text is found by the key it was given last time only.
    if (actuel.isEmpty() && !o->property(TIndex::Marque(suffixe).constData()).isValid()) return actuel;
    int i = Anciens.Cle(o, suffixe, actuel.toStdString());
    if (i < 0 || static_cast<size_t>(i) >= Nouveaux.size()) return actuel;
    o->setProperty(TIndex::Marque(suffixe).constData(), static_cast<qulonglong>(i));
    return Q(Nouveaux[static_cast<size_t>(i)]);
  }

  void Widget(QWidget* w) {
    auto change = [](const QString& avant, const QString& apres, auto&& ecrit) {
      if (apres != avant) ecrit(apres);
    };
    if (w->isWindow() || qobject_cast<QToolBar*>(w) || w->inherits("QMdiSubWindow") ||
        w->inherits("QDockWidget"))
      change(w->windowTitle(), Texte(w, "Caption", w->windowTitle()),
             [w](const QString& t) { w->setWindowTitle(t); });
    change(w->toolTip(), Texte(w, "Hint", w->toolTip()), [w](const QString& t) { w->setToolTip(t); });
    if (auto* l = qobject_cast<QLabel*>(w))
      change(l->text(), Texte(l, "Caption", l->text()), [l](const QString& t) { l->setText(t); });
    if (auto* b = qobject_cast<QAbstractButton*>(w))
      change(b->text(), Texte(b, "Caption", b->text()), [b](const QString& t) { b->setText(t); });
    if (auto* g = qobject_cast<QGroupBox*>(w))
      change(g->title(), Texte(g, "Caption", g->title()), [g](const QString& t) { g->setTitle(t); });
    if (auto* e = qobject_cast<QLineEdit*>(w))
      change(e->placeholderText(), Texte(e, "Text", e->placeholderText()),
             [e](const QString& t) { e->setPlaceholderText(t); });
    if (auto* t = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < t->count(); i++) {
        // Each page is its own object: its key is kept on the page.
        QWidget* p = t->widget(i);
        change(t->tabText(i), Texte(p ? static_cast<QObject*>(p) : t, "Caption", t->tabText(i)),
               [t, i](const QString& s) { t->setTabText(i, s); });
      }
    if (auto* c = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < c->count(); i++) {
        QObject cle;  // items have no object: the plain lookup
        change(c->itemText(i), Texte(&cle, "Caption", c->itemText(i)),
               [c, i](const QString& s) { c->setItemText(i, s); });
      }
    if (auto* l = qobject_cast<QListWidget*>(w))
      for (int i = 0; i < l->count(); i++) {
        QObject cle;
        QListWidgetItem* it = l->item(i);
        change(it->text(), Texte(&cle, "Caption", it->text()), [it](const QString& s) { it->setText(s); });
      }
    if (auto* t = qobject_cast<QTableWidget*>(w)) {
      for (int i = 0; i < t->columnCount(); i++) Item(t->horizontalHeaderItem(i));
      for (int i = 0; i < t->rowCount(); i++) Item(t->verticalHeaderItem(i));
    }
    if (auto* t = qobject_cast<QTreeWidget*>(w))
      if (QTreeWidgetItem* h = t->headerItem())
        for (int i = 0; i < h->columnCount(); i++) {
          QObject cle;
          change(h->text(i), Texte(&cle, "Caption", h->text(i)),
                 [h, i](const QString& s) { h->setText(i, s); });
        }
    if (auto* v = qobject_cast<QChartView*>(w))
      if (QChart* c = v->chart()) {
        change(c->title(), Texte(c, "Caption", c->title()), [c](const QString& s) { c->setTitle(s); });
        for (QAbstractAxis* a : c->axes())
          change(a->titleText(), Texte(a, "Caption", a->titleText()),
                 [a](const QString& s) { a->setTitleText(s); });
      }
  }

  void Item(QTableWidgetItem* it) {
    if (!it) return;
    QObject cle;
    QString n = Texte(&cle, "Caption", it->text());
    if (n != it->text()) it->setText(n);
  }

  void Action(QAction* a) {
    if (!Faites.insert(a).second || a->isSeparator()) return;
    QString t = Texte(a, "Caption", a->text());
    if (t != a->text()) a->setText(t);
    // A tool tip of its own (not the caption Qt shows by default).
    QString h = a->toolTip();
    QString n = Texte(a, "Hint", h);
    if (n != h) a->setToolTip(n);
  }

 private:
  TIndex Anciens;
  std::vector<std::string> Nouveaux;
  std::set<QObject*> Faites;
};

// The windows in a fixed order: the main window, then by name.
std::vector<QWidget*> Fenetres() {
  std::vector<QWidget*> r;
  for (QWidget* w : QApplication::topLevelWidgets()) r.push_back(w);
  std::stable_sort(r.begin(), r.end(), [](QWidget* a, QWidget* b) {
    bool pa = qobject_cast<QMainWindow*>(a) != nullptr, pb = qobject_cast<QMainWindow*>(b) != nullptr;
    if (pa != pb) return pa;
    if (a->objectName() != b->objectName()) return a->objectName() < b->objectName();
    return QString(a->metaObject()->className()) < QString(b->metaObject()->className());
  });
  return r;
}

void Traduit(TTraducteur& t, QWidget* fenetre) {
  t.Widget(fenetre);
  for (QWidget* w : fenetre->findChildren<QWidget*>())
    if (w->window() == fenetre) t.Widget(w);
  for (QAction* a : fenetre->findChildren<QAction*>()) t.Action(a);
  for (QAction* a : fenetre->actions()) t.Action(a);
}

// One window's block: an error ends this window only.
void Bloc(TTraducteur& t, QWidget* fenetre) {
  try {
    Traduit(t, fenetre);
  } catch (const std::exception& e) {
    DbgErr(erDivers, "TraduireFenetres", 0, {fenetre->objectName().toStdString(), e.what()});
  }
}

// --- the dump ---

class TEcrivain {
 public:
  TEcrivain() : Index(Courants) {}
  std::string Lignes;

  void Ligne(const QObject* o, const char* suffixe, const QString& texte) {
    std::string t = texte.toStdString();
    if (t.find('\n') != std::string::npos) return;  // a language file's text is one line
    std::string nom = o->objectName().toStdString();
    std::string cle = nom.empty() ? std::string() : "rs" + nom + suffixe;
    if (cle.empty() || !ChaineConnue(cle)) {
      int i = Index.Cle(o, suffixe, t);
      if (i >= 0) cle = TableChaines()[static_cast<size_t>(i)].Cle;
    }
    if (!cle.empty()) Lignes += NomDocumente(cle) + "=" + t + "\n";
  }
  void Separateur() { Lignes += "rsN" + std::to_string(++NbSeparateurs) + "Caption=-\n"; }
  void Menu(const QList<QAction*>& actions, std::set<const QMenu*>& vus) {
    for (QAction* a : actions) {
      if (a->isSeparator()) {
        Separateur();
        continue;
      }
      Ligne(a, "Caption", a->text());
      if (QMenu* m = a->menu(); m && vus.insert(m).second) Menu(m->actions(), vus);
    }
  }
  void Debut() { NbSeparateurs = 0; }

 private:
  std::vector<std::string> Courants = ValeursChaines();
  TIndex Index;
  int NbSeparateurs = 0;
};

void Exporte(TEcrivain& e, QWidget* fenetre) {
  QString nom = fenetre->objectName();
  e.Debut();
  e.Lignes += "\n[" + nom.toStdString() + "]\n";
  e.Lignes += "rs" + nom.toStdString() + "Caption=" + fenetre->windowTitle().toStdString() + "\n";
  for (QWidget* w : fenetre->findChildren<QWidget*>()) {
    if (w->window() != fenetre) continue;
    if (qobject_cast<QLabel*>(w)) {
      e.Ligne(w, "Caption", static_cast<QLabel*>(w)->text());
    } else if (auto* b = qobject_cast<QPushButton*>(w)) {
      e.Ligne(b, "Caption", b->text());
      if (!b->toolTip().isEmpty()) e.Ligne(b, "Hint", b->toolTip());
    } else if (auto* s = qobject_cast<QToolButton*>(w)) {
      if (!s->toolTip().isEmpty()) e.Ligne(s, "Hint", s->toolTip());
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
      e.Ligne(g, "Caption", g->title());
    } else if (auto* l = qobject_cast<QLineEdit*>(w)) {
      if (!l->text().isEmpty()) e.Ligne(l, "Text", l->text());
    }
  }
  std::set<const QMenu*> vus;
  if (auto* m = qobject_cast<QMainWindow*>(fenetre)) e.Menu(m->menuBar()->actions(), vus);
  // The pop-up menus, by name.
  QList<QMenu*> menus = fenetre->findChildren<QMenu*>();
  std::stable_sort(menus.begin(), menus.end(),
                   [](QMenu* a, QMenu* b) { return a->objectName() < b->objectName(); });
  for (QMenu* m : menus)
    if (!vus.count(m) && !m->objectName().isEmpty()) {
      vus.insert(m);
      e.Menu(m->actions(), vus);
    }
}

}  // namespace

void TraduireFenetre(QWidget* fenetre, const std::vector<std::string>& anciens) {
  TTraducteur t(anciens);
  Bloc(t, fenetre);
}

void TraduireFenetres(const std::vector<std::string>& anciens) {
  TRACE("TraduireFenetres");
  TTraducteur t(anciens);
  for (QWidget* w : Fenetres()) Bloc(t, w);
}

void ExporterTextesFenetres(const std::string& chemin) {
  TRACE("ExporterTextesFenetres");
  TEcrivain e;
  for (QWidget* w : Fenetres())
    if (!w->objectName().isEmpty() && !qobject_cast<QMenu*>(w)) Exporte(e, w);
  std::string octets;
  for (char c : Utf8VersCp1252(e.Lignes)) {
    if (c == '\n') octets += '\r';
    octets += c;
  }
  // Written beside and renamed over: a failed write leaves the previous dump whole.
  const std::string temp = chemin + ".tmp";
  {
    std::ofstream f(temp, std::ios::binary | std::ios::trunc);
    f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
    f.flush();
    if (!f) {
      std::error_code ec;
      std::filesystem::remove(temp, ec);
      throw std::runtime_error(Format(rs("rsErrTraduction"), chemin.c_str()));
    }
  }
  std::error_code ec;
  std::filesystem::rename(temp, chemin, ec);
  if (ec) {
    std::filesystem::remove(temp, ec);
    throw std::runtime_error(Format(rs("rsErrTraduction"), chemin.c_str()));
  }
}

QStringList DossiersLangues(const QString& dossierProgramme) {
  QStringList l;
  for (const std::string& d : DossiersLanguesProgramme(dossierProgramme.toStdString())) l << Q(d);
  return l;
}

std::string CheminLangue(const QString& dossierProgramme, const std::string& langue) {
  if (langue.empty() || langue == "Français") return {};
  // A stored name is not trusted to stay inside the folders.
  std::string nom = NomLangueSur(langue);
  if (nom.empty()) return {};
  QStringList d = DossiersLangues(dossierProgramme);
  for (const QString& dossier : d) {
    QString f = dossier + "/lang_" + Q(nom) + ".dat";
    if (QFileInfo(f).isFile()) return f.toStdString();
  }
  return (d.front() + "/lang_" + Q(nom) + ".dat").toStdString();
}

void InstalleTraductionQt() {
  static std::unique_ptr<QTranslator> installee;
  if (installee) QCoreApplication::removeTranslator(installee.get());
  installee = std::make_unique<QTranslator>();
  // No file for a language is no error: Qt's own English stays.
  if (installee->load(QLocale(QString::fromStdString(rs("rsLangueQt"))), "qtbase", "_",
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QCoreApplication::installTranslator(installee.get());
  else
    installee.reset();
}

std::string ChangeLangue(const QString& dossierProgramme, const std::string& langue) {
  std::vector<std::string> anciens = ValeursChaines();
  std::string refus;
  std::string chemin = CheminLangue(dossierProgramme, langue);
  if (chemin.empty())
    ChaineDefauts();
  else
    ChargerChaines(chemin, &refus);
  // The menus' shortcuts say "Ctrl+Inser" in French, "Ctrl+Ins" in English, and the views'
  // window menus, which Qt makes once and never translates again, are put in the new
  // language by their texts in the old one.
  static const char* const menuVue[] = {"&Restore",  "&Move",        "&Size", "Mi&nimize",
                                        "Ma&ximize", "Stay on &Top", "&Close"};
  std::vector<QString> avant;
  for (const char* t : menuVue) avant.push_back(QCoreApplication::translate("QMdiSubWindow", t));
  InstalleTraductionQt();
  for (QWidget* f : Fenetres())
    for (QMdiSubWindow* v : f->findChildren<QMdiSubWindow*>())
      if (QMenu* m = v->systemMenu())
        for (QAction* a : m->actions())
          for (size_t i = 0; i < avant.size(); i++)
            if (a->text() == avant[i]) {
              a->setText(QCoreApplication::translate("QMdiSubWindow", menuVue[i]));
              break;
            }
  TraduireFenetres(anciens);
  return refus;
}

namespace {

const TEnregistrement Enregistre([] {
  EnregistreCommande({.Nom = "MeTraduction", .Execute = [](TMainForm&, bool) {
                        ExporterTextesFenetres("FormsText.tra");
                        AfficheMessage(
                            Format(rs("rsTraductionEcrite"),
                                   QDir::current().absoluteFilePath("FormsText.tra").toStdString().c_str()),
                            mtInformation, mbOK);
                      }});
});

}  // namespace
