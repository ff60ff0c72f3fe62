#include "app/run_outcome.h"

namespace akt {

int exitCodeFor(RunOutcome outcome, bool createMode) {
    switch (outcome) {
    case RunOutcome::None:
        // Create mode exists to leave a complete database behind; ending without a run did not.
        return createMode ? 3 : 0;
    case RunOutcome::Complete:
        return 0;
    case RunOutcome::ScriptStopped:
        return 2;
    case RunOutcome::Running:
    case RunOutcome::CutShort:
        return 3;
    }
    return 3;
}

} // namespace akt
