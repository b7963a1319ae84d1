// The last resort when the process itself fails (a fault signal, std::terminate): one
// attempt to keep the designer's work before the process ends as it would have.
#pragma once

// The work done once at a crash; `raison` names the signal or the terminate.
using TTravailCrash = void (*)(const char* raison);

// Installs the handlers of SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT and std::terminate
// (on an alternate stack, so that a stack overflow reaches them). The work runs at most
// once: a fault during it, or a second signal, ends the process at once with the default
// action. Installing again only replaces the work.
void InstalleGestionCrash(TTravailCrash travail);
// Whether the crash work has started (tests).
bool CrashEnCours();
// The text of a signal for the log ("SIGSEGV").
const char* NomSignal(int sig);
