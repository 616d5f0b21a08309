// What SAVESTATE and RESUME ask of the next CALTIME.
#pragma once

#include <string>

namespace zelk {

inline constexpr const char* kDefaultRestartFileName = "ZELK.rst";

struct RestartPlan {
    int saveEvery = 0;                             // a restart file every saveEvery steps; 0: none
    std::string saveFile = kDefaultRestartFileName;
    std::string resumeFile;                        // start from this restart file; empty: from time 0
};

}  // namespace zelk
