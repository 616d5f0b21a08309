// A 3 x 3 tensor in plain storage: t[i][j], row i, column j.
#pragma once

#include <array>

namespace zelk {

using Tensor3 = std::array<std::array<double, 3>, 3>;

}  // namespace zelk
