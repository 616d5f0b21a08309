#include "model/model.h"

#include <algorithm>
#include <iostream>

#include "input/fatal_exit.h"
#include "model/prefault.h"

namespace zelk {

namespace {

// Replaces a table by count fresh records and stores the count.
template <typename Record>
void sizeTable(std::vector<Record>& table, int& countField, int count) {
    table.clear();
    table.shrink_to_fit();
    resizeFresh(table, static_cast<std::size_t>(count));
    countField = count;
}

}  // namespace

void Model::sizeEvPoints(int count) { sizeTable(evPoints, NUMEVPOINT, count); }
void Model::sizeNodes(int count) { sizeTable(nodes, NUMNP, count); }
void Model::sizeDispBCs(int count) { sizeTable(dispBCs, NDISP, count); }
void Model::sizeLoads(int count) { sizeTable(loads, NLOAD, count); }
void Model::sizeSideLoads(int count) { sizeTable(sideLoads, NSLOAD, count); }
void Model::sizeSideDomains(int count) { sizeTable(sideDomains, NSDOMA, count); }
void Model::sizeCells(int count) { sizeTable(cells, NCELL, count); }

void Model::sizeMaterials(int count) {
    for (auto& material : materials)
        if (material) retiredMaterials_.push_back(std::move(material));
    materials.clear();
    materials.resize(static_cast<std::size_t>(count));
    NUMMAT = count;
}

int Model::findMaterial(const std::string& name, int lineNumber) const {
    return findMaterial(name, lineNumber, std::cerr);
}

int Model::findMaterial(const std::string& name, int lineNumber, std::ostream& diagnostics) const {
    for (std::size_t i = 0; i < materials.size(); ++i)
        if (materials[i] && materials[i]->name == name) return static_cast<int>(i);
    diagnostics << "*** Error *** in line " << lineNumber << " : Material " << name << " has not been defined ! \n";
    fatalExit(1);
}

int Model::bodyCount() const {
    int largest = 0;
    for (const Node& node : nodes) largest = std::max(largest, node.body);
    return largest + 1;
}

void Model::numberEquations() {
    for (const NodalBC& bc : dispBCs) {
        // A record that names no node of the table (a later NUMNP shrank it) removes nothing.
        if (bc.node < 0 || bc.node >= static_cast<int>(nodes.size())) continue;
        for (int d = 0; d < 3; ++d)
            if (bc.code[d] == -1) nodes[bc.node].dof[d] = 0;
    }
    numEquations = 0;
    for (Node& node : nodes)
        for (int& dof : node.dof) dof = (dof == 1) ? ++numEquations : 0;
}

void Model::renumberReduced(bool reduced) {
    reducedDof = reduced;
    if (!reduced) return;
    int counter = 0;
    int removed = 0;
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        Node& node = nodes[i];
        const NodalBC* bound = nullptr;
        if (node.nodeFlag == 1) {
            for (const NodalBC& bc : dispBCs) {
                if (bc.node == static_cast<int>(i)) {
                    bound = &bc;
                    break;
                }
            }
        }
        if (bound) {
            for (int d = 0; d < 3; ++d) {
                if (bound->code[d] == 0) {
                    ++removed;
                    node.dof[d] = 0;
                } else {
                    node.dof[d] = ++counter;
                }
            }
        } else {
            // Unflagged nodes, and flagged nodes without a BOUND record, get three
            // fresh numbers: keeping their old ones could repeat other nodes' numbers.
            for (int& dof : node.dof) dof = ++counter;
        }
    }
    numEquations = 3 * NUMNP - removed;
}

}  // namespace zelk
