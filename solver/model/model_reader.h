// Reads the model section of the input file, up to and including its END,
// into the Model, and numbers the equations at that END. Every error is
// reported on the reader's diagnostics stream and ends the run (exit 1).
#pragma once

#include "input/input_reader.h"
#include "model/model.h"

namespace zelk {

void readModel(Model& model, InputReader& reader);

}  // namespace zelk
