// ZELK: meshless explicit dynamics of solid bodies.
//
//   ZELK input.dat
//
// Reads the model and the macro command blocks from the input file and writes
// the result file, the time history and the node files of the run.
#include <exception>
#include <iostream>
#include <new>

#include "driver/entry.h"
#include "input/fatal_exit.h"

int main(int argc, char** argv) {
    try {
        return zelk::runSolver(argc, argv, /*endsProcess=*/true);
    } catch (const zelk::FatalExit& fatal) {
        return fatal.exitCode;
    } catch (const std::bad_alloc&) {
        std::cerr << "*** Error *** Out of memory\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "*** Error *** " << error.what() << "\n";
        return 1;
    }
}
