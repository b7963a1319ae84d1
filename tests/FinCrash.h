// How a process ends once the crash handler has done its work: killed by the signal
// again. Under ThreadSanitizer a signal raised inside a handler is held until the handler
// returns, so the handler's fallback exit (128 + signal) is what ends it there.
#pragma once

#include <gtest/gtest.h>

#include <functional>

inline std::function<bool(int)> FinCrash(int sig) {
#if defined(__SANITIZE_THREAD__)
  return [sig](int statut) {
    return ::testing::KilledBySignal(sig)(statut) || ::testing::ExitedWithCode(128 + sig)(statut);
  };
#else
  return ::testing::KilledBySignal(sig);
#endif
}
