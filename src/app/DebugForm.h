// The diagnostics window ("Debug"): the entries recorded by DbgErr and DbgMsgS in debug
// mode, listed newest first and sent to an outside debugger listening on a local port;
// and the handler of the errors nothing caught, which it installs.
#pragma once

#include <QWidget>
#include <string>

class QLabel;
class QTcpSocket;
class QToolButton;
class QTreeWidget;
class TMainForm;
struct TDbgEntree;

// Where "Error.log" goes: BRIVANE_ERRORLOG when set (tests), else the user's data folder
// (never the program's folder).
std::string CheminErrorLog();

class TDebugForm : public QWidget {
 public:
  // Made at start-up, hidden; in debug mode it connects to the debugger at once.
  explicit TDebugForm(TMainForm& f);
  ~TDebugForm() override;
  // The window of this run, or nullptr.
  static TDebugForm* Instance();

  // The handler of an uncaught error: recovery save, diagnostics entries, Error.log line
  // (document/GestionErreurs.h); the recovery file heads the recent files.
  void ExceptionHandler(const std::string& message);

  // "Connexion Debugger": (re)opens the connection to 127.0.0.1 on the port.
  void Connecte();
  // "RAZ": empties the list.
  void RAZ();
  // "Enregistrer": the list, top row first, to the file (true: written).
  bool Enregistre(const QString& chemin = QStringLiteral("QZDbg.txt"));

  QToolButton *BtnRAZ, *BtnTraces, *BtnEnregistrer, *BtnConnexion;
  QTreeWidget* Liste;
  QLabel* Etat;
  QTcpSocket* Socket;

 private:
  TMainForm& F;
  void Recoit(const TDbgEntree& e);
};
