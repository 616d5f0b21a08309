#include "driver/approximation_commands.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>

#include "input/fatal_exit.h"

namespace zelk {

namespace {


void createApproximation(MacroContext& context, const char* type) {
    MacroRecord& record = context.record;
    record.approximation.reset();  // the old one (and its DEBUG.OUT) goes first
    record.approximation = std::make_unique<MlsApproximation>(record.model.nodes, type);
}

// POINT INPUT file: count, then x y z material value per point.
void readPointFile(MacroContext& context) {
    MacroRecord& record = context.record;
    const std::string name = record.reader.readWord();
    std::ifstream file(name);
    if (!file) {
        std::cerr << "*** Error ***: File " << name << " not found !\n" << "Program stops.\n";
        fatalExit(1);
    }
    int count = 0;
    file >> count;
    if (!file || count < 0) count = 0;
    record.pointSet.assign(static_cast<std::size_t>(count), EvPoint{});
    for (EvPoint& point : record.pointSet) {
        std::string material;
        file >> point.x >> point.y >> point.z >> material >> point.pointValue;
        point.materialName = material;
        const int index = record.model.findMaterial(material, record.reader.lineNumber());
        point.placeIn(*record.model.materials[static_cast<std::size_t>(index)]);
    }
}

}  // namespace

MlsApproximation& requireApproximation(MacroContext& context, const char* label) {
    if (!context.record.approximation) {
        std::cerr << "*** Error *** " << label << " : APPROX must be defined first !\n";
        fatalExit(1);
    }
    return *context.record.approximation;
}

void handleMls(MacroContext& context) { createApproximation(context, "MLS Approximation"); }
void handleMfls(MacroContext& context) { createApproximation(context, "MFLS Approximation"); }
void handleLsq(MacroContext& context) { createApproximation(context, "LSQ Approximation"); }

void handleGeInflPts(MacroContext& context) { requireApproximation(context, "Scale"); }

void handleBasis(MacroContext& context) {
    const std::string name = context.record.reader.readUpperWord();
    requireApproximation(context, "Basis").setBasis(name);
}

void handleWeight(MacroContext& context) {
    MlsApproximation& approx = requireApproximation(context, "Weight");
    const std::string type = context.record.reader.readUpperWord();
    const double parameter = context.record.reader.readReal();
    approx.setWeight(type, parameter);
}

void handleScale(MacroContext& context) {
    MlsApproximation& approx = requireApproximation(context, "Scale");
    const double scale = context.record.reader.readReal();
    if (approx.approxType.compare(0, 3, "RBF") != 0) approx.setScale(scale);
}

void handleDebug(MacroContext& context) {
    const std::string word = context.record.reader.readUpperWord();
    requireApproximation(context, "Debug").setDebug(word);
}

void handleCBasis(MacroContext& context) { requireApproximation(context, "CBasis").setCBasis(); }
void handleSinWe(MacroContext& context) { requireApproximation(context, "SingularWeight").setSingularWeight(); }
void handleSinChe(MacroContext& context) { requireApproximation(context, "SingularCheck").setSingularCheck(); }

// The list never holds more than every node, so a capacity beyond both the
// node count and the default is refused before it is allocated.
void handleMaxInflPt(MacroContext& context) {
    const int count = context.record.reader.readInt();
    MlsApproximation& approximation = requireApproximation(context, "MaxInflPt");
    const int limit = std::max(approximation.nodeCount(), MlsApproximation::kDefaultMaxInflPts);
    if (count > limit) {
        std::cerr << "*** Error *** MaxInflPt : " << count << " out of range 0 to " << limit << "\n";
        fatalExit(1);
    }
    if (count < 0)
        std::cerr << "*** Warning *** MAXINFLPT : " << count << " is below 0 and taken as 0, the number of nodes;"
                  << " the values are 0 (the number of nodes) or a capacity from 1 to " << limit << "\n";
    approximation.setMaxInflPts(count);
}

void handleSupportRegion(MacroContext& context) {
    const std::string word = context.record.reader.readWord();
    context.setEquationText(word);
    requireApproximation(context, "SupportRegion").setSupportRegion(word);
}

void handleInfle(MacroContext& context) {
    MlsApproximation& approx = requireApproximation(context, "InflDomain");
    InputReader& reader = context.record.reader;
    const std::string type = reader.readUpperWord();
    approx.setInfluenceDomain(type);  // a box region with a type other than FIX ends here
    if (type.compare(0, 3, "FIX") == 0) {
        if (approx.settings.boxSupport()) {
            const double sx = reader.readReal();
            const double sy = reader.readReal();
            const double sz = reader.readReal();
            approx.setFixedSupport(sx, sy, sz);
        } else {
            const double r = reader.readReal();
            approx.setFixedSupport(r, r, r);
        }
    } else {
        approx.setSupportCount(reader.readInt());
    }
}

void handlePoint(MacroContext& context) {
    MacroRecord& record = context.record;
    record.pointSet.clear();
    const std::string word = record.reader.readUpperWord();
    if (word.compare(0, 5, "INPUT") == 0) {
        readPointFile(context);
    } else if (word.compare(0, 7, "EVPOINT") == 0) {
        record.pointSet = record.model.evPoints;
    } else if (word.compare(0, 4, "LINE") == 0) {
        // No points.
    } else {
        std::cerr << "*** Error *** Point : Invalid parameter !\n"
                  << "              Line Number : " << record.reader.lineNumber() << "\n";
        fatalExit(1);
    }
}

}  // namespace zelk
