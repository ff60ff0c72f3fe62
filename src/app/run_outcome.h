#pragma once

namespace akt {

// How the last update run ended, which is what the process tells its caller when it ends. An
// installer starts create mode and has nothing else to go by.
enum class RunOutcome {
    None,          // no run has begun
    Running,       // a run is active (the window closed under it)
    Complete,      // every listed script ran to its end
    ScriptStopped, // a script stopped early at a failed or unreadable statement, or was skipped
    CutShort,      // creation, connection, backup, restore or an unexpected error ended the run
};

// 0 every script ran to its end (or, in update mode, no run happened); 2 a script stopped early;
// 3 the run was cut short, or create mode ended without a finished run. (1, a missing client
// library, is decided before any window exists.)
int exitCodeFor(RunOutcome outcome, bool createMode);

} // namespace akt
