// The threads that share a calculation between the machine's cores, started once
// and kept for the whole run: a shared calculation then pays neither a thread's
// start nor the refilling of a new thread's working storage at every call.
#pragma once

#include <functional>

// Threads a shared calculation may use: the cores, the calling thread included
// (1 on a machine of one core, at most 64).
int FilsMachine();

// Runs f(0) .. f(n - 1) on the calling thread and the kept threads, and returns
// when all are done. Pieces are handed out in increasing order, each to the
// first thread free, so the pieces must not depend on one another nor on the
// thread that runs them. The exception of the lowest piece that threw is
// rethrown here, once every piece has ended. Called from inside a piece, or
// while another thread's calculation holds the threads, the pieces run here,
// in order.
void Partage(int n, const std::function<void(int)>& f);

// Whether this thread is running a piece of a shared calculation.
bool DansPartage();
