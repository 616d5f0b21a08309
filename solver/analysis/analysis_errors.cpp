#include "analysis/analysis_errors.h"

#include <iostream>

#include "input/fatal_exit.h"

namespace zelk {

void analysisError(const std::string& command, const std::string& what) {
    std::cout << "*** Error *** " << command << " : " << what << "\n";
    fatalExit(1);
}

}  // namespace zelk
