// Materials named but never defined, wherever a name is read.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalogue_cases.h"

namespace {

using namespace catalogue;

Case undefined(const char* name, const std::string& input, const std::string& material, int line) {
    return {name, input, Stream::kError,
            "*** Error *** in line " + std::to_string(line) + " : Material " + material + " has not been defined ! \n",
            1};
}

std::vector<Case> materialCases() {
    const std::string onePoint = "NDM 3\nNUMMAT 1\nMATERIAL ISOELASTIC a 1 0.3 1\nNUMEVPOINT 1\nEVPOINT\n";
    return {
        undefined("CopyAllNamesAnother", replaced(kCubeModel, "COPY ALL steel", "COPY ALL iron"), "iron", 17),
        undefined("CellNamesAnother", replaced(kCubeModel, "DMCELL steel", "DMCELL iron"), "iron", 25),
        undefined("PointNamesAnother", onePoint + "POINT 0 0 0 b 1\n", "b", 6),
        // The slot of a misspelt material keyword stays empty, so its name is unknown later.
        {"MisspeltMaterialKeyword", replaced(kCubeModel, "ISOELASTIC steel 2e11 0.3 7800", "ISOELASTC steel 2e11 0.3 7800"),
         Stream::kError, "*** Error *** Material must be defined !\n", 1},
        // NUMMAT without its block: the cell's name finds only an empty slot.
        {"CellBeforeAnyMaterialBlock", "NDM 3\nNUMNP 8\nNUMMAT 1\nEFGDATA\nNCELL 1\nCELL POINT DMCELL steel\n",
         Stream::kError, "*** Error *** in line 6 : Material steel has not been defined ! \n", 1},
    };
}

TEST(CatalogueMaterials, UndefinedMaterials) { runCases(materialCases()); }

}  // namespace
