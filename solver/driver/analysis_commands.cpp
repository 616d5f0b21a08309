#include "driver/analysis_commands.h"

#include <iostream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "analysis/analysis_errors.h"
#include "analysis/dynamic_analysis.h"
#include "analysis/rigid_wall.h"
#include "driver/approximation_commands.h"
#include "driver/approximation_evaluator.h"
#include "driver/body_evaluator.h"
#include "driver/contact_commands.h"
#include "input/fatal_exit.h"
#include "input/keyword_tables.h"
#include "meshless/mls_approximation.h"

namespace zelk {

DynamicAnalysis* requireDynamics(MacroContext& context) {
    if (!context.dynamics) {
        std::cout << "dyna not define!!!\n";
        context.record.advice.warned(context.record.reader);
    }
    return context.dynamics.get();
}

void commandLineError(const InputReader& reader, const std::string& command, const std::string& what) {
    analysisError(command, what + " (line " + std::to_string(reader.lineNumber()) + ")");
}

namespace {

[[noreturn]] void gridWallError(const InputReader& reader, const std::string& what) {
    commandLineError(reader, "GridWall", what);
}

enum GridWallKeyword { kGridEnd = 0, kGridPlane = 1, kGridCylinder = 2, kGridContact = 3, kGridHistory = 4 };

// The fields common to both walls, in input order up to the position.
void readAxisSidePosition(InputReader& reader, RigidWall& wall) {
    const std::string axis = reader.readUpperWord();
    if (axis.empty() || std::string_view("XYZ").find(axis[0]) == std::string_view::npos)
        reader.diagnostics() << "*** Warning *** GRIDWALL : wall axis " << axis << " in line " << reader.lineNumber()
                             << " taken as X; the axis words are X, Y and Z\n";
    wall.axis = wallAxisFromWord(axis);
    wall.side = reader.readInt();
    wall.position = reader.readReal();
}

// CONTACT DAMPED [alpha [xi]] (the default law) or CONTACT PENALTY; the law
// word is compared on four characters.
void readWallContact(InputReader& reader, WallContact& kind, ContactLaw& law) {
    if (reader.fieldsLeft() == 0) gridWallError(reader, "the CONTACT line needs a law (DAMPED or PENALTY)");
    const std::string word = reader.readUpperWord();
    if (word.compare(0, 4, "PENA") == 0) {
        kind = WallContact::Penalty;
        return;
    }
    if (word.compare(0, 4, "DAMP") != 0)
        gridWallError(reader, "unknown contact law \"" + word + "\" (DAMPED or PENALTY)");
    kind = WallContact::Damped;
    readDampedLawConstants(reader, law, "GridWall");
}

}  // namespace

void handleDynamics(MacroContext& context) {
    const std::string scheme = context.record.reader.readWord();
    MlsApproximation& approximation = requireApproximation(context, "Dynamics");
    // A second DYNAMICS replaces the first; release the old one before building.
    context.dynamics.reset();
    Model& model = context.record.model;
    const int bodies = model.bodyCount();
    if (bodies > 1) {
        BodyEvaluator evaluator(approximation, model.nodes, bodies);
        context.dynamics = std::make_unique<DynamicAnalysis>(evaluator, model, scheme);
        return;
    }
    ApproximationEvaluator evaluator(approximation);
    context.dynamics = std::make_unique<DynamicAnalysis>(evaluator, model, scheme);
    context.record.advice.noteUnusedInput(model, std::cerr);
}

void handleStepTime(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    const std::string word = context.record.reader.readUpperWord();
    context.setEquationText(word);
    // Only the exact words CONST and STRETCH are read as such; CONSTANT, STRETCHED
    // and the like give the Jacobian step, so a near miss is worth a warning.
    if ((word.starts_with("CON") && word != "CONST") || (word.starts_with("STR") && word != "STRETCH"))
        context.record.reader.diagnostics()
            << "*** Warning *** STEPTIME : " << word << " gives a step that shrinks with the Jacobian; "
            << "the words are CONST (constant step), STRETCH (shrinking with the Jacobian and the stretch) "
            << "or another word such as VARIABLE (shrinking step)\n";
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
    // Each GRIDWALL block sets the contact law and the history anew.
    WallContact kind = WallContact::Damped;
    ContactLaw law;
    std::string history;
    for (;;) {
        const int keyword = reader.readKeyword(GridWallKeywords);
        if (keyword == kGridEnd) break;
        if (keyword == kGridContact) {
            readWallContact(reader, kind, law);
            continue;
        }
        if (keyword == kGridHistory) {
            if (reader.fieldsLeft() == 0) gridWallError(reader, "the HISTORY line needs a file name");
            history = reader.readWord();
            continue;
        }
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
    dynamics->wallContact = kind;
    dynamics->contactLaw = law;
    dynamics->wallHistoryFile = history;
}

void handleCalTime(MacroContext& context) {
    DynamicAnalysis* dynamics = requireDynamics(context);
    if (!dynamics) return;
    context.record.advice.analysisRan();
    RestartPlan& restart = context.record.restart;
    const double tEnd = context.record.reader.readReal();
    const std::string resumeFile = std::exchange(restart.resumeFile, "");
    dynamics->runToTime(tEnd, {restart.saveEvery, restart.saveFile, resumeFile});
}

}  // namespace zelk
