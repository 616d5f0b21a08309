// Reads the model section of the input file, up to and including its END.
#pragma once

#include "input/input_reader.h"
#include "model/model.h"

namespace zelk {

void readModel(Model& model, InputReader& reader);

}  // namespace zelk
