// Fault signals and std::terminate. Little is safe inside a signal handler; the work
// is tried all the same, since the process is lost anyway, and a guard makes sure that
// a fault inside it ends the process instead of looping.
#include "base/Crash.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

std::atomic<TTravailCrash> Travail{nullptr};
std::atomic<bool> Commence{false};
constexpr int Signaux[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
bool Installe = false;
// The request to end: its signal (0: none), and the pipe that carries it to the event loop.
std::atomic<int> SignalFin{0};
int TubeFin[2] = {-1, -1};
std::atomic<unsigned> DelaiFin{5};

void Ecrit(const char* t) {
  ssize_t r = ::write(STDERR_FILENO, t, std::strlen(t));
  (void)r;
}

[[noreturn]] void Termine(int sig) {
  ::signal(sig, SIG_DFL);
  ::raise(sig);
  ::_exit(128 + sig);
}

void Lance(const char* raison) {
  TTravailCrash t = Travail.load();
  if (t) t(raison);
}

void SurSignal(int sig) {
  // The first entry does the work; any later one (a fault in the work, another thread)
  // leaves at once.
  if (Commence.exchange(true)) Termine(sig);
  Ecrit("brivane: ");
  Ecrit(NomSignal(sig));
  Ecrit(", the open design is being saved\n");
  Lance(NomSignal(sig));
  Termine(sig);
}

// Ends the process after a request: the work once (whoever comes first), then the signal.
[[noreturn]] void TermineDemande(int sig) {
  if (!Commence.exchange(true)) {
    Ecrit("brivane: ");
    Ecrit(NomSignal(sig));
    Ecrit(", ending (unsaved work goes to the recovery document)\n");
    Lance(NomSignal(sig));
  }
  Termine(sig);
}

void SurDemandeFin(int sig) {
  int attendu = 0;
  if (!SignalFin.compare_exchange_strong(attendu, sig)) {
    // Asked again while the loop has not answered: no more waiting.
    ::alarm(0);
    TermineDemande(attendu);
  }
  const char c = 1;
  ssize_t r = ::write(TubeFin[1], &c, 1);
  (void)r;
  ::alarm(DelaiFin.load());
}

// The loop did not answer in time: it is held by some long work.
void SurAlarme(int) {
  const int sig = SignalFin.load();
  if (sig != 0) TermineDemande(sig);
}

void SurTerminate() {
  if (!Commence.exchange(true)) {
    std::string r = "std::terminate";
    if (std::exception_ptr e = std::current_exception()) {
      try {
        std::rethrow_exception(e);
      } catch (const std::exception& x) {
        r += std::string(": ") + x.what();
      } catch (...) {
      }
    }
    Ecrit("brivane: ");
    Ecrit(r.c_str());
    Ecrit(", the open design is being saved\n");
    Lance(r.c_str());
  }
  // SIGABRT finds the work started and ends the process with it.
  std::abort();
}

}  // namespace

const char* NomSignal(int sig) {
  switch (sig) {
    case SIGSEGV:
      return "SIGSEGV";
    case SIGBUS:
      return "SIGBUS";
    case SIGILL:
      return "SIGILL";
    case SIGFPE:
      return "SIGFPE";
    case SIGABRT:
      return "SIGABRT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
    default:
      return "signal";
  }
}

bool CrashEnCours() { return Commence.load(); }

void InstalleGestionCrash(TTravailCrash travail) {
  Travail.store(travail);
  if (Installe) return;
  Installe = true;
  // Room for the work when the fault is a stack overflow: writing a design needs some.
  static char pile[1 << 18];
  stack_t s{};
  s.ss_sp = pile;
  s.ss_size = sizeof pile;
  ::sigaltstack(&s, nullptr);
  struct sigaction a {};
  a.sa_handler = SurSignal;
  sigemptyset(&a.sa_mask);
  // NODEFER: a fault inside the work re-enters the handler, which ends the process,
  // instead of being held back while the faulting instruction repeats.
  a.sa_flags = SA_ONSTACK | SA_NODEFER;
  for (int sig : Signaux) ::sigaction(sig, &a, nullptr);
  std::set_terminate(SurTerminate);
}

int InstalleFinDemandee(unsigned delaiSecondes) {
  if (TubeFin[0] < 0) {
    if (::pipe2(TubeFin, O_CLOEXEC | O_NONBLOCK) != 0) {
      TubeFin[0] = TubeFin[1] = -1;
      return -1;
    }
  }
  DelaiFin.store(delaiSecondes == 0 ? 1 : delaiSecondes);
  struct sigaction a {};
  a.sa_handler = SurDemandeFin;
  sigemptyset(&a.sa_mask);
  sigaddset(&a.sa_mask, SIGALRM);
  a.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &a, nullptr);
  ::sigaction(SIGHUP, &a, nullptr);
  struct sigaction b {};
  b.sa_handler = SurAlarme;
  sigemptyset(&b.sa_mask);
  ::sigaction(SIGALRM, &b, nullptr);
  return TubeFin[0];
}

void FinDemandee() {
  ::alarm(0);
  char c[16];
  while (::read(TubeFin[0], c, sizeof c) > 0) {
  }
  const int sig = SignalFin.load();
  TermineDemande(sig != 0 ? sig : SIGTERM);
}

bool FinSurDemande() { return SignalFin.load() != 0; }
