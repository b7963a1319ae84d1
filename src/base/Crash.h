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

// SIGTERM and SIGHUP: the process is asked to end (a log-out, a closed terminal). The
// handler only notes the request on a pipe whose reading end is returned, for the event
// loop to watch and answer with FinDemandee(). When the loop has not answered within
// `delaiSecondes` (a long calculation holds it), or at a second request, the work runs from
// the signal itself, as for a crash. Either way it runs once and the process then ends
// with the signal. -1 when the pipe cannot be made (the signals keep their default action).
int InstalleFinDemandee(unsigned delaiSecondes = 5);
// The event loop's answer to the request noted on the pipe: the work, then the end.
[[noreturn]] void FinDemandee();
// Whether the work under way answers a request to end rather than a fault: a design that
// holds nothing unsaved then needs no copy.
bool FinSurDemande();
