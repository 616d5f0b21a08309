// Shape functions of many points on all threads, with the results of a
// serial sweep.
//
// Each thread evaluates points on a worker: a copy of the settings and
// support sizes as they stand after the first point. SingularCheck can change
// support sizes, and in a serial sweep a change holds for every later point,
// so the results are then taken in point order: a point is evaluated again,
// here and in turn, when it failed or when a size changed by an earlier point
// could have changed its result (the node is in its list, or its sphere before
// or after the change reaches the point); otherwise its result stands and its
// own changes are applied.
#include <algorithm>
#include <cassert>
#include <cstring>

#include <omp.h>

#include "input/fatal_exit.h"
#include "matrix/gen_matrix.h"
#include "matrix/symm_matrix.h"
#include "meshless/distance_sort.h"
#include "meshless/mls_approximation.h"

namespace zelk {

std::unique_ptr<MlsApproximation> MlsApproximation::makeWorker() const {
    auto worker = std::make_unique<MlsApproximation>(nodes_, approxType);
    worker->quiet_ = true;
    return worker;
}

void MlsApproximation::prepareWorkers(int count) {
    while (static_cast<int>(workers_.size()) < count) workers_.push_back(makeWorker());
    spatialIndex();
    for (const std::unique_ptr<MlsApproximation>& w : workers_) {
        w->spaceDim = spaceDim;
        w->derivOrder = derivOrder;
        w->numSecondDerivs = numSecondDerivs;
        w->approxType = approxType;
        w->InflDomain = InflDomain;
        w->ptsNbInSupport = ptsNbInSupport;
        w->maxInflPts = maxInflPts;
        w->Scale = Scale;
        w->SingularCheck = SingularCheck;
        w->settings = settings;
        w->numBasisTerms = numBasisTerms;
        w->inflDomainGiven_ = inflDomainGiven_;
        std::copy_n(supportBound_, 3, w->supportBound_);
        w->sizeWorkStorage();
        w->grid_ = grid_;
    }
}

void MlsApproximation::takeSupportSizes(const MlsApproximation& from) {
    const GenMatrix<double>& source = from.SupportSize;
    GenMatrix<double>& target = SupportSize;
    const bool sameShape = target.size(0) == source.size(0) && target.size(1) == source.size(1) &&
                           target.leadingDim() == target.size(0) && source.leadingDim() == source.size(0);
    const std::size_t bytes = sizeof(double) * static_cast<std::size_t>(source.size(0)) * source.size(1);
    // A worker restores its own SingularCheck changes after each point, so a
    // copy taken at the owner's current revision still holds its sizes: at a
    // hundred thousand nodes, comparing them at every batch would cost more
    // than the batch's own work.
    if (takenRevision_ == from.sizesRevision_) {
        assert(sameShape && (bytes == 0 || std::memcmp(target.data(), source.data(), bytes) == 0));
        return;
    }
    takenRevision_ = from.sizesRevision_;
    if (!sameShape)
        target = source;
    else if (bytes > 0)
        std::memcpy(target.data(), source.data(), bytes);
}

double MlsApproximation::nearestSupport(int j, int count) {
    const double centre[3] = {nodes_[j].x, nodes_[j].y, nodes_[j].z};
    sortNearest(centre, count);  // the first count entries are those of the full sort
    return static_cast<double>(sortedDist[count - 1]) * Scale;
}

void MlsApproximation::evaluateAll(std::span<EvPoint> points, int order, std::string_view mode) {
    const int count = static_cast<int>(points.size());
    const int threads = std::min(omp_get_max_threads(), count - 1);
    // The dumps and traces are written point by point: those runs stay serial.
    if (threads < 2 || debugSwitch || GenMatrix<double>::traceSwitch || SymmMatrix::traceSwitch) {
        for (EvPoint& point : points) evaluateAt(point, order, mode);
        return;
    }
    // The first point here: settings that cannot work stop the run with their message.
    evaluateAt(points[0], order, mode);
    prepareWorkers(threads);

    std::vector<EvPoint> results(points.begin() + 1, points.end());
    std::vector<std::vector<SupportChange>> changes(count);
    std::vector<char> failed(count, 0);
#pragma omp parallel num_threads(threads)
    {
        MlsApproximation& worker = *workers_[omp_get_thread_num()];
        worker.takeSupportSizes(*this);
#pragma omp for schedule(dynamic, 16)
        for (int i = 1; i < count; ++i) {
            const double bound = worker.supportBound_[0];
            try {
                worker.evaluateAt(results[i - 1], order, mode);
            } catch (const FatalExit&) {
                failed[i] = 1;
            }
            // Back to the common sizes for the next point.
            changes[i] = worker.supportChanges_;
            for (auto c = changes[i].rbegin(); c != changes[i].rend(); ++c) worker.SupportSize(c->node, 0) = c->before;
            worker.supportBound_[0] = bound;
        }
    }

    std::vector<char> changed(nodes_.size(), 0);
    std::vector<SupportChange> sinceStart;  // per changed node: size at the start, in `before`
    const auto note = [&](const std::vector<SupportChange>& list) {
        for (const SupportChange& c : list)
            if (!changed[c.node]) {
                changed[c.node] = 1;
                sinceStart.push_back(c);
            }
    };
    for (int i = 1; i < count; ++i) {
        const EvPoint& result = results[i - 1];
        bool redo = failed[i] != 0;
        for (int k = 0; !redo && k < result.inflPtsNb; ++k) redo = changed[result.inflPts[k]] != 0;
        const double at[3] = {result.x, result.y, result.z};
        for (std::size_t j = 0; !redo && j < sinceStart.size(); ++j) {
            const int a = sinceStart[j].node;
            const double d = storedDistance(nodes_[a], at);
            redo = d <= sinceStart[j].before || d <= SupportSize(a, 0);
        }
        if (redo) {
            evaluateAt(points[i], order, mode);
            note(supportChanges_);
            continue;
        }
        points[i] = std::move(results[i - 1]);
        for (const SupportChange& c : changes[i]) {
            SupportSize(c.node, 0) = c.after;
            ++sizesRevision_;
            supportBound_[0] = std::max(supportBound_[0], c.after);
        }
        note(changes[i]);
    }
}

}  // namespace zelk
