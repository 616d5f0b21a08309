#include "driver/analysis_commands.h"

#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "analysis/dynamic_analysis.h"
#include "analysis/rigid_wall.h"
#include "driver/approximation_commands.h"
#include "driver/approximation_evaluator.h"
#include "input/fatal_exit.h"
#include "input/keyword_tables.h"
#include "meshless/mls_approximation.h"

namespace zelk {

namespace {

// The block's analysis, or null after writing "dyna not define!!!".
DynamicAnalysis* requireDynamics(MacroContext& context) {
    if (!context.dynamics) std::cout << "dyna not define!!!\n";
    return context.dynamics.get();
}


[[noreturn]] void gridWallError(const InputReader& reader, const std::string& what) {
    std::cout << "*** Error *** GridWall : " << what << " (line " << reader.lineNumber() << ")\n";
    fatalExit(1);
}

enum GridWallKeyword { kGridEnd = 0, kGridPlane = 1, kGridCylinder = 2 };

// The fields common to both walls, in input order up to the position.
void readAxisSidePosition(InputReader& reader, RigidWall& wall) {
    wall.axis = wallAxisFromWord(reader.readUpperWord());
    wall.side = reader.readInt();
    wall.position = reader.readReal();
}

}  // namespace

void handleDynamics(MacroContext& context) {
    const std::string scheme = context.record.reader.readWord();
    MlsApproximation& approximation = requireApproximation(context, "Dynamics");
    // A second DYNAMICS replaces the first; release the old one before building.
    context.dynamics.reset();
    ApproximationEvaluator evaluator(approximation);
    context.dynamics = std::make_unique<DynamicAnalysis>(evaluator, context.record.model, scheme);
}

void handleStepTime(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    const std::string word = context.record.reader.readUpperWord();
    context.setEquationText(word);
    dynamics->setStepLength(word, context.record.reader.readReal());
}

void handleInitV(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    InputReader& reader = context.record.reader;
    const double vx = reader.readReal();
    const double vy = reader.readReal();
    const double vz = reader.readReal();
    dynamics->setInitialVelocity(vx, vy, vz);
}

// Exactly the announced number of walls must come before ENDGRID; the walls
// replace the analysis's old ones only when the block is complete.
void handleGridWall(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    InputReader& reader = context.record.reader;
    const int count = reader.readInt();
    if (count < 0) gridWallError(reader, "negative wall count " + std::to_string(count));
    std::vector<std::unique_ptr<RigidWall>> walls;
    for (;;) {
        const int keyword = reader.readKeyword(GridWallKeywords);
        if (keyword == kGridEnd) break;
        if (keyword != kGridPlane && keyword != kGridCylinder) continue;  // the reader has warned
        if (static_cast<int>(walls.size()) == count)
            gridWallError(reader, "more wall lines than the count of " + std::to_string(count));
        if (keyword == kGridPlane) {
            auto wall = std::make_unique<PlaneWall>();
            readAxisSidePosition(reader, *wall);
            wall->wallVelocity = reader.readReal();
            wall->penaltyFactor = reader.readReal();
            walls.push_back(std::move(wall));
        } else {
            auto wall = std::make_unique<CylinderWall>();
            readAxisSidePosition(reader, *wall);
            wall->radius = reader.readReal();
            // A disc of no extent would never act, silently.
            if (!(wall->radius > 0.0)) gridWallError(reader, "the radius of a cylinder must be positive");
            wall->radialSide = reader.readInt();
            wall->wallVelocity = reader.readReal();
            wall->penaltyFactor = reader.readReal();
            walls.push_back(std::move(wall));
        }
    }
    if (static_cast<int>(walls.size()) != count)
        gridWallError(reader, std::to_string(walls.size()) + " wall lines before ENDGRID for a count of " +
                                  std::to_string(count));
    dynamics->setWalls(std::move(walls));
}

void handleCalTime(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    RestartPlan& restart = context.record.restart;
    const double tEnd = context.record.reader.readReal();
    const std::string resumeFile = std::exchange(restart.resumeFile, "");
    dynamics->runToTime(tEnd, {restart.saveEvery, restart.saveFile, resumeFile});
}

}  // namespace zelk
