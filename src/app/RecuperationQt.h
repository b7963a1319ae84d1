// The periodic recovery save of the main window and its offer at the next start.
#pragma once

#include <string>

class TMainForm;
class TDocument;

// Where the recovery document goes: BRIVANE_RECOVERY when set (tests), else the user's
// data folder; always an absolute path.
std::string CheminRecuperationProgramme();
// Starts the timer (interval "System" / "Recuperation", minutes) that writes the
// recovery document while the design is modified.
void DemarreRecuperation(TMainForm& f);
// Records which design the recovery document copies (its absolute name; empty for a
// design never saved). Also the crash save's last step.
void NoteOrigineRecuperation(const TDocument& doc);
// One recovery save now, when the design is modified (the timer's work). True when written.
bool SauveRecuperation(TMainForm& f);
// At first display: when the recovery document is newer than the design it copies, asks
// whether to open it; yes opens it under that design's name, marked modified. True then.
bool OffreRecuperation(TMainForm& f);
// The last resorts of a running program: a crash of the process, and a request to end it
// (SIGTERM, SIGHUP: a log-out, a closed terminal), write the recovery document and a log
// line before the process ends; an end request with nothing unsaved just ends it.
// `delaiFin`: seconds the event loop has to answer an end request before the signal does
// the work itself.
void InstalleSauvegardesUrgence(TMainForm& f, unsigned delaiFin = 5);
// The work is safe (saved, or closed on purpose): the recovery document goes.
void FinRecuperation();
