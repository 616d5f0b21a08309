#include "driver/entry.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "driver/macro_interpreter.h"
#include "input/fatal_exit.h"
#include "input/input_reader.h"
#include "model/model_reader.h"

namespace zelk {

namespace {

// resultcard -> [RESULT name]   (any word whose first six letters are RESULT)
std::string readResultFileName(InputReader& reader) {
    if (reader.readUpperWord().starts_with("RESULT")) return reader.readWord();
    reader.unreadWord();
    return "ZELK.res";
}

// The top-level loop over END, BATCH, INTERACTIVE, STOP and ECHO.
void runTopLevel(InputReader& reader, std::ostream& resultFile, MacroInterpreter& interpreter) {
    bool echo = false;
    for (;;) {
        if (reader.consoleMode) std::cout << "ZELK :  " << std::flush;
        int keyword = reader.readKeyword(TopKeywords);
        if (echo) {
            resultFile << reader.echoLine() << "\n";
            std::cout << reader.echoLine() << "\n";
        }
        switch (keyword) {
            case kTopEnd:
                return;
            case kTopBatch:
                interpreter.run("BATCH", echo);
                break;
            case kTopInteractive:
                interpreter.run("INTERACTIVE", echo);
                break;
            case kTopStop:
                return;
            case kTopEcho: {
                const std::string& word = reader.readWord();
                echo = word.size() >= 2 && word[0] == 'O' && word[1] == 'N';
                break;
            }
            default:  // unknown: the reader has warned already
                break;
        }
    }
}

}  // namespace

int runSolver(int argc, const char* const* argv, bool endsProcess) {
    // 1. Command line.
    if (argc != 2) {
        std::cerr << "Usage : ZELK InputFileName \n";
        return 1;
    }
    // 2. Input file and the optional RESULT line.
    InputReader reader;
    reader.open(argv[1]);
    const std::string resultName = readResultFileName(reader);

    // 3. Result file, before any model is read.
    std::ofstream resultFile(resultName);
    if (!resultFile) {
        std::cerr << "*** Error ***: Result file " << resultName << " cannot be opened\n";
        fatalExit(1);
    }

    // 4. The model section.
    auto model = std::make_unique<Model>();
    readModel(*model, reader);

    // 5. Macro blocks. END and STOP both end here; every file is closed on the way out.
    MacroInterpreter interpreter(reader, resultFile, *model);
    runTopLevel(reader, resultFile, interpreter);
    interpreter.record().advice.reportNoAnalysis(std::cerr);
#ifndef ZELK_FREE_MODEL_AT_EXIT
    // The model holds a few lists per point and cell: freeing them one by one
    // costs a large model more than a step, while the system takes the whole
    // process back at once. A run stopped by an error frees it on the way out.
    if (endsProcess) static_cast<void>(model.release());
#endif
    return 0;
}

}  // namespace zelk
