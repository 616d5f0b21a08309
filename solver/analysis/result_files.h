// Text result files of the dynamic analysis: the history file, the numbered
// node files and the final node file, all in the Tecplot point layout.
//
// The writer here only lays out numbers; what they mean is the caller's.
#pragma once

#include <array>
#include <iosfwd>
#include <span>
#include <string>

namespace zelk {

inline constexpr const char* kHistoryFileName = "End_y.txt";
inline constexpr const char* kFinalNodeFileName = "Node.dat";
inline constexpr const char* kContactFileName = "Contact.txt";  // contact between bodies, one line a step
inline constexpr int kRealFieldWidth = 24;   // every real of the history and node files
inline constexpr int kIndexFieldWidth = 12;  // every node number of a connectivity line

// History and numbered node files: general notation, 8 significant digits,
// trailing zeros and the decimal point kept. (Node.dat keeps the stream default.)
void useEightDigitFormat(std::ostream& out);

// Name of the node file written at base step 100 * hundreds: three digits at
// least (Node000.txt, Node042.txt, Node123.txt), more when needed (Node1000.txt).
std::string nodeFileName(int hundreds);

// Cell corners from the tensor order of the cells (x fastest, then y, then z)
// to the order of a brick running round the bottom face and then the top one,
// as both the Tecplot brick and the VTK hexahedron want them.
inline constexpr int kBrickCornerOrder[8] = {0, 1, 3, 2, 4, 5, 7, 6};

// One node line: X, Y, Z, S1, S2, S3, P.
using NodeRow = std::array<double, 7>;

// Writes the title, variable and zone lines and then one line per node.
// withConnectivity: connectivity holds one entry of 8 zero-based node numbers in tensor corner
// order per cell, and an FE brick zone follows with one line per cell, its
// numbers from 1 in brick order 0 1 3 2 4 5 7 6. Without it (cells given by
// corner coordinates), the zone is an ordered point zone "ZONE I=n, F=POINT"
// of the node lines only, which viewers read as a point cloud.
void writeTecplot(std::ostream& out, std::span<const NodeRow> nodes, bool withConnectivity,
                  std::span<const std::array<int, 8>> connectivity);

}  // namespace zelk
