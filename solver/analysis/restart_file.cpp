#include "analysis/restart_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <type_traits>

#include "analysis/analysis_errors.h"
#include "analysis/dynamic_analysis.h"
#include "analysis/result_files.h"
#include "analysis/run_outputs.h"

namespace zelk {

namespace {

constexpr char kMagic[8] = {'Z', 'E', 'L', 'K', 'R', 'S', 'T', '\n'};
// 2: the outputs' running state and the lengths of all appended files.
constexpr std::uint32_t kFormatVersion = 2;
// Magic, version, fingerprint, payload length, checksum.
constexpr std::size_t kHeaderSize = sizeof kMagic + sizeof(std::uint32_t) + 3 * sizeof(std::uint64_t);

template <typename T>
concept Plain = std::is_trivially_copyable_v<T>;

// FNV-1a over 64 bits: the fingerprint of a run and the checksum of a payload.
class Hash {
public:
    void bytes(const void* data, std::size_t size) {
        const auto* byte = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) value_ = (value_ ^ byte[i]) * 0x100000001b3ULL;
    }
    template <Plain T>
    void field(const T& value) { bytes(&value, sizeof value); }
    template <Plain T, typename Allocator>
    void vector(const std::vector<T, Allocator>& values) {
        field(static_cast<std::uint64_t>(values.size()));
        bytes(values.data(), values.size() * sizeof(T));
    }
    template <Plain T>
    void list(const std::vector<T>& values) { vector(values); }
    void count(std::size_t size) { field(static_cast<std::uint64_t>(size)); }
    std::uint64_t value() const { return value_; }

private:
    std::uint64_t value_ = 0xcbf29ce484222325ULL;
};

// Appends fields to a payload.
class Writer {
public:
    template <Plain T>
    void field(const T& value) { bytes.append(reinterpret_cast<const char*>(&value), sizeof value); }
    template <Plain T>
    void vector(const std::vector<T>& values) {
        field(static_cast<std::uint64_t>(values.size()));
        bytes.append(reinterpret_cast<const char*>(values.data()), values.size() * sizeof(T));
    }
    template <Plain T>
    void list(const std::vector<T>& values) { vector(values); }
    void count(std::size_t size) { field(static_cast<std::uint64_t>(size)); }
    std::string bytes;
};

// Takes fields back from a payload; a table of another length or a payload
// that ends early clears ok, and nothing is read past its end. A list takes
// its length from the payload.
class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    template <Plain T>
    void field(T& value) { take(&value, sizeof value); }
    template <Plain T>
    void vector(std::vector<T>& values) {
        count(values.size());
        if (ok) take(values.data(), values.size() * sizeof(T));
    }
    template <Plain T>
    void list(std::vector<T>& values) {
        std::uint64_t size = 0;
        field(size);
        if (!ok || size > (bytes_.size() - at_) / sizeof(T)) {
            ok = false;
            return;
        }
        values.resize(size);
        take(values.data(), size * sizeof(T));
    }
    void count(std::size_t size) {
        std::uint64_t stored = 0;
        field(stored);
        if (stored != size) ok = false;
    }
    bool atEnd() const { return at_ == bytes_.size(); }
    bool ok = true;

private:
    void take(void* data, std::size_t size) {
        if (!ok || bytes_.size() - at_ < size) {
            ok = false;
            return;
        }
        std::memcpy(data, bytes_.data() + at_, size);
        at_ += size;
    }
    std::string_view bytes_;
    std::size_t at_ = 0;
};

// Everything a step changes, in file order; one list serves the writer, the
// reader and the fingerprint of the start state.
template <typename Io, typename Point>
void visitState(Io& io, DynamicAnalysis& a, RunOutputs& outputs, Point& at) {
    io.field(at.time);
    io.field(at.step);
    io.field(at.historyBytes);
    io.field(at.energyBytes);
    io.field(at.wallHistoryBytes);
    io.field(at.contactBytes);
    io.field(a.minJacobian);
    io.vector(a.displacement);
    io.vector(a.velocity);
    io.vector(a.force);  // the wall forces of the coming step
    io.count(a.pointState.size());
    for (auto& point : a.pointState) {
        io.field(point.yieldStress);
        io.field(point.density);
        io.field(point.plasticStrain);
        io.field(point.stress);
    }
    io.count(a.walls.size());
    for (auto& wall : a.walls) io.field(wall->position);
    // "PIEFG" moves the contact nodes' evaluation points along with the nodes.
    io.count(a.model->evPoints.size());
    for (auto& point : a.model->evPoints) {
        io.field(point.x);
        io.field(point.y);
        io.field(point.z);
    }
    a.visitLoopState(io);
    outputs.visitState(io);
}

std::uint64_t fingerprintOf(DynamicAnalysis& a, RunOutputs& outputs) {
    Hash h;
    const Model& m = *a.model;
    h.count(m.nodes.size());
    for (const Node& node : m.nodes) {
        h.field(node.x), h.field(node.y), h.field(node.z);
        h.field(node.nodeFlag);
    }
    for (const NodalBC& bc : m.dispBCs) h.field(bc.node), h.field(bc.code);
    for (const auto& material : m.materials)
        if (material)
            h.field(material->youngsModulus), h.field(material->poissonRatio), h.field(material->density0),
                h.field(material->tangentModulus), h.field(material->yieldStress0);
    h.bytes(a.meshlessType.data(), a.meshlessType.size());
    // The approximation settings act through the tables they produced.
    const InfluenceTable& table = a.pointInfluence();
    h.vector(table.offset), h.vector(table.node), h.vector(table.value), h.vector(table.deriv);
    h.vector(a.pointWeight), h.vector(a.nodalMass);
    for (int i = 0; i < m.NUMNP; ++i) h.field(a.contactWeight(i)), h.field(a.stressPointOfNode(i));
    h.field(a.stepLength), h.field(a.constantStep);
    // Only a stretch step adds its flag, so that earlier restart files keep their fingerprint.
    if (a.stretchStep) h.field(a.stretchStep);
    for (const auto& wall : a.walls) {
        h.field(wall->axis), h.field(wall->side), h.field(wall->wallVelocity), h.field(wall->penaltyFactor);
        if (const auto* cylinder = dynamic_cast<const CylinderWall*>(wall.get()))
            h.field(cylinder->radius), h.field(cylinder->radialSide);
    }
    // The outputs go on in the files of the saved run.
    h.field(a.vtk.interval), h.bytes(a.vtk.stem.data(), a.vtk.stem.size());
    h.bytes(a.wallHistoryFile.data(), a.wallHistoryFile.size());
    StepPoint start;
    visitState(h, a, outputs, start);
    return h.value();
}

[[noreturn]] void refuse(const std::string& file, const std::string& why) {
    analysisError("Resume", "restart file \"" + file + "\" " + why + "; nothing was changed");
}

template <Plain T>
T headerField(const std::string& bytes, std::size_t at) {
    T value;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;
}

}  // namespace

CalTimeRestart::CalTimeRestart(DynamicAnalysis& analysis, RunOutputs& outputs, const RestartPlan& plan)
    : analysis_(analysis), outputs_(outputs), plan_(plan) {
    if (resuming() || saving()) fingerprint_ = fingerprintOf(analysis, outputs);
}

StepPoint CalTimeRestart::resume(double baseStep, int maxSteps) {
    const std::string& file = plan_.resumeFile;
    std::ifstream in(file, std::ios::binary);
    if (!in) refuse(file, "cannot be opened");
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (bytes.size() < sizeof kMagic || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0)
        refuse(file, "is not a restart file");
    if (bytes.size() < kHeaderSize) refuse(file, "is truncated");
    std::size_t at = sizeof kMagic;
    const auto version = headerField<std::uint32_t>(bytes, at);
    at += sizeof version;
    if (version != kFormatVersion)
        refuse(file, "has format version " + std::to_string(version) + ", this program reads version " +
                         std::to_string(kFormatVersion));
    const auto fingerprint = headerField<std::uint64_t>(bytes, at);
    const auto length = headerField<std::uint64_t>(bytes, at + 8);
    const auto checksum = headerField<std::uint64_t>(bytes, at + 16);
    const std::string_view payload = std::string_view(bytes).substr(kHeaderSize);
    if (length > payload.size()) refuse(file, "is truncated");
    if (length < payload.size()) refuse(file, "has bytes after its end");
    Hash check;
    check.bytes(payload.data(), payload.size());
    if (check.value() != checksum) refuse(file, "is corrupted (its checksum does not match)");
    if (fingerprint != fingerprint_)
        refuse(file, "was written by another model, approximation, step length or wall set");

    StepPoint at_step;
    Reader reader(payload);
    visitState(reader, analysis_, outputs_, at_step);
    if (!reader.ok || !reader.atEnd()) refuse(file, "does not fit the model's tables");
    if (!(at_step.time >= 0.0 && at_step.time / baseStep <= maxSteps) || at_step.step < 0)
        refuse(file, "holds an impossible time or step");
    const std::pair<std::string, std::uint64_t> appended[] = {
        {kHistoryFileName, at_step.historyBytes},
        {kEnergyFileName, at_step.energyBytes},
        {analysis_.wallHistoryFile, at_step.wallHistoryBytes},
        {kContactFileName, at_step.contactBytes}};
    std::error_code error;
    for (const auto& [name, length] : appended) {
        const auto size = length > 0 ? std::filesystem::file_size(name, error) : 0;
        if (error || size < length) refuse(file, "needs the file " + name + " of the run it was saved from");
    }
    for (const auto& [name, length] : appended) {
        if (length > 0) std::filesystem::resize_file(name, length, error);
        if (error) analysisError("Resume", "cannot cut back the file " + name);
    }
    return at_step;
}

void CalTimeRestart::save(const StepPoint& at) {
    Writer payload;
    visitState(payload, analysis_, outputs_, at);
    Hash check;
    check.bytes(payload.bytes.data(), payload.bytes.size());
    Writer header;
    header.bytes.assign(kMagic, sizeof kMagic);
    header.field(kFormatVersion);
    header.field(fingerprint_);
    header.field(static_cast<std::uint64_t>(payload.bytes.size()));
    header.field(check.value());

    const std::string& file = plan_.saveFile;
    const std::string temporary = file + ".tmp";
    const auto fail = [&] {
        analysisError("SaveState", "cannot write restart file \"" + temporary + "\"");
    };
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) fail();
    const bool written = std::fwrite(header.bytes.data(), 1, header.bytes.size(), out) == header.bytes.size() &&
                         std::fwrite(payload.bytes.data(), 1, payload.bytes.size(), out) == payload.bytes.size() &&
                         std::fflush(out) == 0 && fsync(fileno(out)) == 0;
    if (std::fclose(out) != 0 || !written) fail();
    if (std::rename(temporary.c_str(), file.c_str()) != 0)
        analysisError("SaveState", "cannot rename \"" + temporary + "\" to \"" + file + "\"");
}

}  // namespace zelk
