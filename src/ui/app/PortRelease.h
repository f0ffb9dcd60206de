#pragma once

class CKorvantisDoc;

namespace vexor {

// Every way out of the window program goes through here, so the controller's
// port is never left with its exclusive flag on: on a pseudo-terminal (and a
// device someone else also holds) the flag outlives the process and the next
// start would find no controller.

// The orderly way out: polling is asked to stop (the document's own bounded
// wait), the port is closed when no polling thread uses it any more, and then
// every terminal the process still holds loses its exclusive flag. A polling
// thread stuck in a read never holds the exit up: its port is released
// without being closed, and ending the process closes it.
void releaseControllerPort(CKorvantisDoc& doc);

// Clears the exclusive flag of every terminal descriptor of the process,
// without waiting for anything. Safe inside a signal handler.
void releaseTerminals() noexcept;

// On a crash (segmentation fault, bus error, illegal instruction, arithmetic
// fault, abort) the terminals are released before the signal's earlier
// handling goes on. Call once, early.
void releaseTerminalsOnCrash();

} // namespace vexor
