// Read-only view of the node table for the spatial index.
//
// The index reads coordinates only through this adaptor, so it does not
// depend on how the model stores its nodes.
#pragma once

#include <span>

#include "model/model.h"

namespace zelk {

class NodeTableAdaptor {
public:
    explicit NodeTableAdaptor(std::span<const Node> nodes) : nodes_(nodes) {}

    int count() const { return static_cast<int>(nodes_.size()); }
    // Coordinates of node i (0-based).
    const Point& at(int i) const { return nodes_[static_cast<std::size_t>(i)]; }

private:
    std::span<const Node> nodes_;
};

}  // namespace zelk
