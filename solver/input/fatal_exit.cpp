#include "fatal_exit.h"

#include <iostream>

namespace zelk {

void fatalExit(int exitCode) {
    std::cout.flush();
    std::cerr.flush();
    throw FatalExit{exitCode};
}

}  // namespace zelk
