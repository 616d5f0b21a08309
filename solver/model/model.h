// Stand-in model record until the model subsystem lands.
#pragma once

namespace zelk {

struct Model {};

}  // namespace zelk
