// What the program does with an error nothing caught, and with its own crash: the open
// design is written to the recovery document, the error recorded and a line put at the head of
// "Error.log". The windows call these; nothing here is shown to the user.
#pragma once

#include <string>

#include "base/Debug.h"
#include "model/Document.h"

struct TBilanErreur {
  bool RecuperationEcrite = false;
  std::string CheminRecuperation;  // as given, made absolute
  TResultatErrorLog Log;
};

// The handler of an uncaught error: the recovery save to `cheminRecuperation`, the same
// place as the crash's (through the ordinary writer, which keeps the previous copy as its
// backup and leaves the document's name and
// modified state alone; a design with no surface has nothing to save), the two diagnostics
// entries, the Error.log line, then the call trace emptied. Messages the writer would show
// are held back. The views do not redraw meanwhile.
TBilanErreur TraiteErreurNonRattrapee(TDocument& doc, const std::string& message,
                                      const std::string& cheminErrorLog,
                                      const std::string& cheminRecuperation);

// What the windows record once the crash save is written (which design it copies, so that
// the next start offers it under the right name).
using TApresSauvegardeCrash = void (*)(const TDocument& doc);

// The crash of the process: the document is written to cheminRecuperation, `apres` runs
// when that worked, and a line goes to the log, once (base/Crash.h), before the process
// ends. The document is read where it stands, in whatever state the fault left it; a null
// document writes only the line.
void InstalleSauvegardeCrash(const TDocument* doc, const std::string& cheminRecuperation,
                             const std::string& cheminErrorLog, TApresSauvegardeCrash apres = nullptr);
