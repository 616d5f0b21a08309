// The model section, one reader per keyword of ModelKeywords, EfgDataKeywords
// and EvPointKeywords. Each reader starts with its card layout; "..." means
// the fields may run on over any number of lines.
#include "model/model_reader.h"

#include <array>
#include <climits>
#include <ostream>
#include <sstream>
#include <string>
#include <tuple>

#include "input/fatal_exit.h"

namespace zelk {

namespace {

// True when text begins with the first length characters of pattern (case-sensitive).
bool startsWith(const std::string& text, const char* pattern, std::size_t length) {
    return text.compare(0, length, pattern, length) == 0;
}

class ModelReader {
public:
    ModelReader(Model& model, InputReader& reader) : model_(model), reader_(reader) {}

    void run() {
        static_assert(std::tuple_size_v<decltype(kModelCards)> == static_cast<std::size_t>(ModelKeywords.count()));
        while (!finished_) {
            int keyword = reader_.readKeyword(ModelKeywords);
            if (keyword < 0) continue;  // the reader has warned
            (this->*kModelCards[static_cast<std::size_t>(keyword)])();
        }
    }

private:
    using Card = void (ModelReader::*)();

    // One reader per entry of ModelKeywords, in table order.
    static const std::array<Card, 22> kModelCards;

    // ---- helpers ---------------------------------------------------------

    std::ostream& diagnostics() const { return reader_.diagnostics(); }

    // An error of the model input without location lines, then exit 1.
    [[noreturn]] void failPlain(const std::string& message) const {
        diagnostics() << "*** Error *** " << message << "\n";
        fatalExit(1);
    }

    // An error followed by the file name and line number, then exit 1.
    [[noreturn]] void failHere(const std::string& message) const {
        diagnostics() << "*** Error *** " << message << "\n";
        reader_.printLocationUnlessConsole();
        fatalExit(1);
    }

    template <typename Value>
    [[noreturn]] void failOutOfRange(const std::string& what, Value value, long long low, long long high) const {
        std::ostringstream message;
        message << what << " " << value << " out of range " << low << " to " << high;
        failHere(message.str());
    }

    // An integer in 0..maximum, named in the error by what.
    int readCount(const std::string& what, int maximum) {
        int count = reader_.readInt();
        if (count < 0 || count > maximum) failOutOfRange(what, count, 0, maximum);
        return count;
    }

    // A 1-based node number of the node table, returned 0-based.
    int readNodeIndex() {
        int number = reader_.readInt();
        if (number < 1 || number > model_.NUMNP) failOutOfRange("Node number", number, 1, model_.NUMNP);
        return number - 1;
    }

    // NDM reals into x, y, z in that order; the others keep their values.
    void readCoordinates(Point& point) {
        double* coordinates[3] = {&point.x, &point.y, &point.z};
        for (int d = 0; d < model_.NDM; ++d) *coordinates[d] = reader_.readReal();
    }

    // A material name looked up in the model's materials (fatal when unknown).
    const Material& readMaterialName() {
        const std::string name = reader_.readWord();
        return *model_.materials[static_cast<std::size_t>(
            model_.findMaterial(name, reader_.lineNumber(), diagnostics()))];
    }

    // BOUND, LOAD and EVPOINT refer to materials: at least one must exist.
    void requireFirstMaterial() const {
        if (model_.NUMMAT == 0 || !model_.materials[0]) failPlain("Material must be defined !");
    }

    // A fresh evaluation point of the material: the state starts from the material's.
    static EvPoint placedPoint(const Material& material, double pointValue) {
        EvPoint point;
        point.pointValue = pointValue;
        point.placeIn(material);
        return point;
    }

    // ---- model keywords --------------------------------------------------

    // END : numbers the equations and ends the model section.
    void endCard() {
        model_.numberEquations();
        finished_ = true;
    }

    // ZELK title words...   (the rest of the line, or the whole next line)
    void titleCard() { model_.title = reader_.readRestOfLine().substr(0, Model::kTitleLength); }

    // NDM n   with n = 1, 2 or 3
    void ndmCard() {
        int ndm = reader_.readInt();
        if (ndm < 1 || ndm > 3) failOutOfRange("NDM", ndm, 1, 3);
        model_.NDM = ndm;
    }

    // NUMNP n
    void numnpCard() { model_.sizeNodes(readCount("NUMNP", maxTableCount<Node>())); }
    // NUMEVPOINT n
    void numevpointCard() { model_.sizeEvPoints(readCount("NUMEVPOINT", maxTableCount<EvPoint>())); }
    // NUMMAT n
    void nummatCard() { model_.sizeMaterials(readCount("NUMMAT", maxTableCount<Material>())); }
    // NDF n
    void ndfCard() { model_.NDF = readCount("NDF", INT_MAX); }
    // NDISP n
    void ndispCard() { model_.sizeDispBCs(readCount("NDISP", maxTableCount<NodalBC>())); }
    // NLOAD n
    void nloadCard() { model_.sizeLoads(readCount("NLOAD", maxTableCount<NodalBC>())); }
    // NSLOAD n
    void nsloadCard() { model_.sizeSideLoads(readCount("NSLOAD", maxTableCount<SideLoad>())); }
    // NSDOMA n
    void nsdomaCard() { model_.sizeSideDomains(readCount("NSDOMA", maxTableCount<SideDomain>())); }
    // VOID, SIDEDOMA : accepted, no effect.
    void voidCard() {}

    // NODE { number x [y [z]] flag }...   until the node numbered NUMNP
    void nodeCard() {
        if (model_.NDM == 0) failPlain("NDM must be defined !");
        if (model_.NUMNP == 0) failPlain("NUMBP must be defined !");
        for (;;) {
            int index = readNodeIndex();
            Node& node = model_.nodes[static_cast<std::size_t>(index)];
            readCoordinates(node);
            node.dof = {1, 1, 1};
            node.nodeFlag = reader_.readInt();
            if (index == model_.NUMNP - 1) break;
        }
        model_.nodesRead = true;
    }

    // BODY body first last   nodes first..last (1-based) belong to the body (1-based);
    // nodes that no BODY line names stay in body 1
    void bodyCard() {
        if (model_.NUMNP == 0) failPlain("NUMNP must be defined !");
        const int body = reader_.readInt();
        if (body < 1 || body > model_.NUMNP) failOutOfRange("Body number", body, 1, model_.NUMNP);
        const int first = readNodeIndex();
        const int last = readNodeIndex();
        if (last < first) failOutOfRange("Last node", last + 1, first + 1, model_.NUMNP);
        for (int i = first; i <= last; ++i) model_.nodes[static_cast<std::size_t>(i)].body = body - 1;
    }

    // BOUND { node code... value... }   NDISP lines, NDM codes and NDM values each
    void boundCard() {
        if (model_.NDISP == 0) failPlain("NEFGDISP must be defined !");
        readNodalBCs(model_.dispBCs);
        model_.dispBCsRead = true;
    }

    // LOAD { node code... value... }   NLOAD lines, NDM codes and NDM values each
    void loadCard() {
        if (model_.NLOAD == 0) failPlain("NLOAD must be defined !");
        readNodalBCs(model_.loads);
        model_.loadsRead = true;
    }

    void readNodalBCs(std::vector<NodalBC>& table) {
        requireFirstMaterial();
        for (NodalBC& bc : table) {
            bc.node = readNodeIndex();
            for (int d = 0; d < model_.NDM; ++d) bc.code[static_cast<std::size_t>(d)] = reader_.readInt();
            for (int d = 0; d < model_.NDM; ++d) bc.value[static_cast<std::size_t>(d)] = reader_.readReal();
        }
    }

    // MATERIAL { ISOELASTIC name E nu rho0 | ISOELA_PLA_HYD name E nu rho0 Et yield0 }   NUMMAT entries
    void materialCard() {
        if (model_.NUMMAT == 0) failPlain("NUMMAT must be defined !");
        for (int entry = 0; entry < model_.NUMMAT; ++entry) {
            int keyword = reader_.readKeyword(MaterialKeywords);
            if (keyword < 0) continue;  // counts as an entry, fills no slot
            auto material = std::make_unique<Material>();
            material->type = keyword == 0 ? kIsoElasticType : kIsoElaPlaHydType;
            material->name = reader_.readWord();
            material->youngsModulus = reader_.readReal();
            material->poissonRatio = reader_.readReal();
            material->density0 = reader_.readReal();
            if (keyword == 1) {
                material->tangentModulus = reader_.readReal();
                material->yieldStress0 = reader_.readReal();
            }
            checkMaterial(*material, /*plastic=*/keyword == 1);
            storeMaterial(std::move(material));
        }
    }

    // Values that would divide by zero or give meaningless constants in the stress update.
    void checkMaterial(const Material& material, bool plastic) const {
        auto fail = [&](const char* what, double value) {
            std::ostringstream message;
            message << "Material " << material.name << " : " << what << " : " << value;
            failHere(message.str());
        };
        if (!(material.youngsModulus > 0.0)) fail("Young's modulus must be positive", material.youngsModulus);
        if (!(material.poissonRatio > -1.0 && material.poissonRatio < 0.5))
            fail("Poisson's ratio must lie strictly between -1 and 0.5", material.poissonRatio);
        if (!(material.density0 > 0.0)) fail("density must be positive", material.density0);
        if (plastic) {
            if (!(material.tangentModulus < material.youngsModulus))
                fail("tangent modulus must be less than Young's modulus", material.tangentModulus);
            if (!(material.yieldStress0 >= 0.0)) fail("yield stress must not be negative", material.yieldStress0);
        }
    }

    // Into the next free slot; a second MATERIAL block cannot write past NUMMAT.
    void storeMaterial(std::unique_ptr<Material> material) {
        for (auto& slot : model_.materials) {
            if (!slot) {
                slot = std::move(material);
                return;
            }
        }
        std::ostringstream message;
        message << "Too many materials inputed, NUMMAT = " << model_.NUMMAT;
        failHere(message.str());
    }

    // PLANE STRESS | PLANE STRAIN   (first six characters compared)
    void planeCard() {
        const std::string word = reader_.readWord();
        model_.planeType = word.substr(0, Model::kPlaneTypeLength);
        if (!startsWith(word, "STRESS", 6) && !startsWith(word, "STRAIN", 6)) {
            diagnostics() << "Error command in line : " << reader_.lineNumber() << "\n";
            fatalExit(1);
        }
    }

    // SIDELOAD { SIDENODE m { node code code code value value value }... | other }   NSLOAD records
    void sideloadCard() {
        for (SideLoad& sideLoad : model_.sideLoads) {
            const std::string word = reader_.readWord();
            sideLoad.entries.clear();
            if (!startsWith(word, "SIDENODE", 8)) continue;
            int count = readCount("SIDENODE", maxTableCount<SideLoadEntry>());
            sideLoad.entries.resize(static_cast<std::size_t>(count));
            for (SideLoadEntry& entry : sideLoad.entries) {
                entry.node = readNodeIndex();
                for (int& code : entry.code) code = reader_.readInt();
                for (double& value : entry.value) value = reader_.readReal();
            }
        }
        model_.sideLoadsRead = true;
    }

    // ---- evaluation points -----------------------------------------------

    // EVPOINT { POINT ... | COPY ... | LINE }... ENDEVPOINT
    void evpointCard() {
        if (model_.NUMEVPOINT == 0) failPlain("NUMEVPOINT must be defined !");
        requireFirstMaterial();
        pointCount_ = 0;
        for (;;) {
            switch (reader_.readKeyword(EvPointKeywords)) {
                case 0:  // ENDEVPOINT
                    if (pointCount_ >= model_.NUMEVPOINT) {
                        model_.evPointsRead = true;
                        return;
                    }
                    diagnostics() << "*** Error *** Too few evaluation points inputed\n"
                                  << "    Required : " << model_.NUMEVPOINT << "\n"
                                  << "    Inputed  : " << pointCount_ << "\n";
                    pointCountHint();
                    fatalExit(1);
                case 1:
                    copyPoints();
                    break;
                case 2:
                    readPoint();
                    break;
                default:  // LINE: accepted, no effect; unknown words: the reader has warned
                    break;
            }
        }
    }

    // The next free evaluation point; "Too many" when NUMEVPOINT are given already.
    EvPoint& nextPoint() {
        if (pointCount_ >= model_.NUMEVPOINT) {
            diagnostics() << "*** Error *** Too many evaluation points inputed in line : " << reader_.lineNumber()
                          << "\n";
            pointCountHint();
            fatalExit(1);
        }
        return model_.evPoints[static_cast<std::size_t>(pointCount_++)];
    }

    // Names the two counts that must agree for COPY ALL, the usual cause of both count errors.
    void pointCountHint() const {
        diagnostics() << "    Hint : NUMEVPOINT is " << model_.NUMEVPOINT << " and NUMNP is " << model_.NUMNP
                      << "; COPY ALL adds one point per node, so with it NUMEVPOINT must equal NUMNP,"
                      << " and NUMNP must be the number of the last node of the NODE block\n";
    }

    // POINT x [y [z]] material value
    void readPoint() {
        EvPoint& point = nextPoint();
        Point position;
        readCoordinates(position);
        const Material& material = readMaterialName();
        point = placedPoint(material, reader_.readReal());
        static_cast<Point&>(point) = position;
    }

    // COPY ALL material value
    // COPY FROMTO first last step material value   (step 0 means 1)
    void copyPoints() {
        const std::string range = reader_.readWord();
        long long first = 1, last = model_.NUMNP, step = 1;
        bool valid = true;
        if (range == "FROMTO") {
            first = reader_.readInt();
            last = reader_.readInt();
            step = reader_.readInt();
            if (step == 0) step = 1;
        } else if (range != "ALL") {
            diagnostics() << "*** Warning *** EvPoint : Invalid COPY parameter !";
            valid = false;
        }
        const Material& material = readMaterialName();
        double pointValue = reader_.readReal();
        if (!valid) return;  // a line without a valid range adds no points

        long long count = (last - first) / step + 1;
        if (count < 1) count = 1;
        for (long long j = 0; j < count; ++j) {
            long long number = first + j * step;
            EvPoint& point = nextPoint();
            if (number < 1 || number > model_.NUMNP) failOutOfRange("Node number", number, 1, model_.NUMNP);
            point = placedPoint(material, pointValue);
            static_cast<Point&>(point) = model_.nodes[static_cast<std::size_t>(number - 1)];
            point.sourceNode = static_cast<int>(number - 1);
        }
    }

    // ---- background cells ------------------------------------------------

    // EFGDATA { NCELL n | CELL ... | NINTX n | NINTY n | NINTZ n }... ENDEFG
    void efgdataCard() {
        for (;;) {
            switch (reader_.readKeyword(EfgDataKeywords)) {
                case 0:
                    return;
                case 1:
                    model_.sizeCells(readCount("NCELL", maxTableCount<Cell>()));
                    break;
                case 2:
                    readCells();
                    break;
                case 3:
                    model_.NINTX = readCount("NINTX", INT_MAX);
                    break;
                case 4:
                    model_.NINTY = readCount("NINTY", INT_MAX);
                    break;
                case 5:
                    model_.NINTZ = readCount("NINTZ", INT_MAX);
                    break;
                default:  // the reader has warned
                    break;
            }
        }
    }

    // CELL POINT { BDCELL|DMCELL material x1 y1 z1 ... x8 y8 z8 }   NCELL cells
    // CELL NODE  { BDCELL|DMCELL material n1 ... n8 }               NCELL cells
    void readCells() {
        const std::string mode = reader_.readWord();
        for (Cell& cell : model_.cells) {
            const std::string kind = reader_.readWord();
            if (startsWith(kind, "BDCELL", 4))
                cell.boundaryCell = true;
            else if (startsWith(kind, "DMCELL", 4))
                cell.boundaryCell = false;
            else
                diagnostics() << "*** Warning *** CELL : cell kind " << kind << " in line " << reader_.lineNumber()
                              << " is neither BDCELL nor DMCELL; the cell keeps its kind ("
                              << (cell.boundaryCell ? "BDCELL" : "DMCELL") << ")\n";
            cell.material = &readMaterialName();
            if (startsWith(mode, "POINT", 5)) {
                cell.nodeNumbers.clear();
                for (Point& corner : cell.corners) {
                    corner.x = reader_.readReal();
                    corner.y = reader_.readReal();
                    corner.z = reader_.readReal();
                }
            } else if (startsWith(mode, "NODE", 4)) {
                cell.nodeNumbers.assign(8, 0.0);
                for (std::size_t c = 0; c < 8; ++c) {
                    int index = readNodeIndex();
                    cell.nodeNumbers[c] = index;
                    cell.corners[c] = model_.nodes[static_cast<std::size_t>(index)];
                }
            } else {
                reader_.invalidKeyword(mode);
            }
        }
    }

    Model& model_;
    InputReader& reader_;
    bool finished_ = false;
    int pointCount_ = 0;  // evaluation points given so far in the current EVPOINT block
};

// ORDER ModelKeywords
const std::array<ModelReader::Card, 22> ModelReader::kModelCards = {
    &ModelReader::endCard,     &ModelReader::titleCard,    &ModelReader::ndmCard,
    &ModelReader::numnpCard,   &ModelReader::numevpointCard, &ModelReader::nummatCard,
    &ModelReader::ndfCard,     &ModelReader::ndispCard,    &ModelReader::nloadCard,
    &ModelReader::nodeCard,    &ModelReader::evpointCard,  &ModelReader::materialCard,
    &ModelReader::boundCard,   &ModelReader::loadCard,     &ModelReader::planeCard,
    &ModelReader::voidCard,    &ModelReader::nsloadCard,   &ModelReader::sideloadCard,
    &ModelReader::efgdataCard, &ModelReader::nsdomaCard,   &ModelReader::voidCard,
    &ModelReader::bodyCard};

}  // namespace

void readModel(Model& model, InputReader& reader) { ModelReader(model, reader).run(); }

}  // namespace zelk
