// Executes blocks of macro commands until the macro END.
#pragma once

#include <ostream>
#include <string>

#include "input/input_reader.h"
#include "model/model.h"

namespace zelk {

class MacroInterpreter {
public:
    MacroInterpreter(InputReader& reader, std::ostream& resultFile, Model& model);
    // mode is "BATCH" (commands from the input file) or "INTERACTIVE" (console).
    void run(const std::string& mode, bool echo);

private:
    InputReader& reader_;
    std::ostream& resultFile_;
    Model& model_;
};

}  // namespace zelk
