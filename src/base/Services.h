// Hooks through which the core reaches the shell: progress bar, status bar,
// message dialog, wait cursor and modified mark. The GUI installs its own; the
// command line and the tests keep the defaults or install recorders.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Message dialog types (caption and icon).
enum TTypeMessage : int { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// Button set bits, in the dialog's own numbering.
enum TBoutonMessage : int {
  mbYes = 1 << 0,
  mbNo = 1 << 1,
  mbOK = 1 << 2,
  mbCancel = 1 << 3,
  mbAbort = 1 << 4,
  mbRetry = 1 << 5,
  mbIgnore = 1 << 6,
  mbAll = 1 << 7,
  mbHelp = 1 << 10,
};

// Results of the message dialog.
enum TResultatMessage : int {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
};

struct TServices {
  std::function<void(int maximum)> ProgressMax;
  std::function<void(int position)> ProgressPos;
  std::function<void(bool visible)> ProgressVisible;
  std::function<void(int panel, const std::string& text)> WriteStatusBar;
  std::function<int(const std::string& text, int type, int buttons)> AfficheMessage;
  std::function<void(bool modifie)> MarqueModifie;
  std::function<void(bool attente)> CurseurAttente;
};

// The hooks in force. Defaults: no progress, no status bar, messages to stderr.
TServices& Services();
// Back to the defaults (tests).
void RestaureServicesDefaut();

// The default answer of a dialog that nobody can see: the first button of the
// set in the dialog's order, or mrNone.
int ReponseParDefaut(int buttons);

int AfficheMessage(const std::string& text, int type = mtInformation, int buttons = mbOK);

// While it lives, the message hook is a collector that answers each message with its
// default button (nobody can answer: the command line, a trial read); the hook in force
// before comes back when it goes, whatever happens meanwhile, or at Rend().
class TMessagesCollectes {
 public:
  TMessagesCollectes();
  ~TMessagesCollectes();
  TMessagesCollectes(const TMessagesCollectes&) = delete;
  TMessagesCollectes& operator=(const TMessagesCollectes&) = delete;
  const std::vector<std::string>& Messages() const { return Textes; }
  // Puts the hook back now; returns what was collected.
  std::vector<std::string> Rend();

 private:
  std::vector<std::string> Textes;
  std::function<int(const std::string&, int, int)> Ancien;
  bool Rendu = false;
};
void WriteStatusBar(int panel, const std::string& text);
void ProgressMax(int maximum);
void ProgressPos(int position);
void ProgressVisible(bool visible);

// Shows the wait cursor for its lifetime, and restores the normal one also
// when an error leaves the scope.
class TCurseurAttente {
 public:
  explicit TCurseurAttente(bool actif = true);
  ~TCurseurAttente();
  TCurseurAttente(const TCurseurAttente&) = delete;
  TCurseurAttente& operator=(const TCurseurAttente&) = delete;

 private:
  bool Actif;
};
