// What the macro command handlers work on.
//
// MacroRecord is the interpreter's own state: it lives as long as the
// interpreter, so what one RUN block sets (band, clock, later the
// approximation and the point set) holds in the next. MacroContext is one RUN
// block: it refers to the record and adds what lives only for the block.
// A command family that needs state of its own adds its field here: to the
// record if it must outlive the block, to the context otherwise.
#pragma once

#include <cstddef>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "analysis/dynamic_analysis.h"
#include "driver/clock.h"
#include "driver/input_advice.h"
#include "input/input_reader.h"
#include "meshless/mls_approximation.h"
#include "model/model.h"

namespace zelk {

struct MacroRecord {
    MacroRecord(InputReader& reader, std::ostream& resultFile, Model& model)
        : reader(reader), resultFile(resultFile), model(model) {}

    InputReader& reader;       // source of every command and argument
    std::ostream& resultFile;  // echoed lines and reports
    Model& model;
    Clock clock;               // the TIMER stopwatch, not started
    bool band = true;          // LEAST/DIRECT choose the band variants of the equation types
    // Created by MLS, MFLS or LSQ (each replaces the previous one); none before.
    std::unique_ptr<MlsApproximation> approximation;
    std::vector<EvPoint> pointSet;  // built by POINT; replaced by the next POINT
    InputAdvice advice;             // notes on rejected and unused input, over all blocks
};

struct MacroContext {
    // The equation and check text holds at most this many characters.
    static constexpr std::size_t kEquationTextLength = 19;

    explicit MacroContext(MacroRecord& record) : record(record) {}

    // Keeps the first kEquationTextLength characters of the text.
    void setEquationText(const std::string& text) { equationText = text.substr(0, kEquationTextLength); }

    MacroRecord& record;
    // Chosen by CHECK, TANGENT, LEAST, DIRECT, EFGM, GCMM (and the words of
    // BAND); kept for the block only, nothing reads it.
    std::string equationText;
    bool ended = false;  // set by END: the block is over
    // The run's dynamic analysis: created by DYNAMICS (a second one replaces
    // it), used by STEPTIME, INITV, GRIDWALL and CALTIME; none at the start of a block.
    std::unique_ptr<DynamicAnalysis> dynamics;
};

}  // namespace zelk
