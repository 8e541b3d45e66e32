// Ctrl-C and requests to terminate during a batch: the batch finishes the borings in hand,
// starts no other, and says what was done.
#pragma once

namespace tavrimen::cli {

// From now on, an interrupt (Ctrl-C) or a request to terminate is noted instead of ending the
// process.
void CatchInterrupts();

// The signal that asked the process to stop (SIGINT or SIGTERM), or 0.
int InterruptSignal();

}  // namespace tavrimen::cli
