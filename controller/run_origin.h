// Who started a run: by hand, the interval timer, a schedule, the end of the session, or a
// medium inserted.
#pragma once

namespace tv {

enum class RunOrigin { Manual, Timer, Schedule, SessionEnd, Medium };

inline bool IsManual(RunOrigin origin) { return origin == RunOrigin::Manual; }

}  // namespace tv
