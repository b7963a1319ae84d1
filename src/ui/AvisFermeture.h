// Who wants to know that a main window closed its document: tools that hold a gesture under
// way in its views forget it then. The main window announces each close.
#pragma once

#include <functional>

// f runs when the window `fenetre` closes its document, until cle unsubscribes.
void AbonneFermeture(const void* fenetre, const void* cle, std::function<void()> f);
void DesabonneFermeture(const void* cle);
void AnnonceFermeture(const void* fenetre);
