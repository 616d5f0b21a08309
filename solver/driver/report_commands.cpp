#include "driver/report_commands.h"

#include <algorithm>
#include <iomanip>
#include <iostream>
#include <ostream>

#include "meshless/weight_functions.h"

namespace zelk {

namespace {

// ORDER ReportKeywords.
enum ReportKeyword { kReportEnd = 0, kReportSupportSize, kReportInflPts, kReportMeanInflPts };

// Writes the same text to the result file and to standard output.
class BothStreams {
public:
    explicit BothStreams(std::ostream& resultFile) : resultFile_(resultFile) {}
    template <typename T>
    BothStreams& operator<<(const T& value) {
        resultFile_ << value;
        std::cout << value;
        return *this;
    }

private:
    std::ostream& resultFile_;
};

// first, last and step read from the input and clamped to 1..count (step >= 1);
// a loop over the range counts with long long.
struct ReportRange {
    int first, last, step;
};
ReportRange readRange(InputReader& reader, int count) {
    ReportRange r{reader.readInt(), reader.readInt(), reader.readInt()};
    r.first = std::max(std::min(r.first, count), 1);
    r.last = std::max(std::min(r.last, count), 1);
    r.step = std::max(r.step, 1);
    return r;
}

// SUPPORTSIZE first last step : x support size of every step-th node, five a line.
void supportSizeReport(MacroContext& context) {
    MacroRecord& record = context.record;
    const MlsApproximation* approx = record.approximation.get();
    const int n = approx ? approx->SupportSize.size(0) : 0;
    const ReportRange r = readRange(record.reader, n);
    if (!approx) {
        std::cout << "*** Warning *** SupportSize : no approximation defined, nothing to report\n";
        return;
    }
    BothStreams out(record.resultFile);
    out << "SupportSize[" << r.first << ":" << r.last << ":" << r.step << "] = \n";
    int written = 0;
    // k is wider than the fields, so that k + step cannot overflow whatever the step.
    for (long long k = r.first; k <= r.last && k <= n; k += r.step) {
        out << "s[" << k << "]=" << std::setw(8) << approx->SupportSize(static_cast<int>(k - 1), 0) << "  ";
        ++written;
        if (written % 5 == 0 || k + r.step > r.last || k + r.step > n) out << "\n";
    }
}

// INFLPTS first last step : influence nodes (1-based) of every step-th evaluation point.
void influenceListReport(MacroContext& context) {
    MacroRecord& record = context.record;
    const Model& model = record.model;
    const int count = static_cast<int>(model.evPoints.size());
    const ReportRange r = readRange(record.reader, model.NUMEVPOINT);
    BothStreams out(record.resultFile);
    out << "InflPtsNb[" << r.first << ":" << r.last << ":" << r.step << "] = \n";
    for (long long k = r.first; k <= r.last && k <= count; k += r.step) {
        const EvPoint& point = model.evPoints[static_cast<std::size_t>(k - 1)];
        out << "  Evaluation point number = " << k << "  InflPtsNb = " << point.inflPtsNb << "\n";
        const int listed = static_cast<int>(point.inflPts.size());
        for (int H = 0; H < listed; ++H) {
            out << std::setw(6) << point.inflPts[static_cast<std::size_t>(H)] + 1;
            if ((H + 1) % 13 == 0 || H + 1 == listed) out << "\n";
        }
    }
}

// MEANINFLPTS : largest, smallest and mean influence count over the evaluation points.
void influenceCountSummary(MacroContext& context) {
    MacroRecord& record = context.record;
    const Model& model = record.model;
    int largest = 0, smallest = 99999999;
    long long sum = 0;
    for (const EvPoint& point : model.evPoints) {
        largest = std::max(largest, point.inflPtsNb);
        smallest = std::min(smallest, point.inflPtsNb);
        sum += point.inflPtsNb;
    }
    // Without evaluation points there is no mean: 0 is reported.
    const long long mean = model.NUMEVPOINT > 0 ? sum / model.NUMEVPOINT : 0;
    const auto maximumLine = [&](std::ostream& os) {
        os << "Maximum number of influence points = " << largest << "\n";
    };
    const auto minimumLine = [&](std::ostream& os) {
        os << "Minimum number of influence points = " << smallest << "\n";
    };
    const auto meanLine = [&](std::ostream& os) {
        os << "Mean number of influence point     = " << mean << "\n";
    };
    maximumLine(std::cout);
    minimumLine(std::cout);
    meanLine(std::cout);
    maximumLine(record.resultFile);
    meanLine(record.resultFile);
    minimumLine(record.resultFile);
}

// SHOWVAR: reports typed at the console until END; LISTVAR: one report from the input.
void reportLoop(MacroContext& context, bool show) {
    MacroRecord& record = context.record;
    InputReader& reader = record.reader;
    if (show) reader.consoleMode = true;
    for (std::ostream* os : {&record.resultFile, static_cast<std::ostream*>(&std::cout)})
        *os << std::fixed << std::showpoint << std::left;
    for (;;) {
        if (show) std::cout << "\nSHOW :   " << std::flush;
        const int keyword = reader.readKeyword(ReportKeywords);
        switch (keyword) {
            case kReportEnd: reader.consoleMode = false; break;
            case kReportSupportSize: supportSizeReport(context); break;
            case kReportInflPts: influenceListReport(context); break;
            case kReportMeanInflPts: influenceCountSummary(context); break;
            default: break;  // the reader has warned
        }
        if (!show || keyword == kReportEnd) return;
    }
}

}  // namespace

void handleOutpu(MacroContext& context) {
    MacroRecord& record = context.record;
    if (!record.approximation) {
        std::cout << "*** Warning *** Outpu : no approximation defined, nothing to report\n";
        return;
    }
    const MlsApproximation& a = *record.approximation;
    std::ostream& out = record.resultFile;
    out << "\n\n" << record.model.title << "\n";
    out << "\nApproximation type :  " << a.approxType << "\n";
    out << "\nInfluence domain   :  " << a.InflDomain << "\n";
    out << "  PtsNb in support :  " << a.ptsNbInSupport << "\n";
    out << "  Scale            :  " << a.Scale << "\n";
    out << "Basis type         :  " << a.settings.basisType() << "\n";
    out << "\nWeight type        :  " << a.settings.weightType() << "\n";
    out << "  Weight parameter :  " << weightParameter << "\n";
}

void handleShowVar(MacroContext& context) { reportLoop(context, /*show=*/true); }
void handleListVar(MacroContext& context) { reportLoop(context, /*show=*/false); }

}  // namespace zelk
