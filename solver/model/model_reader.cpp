#include "model/model_reader.h"

namespace zelk {

// Stand-in: skips model keywords until END.
void readModel(Model&, InputReader& reader) {
    while (reader.readKeyword(ModelKeywords) != 0) {
    }
}

}  // namespace zelk
