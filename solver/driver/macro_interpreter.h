// Executes blocks of macro commands until the macro END.
//
// One interpreter lives for the whole run, so what a block sets (band, clock,
// and the approximation once it exists) holds in the next block.
#pragma once

#include <ostream>
#include <string>

#include "driver/macro_context.h"
#include "input/input_reader.h"
#include "model/model.h"

namespace zelk {

class MacroInterpreter {
public:
    MacroInterpreter(InputReader& reader, std::ostream& resultFile, Model& model);
    // mode "BATCH" reads commands from the input file, "INTERACTIVE" from the
    // console with the prompt "RUN :   "; the reader stays switched afterwards.
    // With echo set, every command line goes to the result file and standard output.
    void run(const std::string& mode, bool echo);

    const MacroRecord& record() const { return record_; }

private:
    MacroRecord record_;
};

}  // namespace zelk
