#include "meshless/weight_functions.h"

#include <cmath>
#include <iostream>

#include "input/fatal_exit.h"

namespace zelk {

double weightParameter = 0.0;

namespace {

// Kernel terms for the radial form: f(s), g(s) = f'(s)/s and g'(s)/s.
struct RadialTerms {
    double f, g, gps;
};

// Kernel terms for one axis of the tensor-product form: f(u), f'(u), f''(u).
struct AxisTerms {
    double f, fp, fpp;
};

constexpr double kTwoThirds = 2.0 / 3.0;
constexpr double kFourThirds = 4.0 / 3.0;

// Applies the defaulting rule of the parameterised kernels and returns the
// parameter to use.
double kernelParameter(WeightKernel kernel) {
    if (kernel == WeightKernel::Exponential && !(weightParameter > 0.0)) weightParameter = 0.4;
    if (kernel == WeightKernel::Gaussian && !(weightParameter > 0.0)) weightParameter = 4.0;
    return weightParameter;
}

// g'(s)/s is only needed for second derivatives and is 0 by convention at s = 0.
RadialTerms radialTerms(WeightKernel kernel, double s, double a, bool second) {
    RadialTerms t{0.0, 0.0, 0.0};
    const bool atCentre = s == 0.0;
    switch (kernel) {
        case WeightKernel::Sl234:
            t.f = 1.0 - 6.0 * s * s + 8.0 * s * s * s - 3.0 * s * s * s * s;
            t.g = -12.0 + 24.0 * s - 12.0 * s * s;
            if (second && !atCentre) t.gps = (24.0 - 24.0 * s) / s;
            break;
        case WeightKernel::Sl345:
            t.f = 1.0 - 10.0 * s * s * s + 15.0 * s * s * s * s - 6.0 * s * s * s * s * s;
            t.g = -30.0 * s + 60.0 * s * s - 30.0 * s * s * s;
            if (second && !atCentre) t.gps = (120.0 * s - 30.0 - 90.0 * s * s) / s;
            break;
        case WeightKernel::Cubic:
            if (s <= 0.5) {
                t.f = kTwoThirds - 4.0 * s * s + 4.0 * s * s * s;
                t.g = -8.0 + 12.0 * s;
                if (second && !atCentre) t.gps = 12.0 / s;
            } else {
                t.f = kFourThirds - 4.0 * s + 4.0 * s * s - kFourThirds * s * s * s;
                t.g = 8.0 - 4.0 / s - 4.0 * s;
                if (second) t.gps = (4.0 / (s * s) - 4.0) / s;
            }
            break;
        case WeightKernel::Hif:
            t.f = 1.0 - 3.0 * s * s + 2.0 * s * s * s;
            t.g = -6.0 + 6.0 * s;
            if (second && !atCentre) t.gps = 6.0 / s;
            break;
        case WeightKernel::Squ1:
            if (s < 0.5) {
                t.f = 1.0 - 2.0 * s * s;
                t.g = -4.0;
            } else {
                t.f = 2.0 * (1.0 - s) * (1.0 - s);
                t.g = -4.0 * (1.0 - s) / s;
                if (second) t.gps = 4.0 / (s * s * s);
            }
            break;
        case WeightKernel::Squ2:
            t.f = (1.0 - s * s) * (1.0 - s * s);
            t.g = -4.0 * (1.0 - s * s);
            if (second && !atCentre) t.gps = 8.0;
            break;
        case WeightKernel::Exponential: {
            const double q = s / a;
            t.f = std::exp(-q * q);
            t.g = -2.0 * t.f / (a * a);
            if (second && !atCentre) t.gps = 4.0 * t.f / (a * a * a * a);
            break;
        }
        case WeightKernel::Gaussian: {
            const double b2 = a * a;
            const double tail = std::exp(-b2);
            const double e = std::exp(-b2 * s * s);
            t.f = (e - tail) / (1.0 - tail);
            t.g = -2.0 * b2 * e / (1.0 - tail);
            if (second && !atCentre) t.gps = 4.0 * b2 * b2 * e / (1.0 - tail);
            break;
        }
        case WeightKernel::Unknown: break;
    }
    return t;
}

AxisTerms axisTerms(WeightKernel kernel, double u, double a) {
    AxisTerms t{0.0, 0.0, 0.0};
    switch (kernel) {
        case WeightKernel::Sl234:
            t.f = 1.0 - 6.0 * u * u + 8.0 * u * u * u - 3.0 * u * u * u * u;
            t.fp = -12.0 * u + 24.0 * u * u - 12.0 * u * u * u;
            t.fpp = -12.0 + 48.0 * u - 36.0 * u * u;
            break;
        case WeightKernel::Sl345:
            t.f = 1.0 - 10.0 * u * u * u + 15.0 * u * u * u * u - 6.0 * u * u * u * u * u;
            t.fp = -30.0 * u * u + 60.0 * u * u * u - 30.0 * u * u * u * u;
            t.fpp = -60.0 * u + 180.0 * u * u - 120.0 * u * u * u;
            break;
        case WeightKernel::Cubic:
            if (u <= 0.5) {
                t.f = kTwoThirds - 4.0 * u * u + 4.0 * u * u * u;
                t.fp = -8.0 * u + 12.0 * u * u;
                t.fpp = -8.0 + 24.0 * u;
            } else {
                t.f = kFourThirds - 4.0 * u + 4.0 * u * u - kFourThirds * u * u * u;
                t.fp = -4.0 + 8.0 * u - 4.0 * u * u;
                t.fpp = 8.0 - 8.0 * u;
            }
            break;
        case WeightKernel::Hif:
            t.f = 1.0 - 3.0 * u * u + 2.0 * u * u * u;
            t.fp = -6.0 * u + 6.0 * u * u;
            t.fpp = -6.0 + 12.0 * u;
            break;
        case WeightKernel::Squ1:
            if (u < 0.5) {
                t.f = 1.0 - 2.0 * u * u;
                t.fp = -4.0 * u;
                t.fpp = -4.0;
            } else {
                t.f = 2.0 * (1.0 - u) * (1.0 - u);
                t.fp = -4.0 * (1.0 - u);
                t.fpp = 4.0;
            }
            break;
        case WeightKernel::Squ2:
            t.f = (1.0 - u * u) * (1.0 - u * u);
            t.fp = -4.0 * u * (1.0 - u * u);
            t.fpp = -4.0 + 12.0 * u * u;
            break;
        case WeightKernel::Exponential: {
            const double q = u / a;
            t.f = std::exp(-q * q);
            t.fp = -2.0 * u / (a * a) * t.f;
            t.fpp = (-2.0 / (a * a) + 4.0 * u * u / (a * a * a * a)) * t.f;
            break;
        }
        case WeightKernel::Gaussian: {
            const double b2 = a * a;
            const double tail = std::exp(-b2);
            const double e = std::exp(-b2 * u * u);
            t.f = (e - tail) / (1.0 - tail);
            t.fp = -2.0 * b2 * u * e / (1.0 - tail);
            t.fpp = (-2.0 * b2 + 4.0 * b2 * b2 * u * u) * e / (1.0 - tail);
            break;
        }
        case WeightKernel::Unknown: break;
    }
    return t;
}

[[noreturn]] void invalidWeight(const ApproxSettings& settings) {
    std::cerr << "Invalid type of weight function : " << settings.weightType() << "\n";
    fatalExit(1);
}

// Fills out[0..highest] (highest 0, 3 or 9) with the plain weight and its
// derivatives. Every entry above highest is left untouched.
void plainWeightUpTo(const ApproxSettings& settings, const double node[3], const double support[3],
                     const double point[3], int highest, double out[10]) {
    const WeightKernel kernel = settings.kernel();
    if (kernel == WeightKernel::Unknown) invalidWeight(settings);
    const double a = kernelParameter(kernel);
    const double D[3] = {point[0] - node[0], point[1] - node[1], point[2] - node[2]};
    for (int k = 0; k <= highest; ++k) out[k] = 0.0;

    if (!settings.boxSupport()) {
        const double r = std::sqrt(D[0] * D[0] + D[1] * D[1] + D[2] * D[2]);
        const double d = support[0];
        const double s = r / d;
        const bool outside = kernel == WeightKernel::Exponential ? !(r <= d) : s > 1.0;
        if (outside) return;
        const RadialTerms t = radialTerms(kernel, s, a, highest > 3);
        out[0] = t.f;
        if (highest < 1) return;
        const double d2 = d * d;
        for (int k = 0; k < 3; ++k) out[1 + k] = t.g * D[k] / d2;
        if (highest < 4) return;
        const double d4 = d2 * d2;
        for (int k = 0; k < 3; ++k) out[4 + k] = t.g / d2 + t.gps * D[k] * D[k] / d4;
        out[7] = t.gps * D[0] * D[1] / d4;
        out[8] = t.gps * D[0] * D[2] / d4;
        out[9] = t.gps * D[1] * D[2] / d4;
        return;
    }

    double u[3], sg[3];
    for (int k = 0; k < 3; ++k) {
        u[k] = std::fabs(D[k]) / support[k];
        sg[k] = D[k] < 0.0 ? -1.0 : 1.0;
    }
    if (u[0] > 1.0 || u[1] > 1.0 || u[2] > 1.0) return;
    const AxisTerms t[3] = {axisTerms(kernel, u[0], a), axisTerms(kernel, u[1], a),
                            axisTerms(kernel, u[2], a)};
    out[0] = t[0].f * t[1].f * t[2].f;
    if (highest < 1) return;
    double slope[3];  // df(u_k)/dx_k
    for (int k = 0; k < 3; ++k) slope[k] = t[k].fp * (sg[k] / support[k]);
    out[1] = slope[0] * t[1].f * t[2].f;
    out[2] = slope[1] * t[0].f * t[2].f;
    out[3] = slope[2] * t[0].f * t[1].f;
    if (highest < 4) return;
    out[4] = t[0].fpp / (support[0] * support[0]) * t[1].f * t[2].f;
    out[5] = t[1].fpp / (support[1] * support[1]) * t[0].f * t[2].f;
    out[6] = t[2].fpp / (support[2] * support[2]) * t[0].f * t[1].f;
    out[7] = slope[0] * slope[1] * t[2].f;
    out[8] = slope[0] * slope[2] * t[1].f;
    out[9] = slope[1] * slope[2] * t[0].f;
}

int highestOfGroup(int derivIndex) { return derivIndex == 0 ? 0 : derivIndex <= 3 ? 3 : 9; }

}  // namespace

double plainWeight(const ApproxSettings& settings, const double node[3], const double support[3],
                   const double point[3], int derivIndex) {
    if (derivIndex < 0 || derivIndex > 9) return 0.0;
    double out[10];
    plainWeightUpTo(settings, node, support, point, highestOfGroup(derivIndex), out);
    return out[derivIndex];
}

double SinWeightFun(const ApproxSettings& settings, const double node[3], const double support[3],
                    const double point[3], int derivIndex) {
    std::cout << " Sorry, the SinWeightFun have not been modified in 3D Program!\n";
    static const double kOffset = 1.0 + 1e-5;
    if (derivIndex < 0 || derivIndex > 5) return 0.0;
    double out[10];
    plainWeightUpTo(settings, node, support, point, highestOfGroup(derivIndex), out);
    const double w = out[0];
    const double h = kOffset - w;
    switch (derivIndex) {
        case 0: return w / h;
        case 1: return out[1] / (h * h);
        case 2: return out[2] / (h * h);
        case 3: return ((1.0 - w) * out[3] + 2.0 * out[1] * out[1]) / (h * h * h);
        case 4: return ((1.0 - w) * out[4] + 2.0 * out[1] * out[2]) / (h * h * h);
        default: return ((1.0 - w) * out[5] + 2.0 * out[2] * out[2]) / (h * h * h);
    }
}

double weightValue(const ApproxSettings& settings, const double node[3], const double support[3],
                   const double point[3], int derivIndex) {
    if (settings.SingularWeight) return SinWeightFun(settings, node, support, point, derivIndex);
    return plainWeight(settings, node, support, point, derivIndex);
}

WeightSample weightWithGradient(const ApproxSettings& settings, const double node[3],
                                const double support[3], const double point[3], bool withGradient) {
    WeightSample sample;
    if (settings.SingularWeight) {
        sample.w = SinWeightFun(settings, node, support, point, 0);
        if (withGradient)
            for (int k = 0; k < 3; ++k) sample.dw[k] = SinWeightFun(settings, node, support, point, k + 1);
        return sample;
    }
    double out[10];
    plainWeightUpTo(settings, node, support, point, withGradient ? 3 : 0, out);
    sample.w = out[0];
    if (withGradient)
        for (int k = 0; k < 3; ++k) sample.dw[k] = out[1 + k];
    return sample;
}

}  // namespace zelk
