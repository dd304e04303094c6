#include "measure/scale/TickRow.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "image/Translate.h"

namespace lumetra {
namespace {

constexpr int kMinTicks = 5;
constexpr double kMinPeriod = 3.0;         // samples; finer ticks blur into a flat band
constexpr double kMinSpread = 2.0;         // grey levels of standard deviation
constexpr double kMinCorrelation = 0.3;    // of the strongest repeat, 1 being a perfect one
constexpr double kRepeatShare = 0.6;       // a shorter repeat this strong is the period
constexpr double kMinTickHeight = 0.35;    // of the median tick's height
constexpr double kOutlierSpread = 4.0;     // robust standard deviations
constexpr double kMaxScatter = 1.0 / 6.0;  // of the period, as the positions' scatter

// The profile less its straight-line trend (an uneven light field), with the ticks
// turned into peaks: narrow dark ticks skew the brightness towards the dark side.
std::vector<double> ticksAsPeaks(const std::vector<double>& profile) {
    const double n = static_cast<double>(profile.size());
    double sumI = 0.0, sumP = 0.0, sumII = 0.0, sumIP = 0.0;
    for (size_t i = 0; i < profile.size(); ++i) {
        const double x = static_cast<double>(i);
        sumI += x;
        sumP += profile[i];
        sumII += x * x;
        sumIP += x * profile[i];
    }
    const double denominator = n * sumII - sumI * sumI;
    const double slope = denominator > 0.0 ? (n * sumIP - sumI * sumP) / denominator : 0.0;
    const double intercept = (sumP - slope * sumI) / n;
    std::vector<double> out(profile.size());
    double skew = 0.0;
    for (size_t i = 0; i < profile.size(); ++i) {
        out[i] = profile[i] - intercept - slope * static_cast<double>(i);
        skew += out[i] * out[i] * out[i];
    }
    if (skew < 0.0)
        for (double& v : out) v = -v;
    return out;
}

double spread(const std::vector<double>& values) {
    double sum = 0.0;
    for (double v : values) sum += v * v;
    return values.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(values.size()));
}

// The correlation of the profile with itself shifted by each lag up to maxLag, 1 at lag 0.
std::vector<double> autocorrelation(const std::vector<double>& p, size_t maxLag) {
    std::vector<double> r(maxLag + 2, 0.0);
    const size_t n = p.size();
    double zero = 0.0;
    for (double v : p) zero += v * v;
    zero /= static_cast<double>(n);
    for (size_t lag = 0; lag < r.size(); ++lag) {
        double sum = 0.0;
        for (size_t i = 0; i + lag < n; ++i) sum += p[i] * p[i + lag];
        r[lag] = sum / static_cast<double>(n - lag) / zero;
    }
    return r;
}

// The vertex of the parabola through three equally spaced values, as an offset from
// the middle one (-0.5..0.5 for a peak or a trough).
double parabolaVertex(double left, double middle, double right) {
    const double curvature = left - 2.0 * middle + right;
    return curvature != 0.0 ? std::clamp(0.5 * (left - right) / curvature, -0.5, 0.5) : 0.0;
}

// The first lag that repeats the profile nearly as well as the best repeat, to a
// fraction of a sample; 0 when nothing repeats.
double repeatPeriod(const std::vector<double>& peaks) {
    const size_t maxLag = (peaks.size() - 1) / (kMinTicks - 1);
    if (maxLag < static_cast<size_t>(kMinPeriod) + 1) return 0.0;
    const std::vector<double> r = autocorrelation(peaks, maxLag);
    size_t trough = 1;  // the correlation falls from lag 0 until the first trough
    while (trough < maxLag && r[trough + 1] < r[trough]) ++trough;
    double best = 0.0;
    for (size_t lag = trough; lag <= maxLag; ++lag) best = std::max(best, r[lag]);
    if (best < kMinCorrelation) return 0.0;
    for (size_t lag = std::max<size_t>(trough, 2); lag <= maxLag; ++lag) {
        if (r[lag] < kRepeatShare * best || r[lag] < r[lag - 1] || r[lag] < r[lag + 1]) continue;
        const double period =
            static_cast<double>(lag) + parabolaVertex(r[lag - 1], r[lag], r[lag + 1]);
        return period >= kMinPeriod ? period : 0.0;
    }
    return 0.0;
}

struct Tick {
    double position = 0.0;
    double height = 0.0;
    int index = 0;
};

// The tick whose highest sample lies between from and to (samples): its centre of
// mass above a level a quarter of the way up from the lowest sample within half a
// period, and its height. Nothing when the tick runs off the profile.
bool measureTick(const std::vector<double>& p, double from, double to, double period, Tick& tick) {
    const long last = static_cast<long>(p.size()) - 1;
    const long lo = std::max(0L, static_cast<long>(std::ceil(from)));
    const long hi = std::min(last, static_cast<long>(std::floor(to)));
    if (lo > hi) return false;
    long peak = lo;
    for (long i = lo; i <= hi; ++i)
        if (p[static_cast<size_t>(i)] > p[static_cast<size_t>(peak)]) peak = i;
    const long half = std::max(1L, static_cast<long>(period / 2.0));
    double floor = p[static_cast<size_t>(peak)];
    for (long i = std::max(0L, peak - half); i <= std::min(last, peak + half); ++i)
        floor = std::min(floor, p[static_cast<size_t>(i)]);
    const double height = p[static_cast<size_t>(peak)] - floor;
    const double level = floor + 0.25 * height;
    long left = peak, right = peak;
    while (left > peak - half && left > 0 && p[static_cast<size_t>(left - 1)] > level) --left;
    while (right < peak + half && right < last && p[static_cast<size_t>(right + 1)] > level)
        ++right;
    if ((left == 0 && p[0] > level) || (right == last && p[static_cast<size_t>(last)] > level))
        return false;
    double mass = 0.0, moment = 0.0;
    for (long i = left; i <= right; ++i) {
        const double w = p[static_cast<size_t>(i)] - level;
        mass += w;
        moment += w * static_cast<double>(i);
    }
    if (mass <= 0.0) return false;
    tick.position = moment / mass;
    tick.height = height;
    return true;
}

// Follows the ticks from the strongest one of the first period to the end, each
// searched a third of a period around where the previous one predicts it; keeps
// those at least a good part as high as the median tick.
std::vector<Tick> followTicks(const std::vector<double>& peaks, double period) {
    std::vector<Tick> ticks;
    Tick first;
    if (!measureTick(peaks, 0.0, period, period, first) &&
        !measureTick(peaks, period, 2.0 * period, period, first))
        return ticks;
    first.index = 0;
    ticks.push_back(first);
    const double reach = period / 3.0;
    const double end = static_cast<double>(peaks.size()) - 1.0 + reach;
    // Walks both ways from the first tick found, so a tick cut by the profile's start
    // does not stop the search; a missed tick leaves the prediction one period on.
    for (int direction : {-1, 1}) {
        double expected = first.position;
        for (int index = direction;; index += direction) {
            expected += direction * period;
            if (expected < -reach || expected > end) break;
            Tick tick;
            if (!measureTick(peaks, expected - reach, expected + reach, period, tick)) continue;
            tick.index = index;
            ticks.push_back(tick);
            expected = tick.position;
        }
    }
    std::vector<double> heights;
    for (const Tick& t : ticks) heights.push_back(t.height);
    std::nth_element(heights.begin(), heights.begin() + static_cast<long>(heights.size() / 2),
                     heights.end());
    const double median = heights[heights.size() / 2];
    std::erase_if(ticks, [median](const Tick& t) { return t.height < kMinTickHeight * median; });
    std::sort(ticks.begin(), ticks.end(),
              [](const Tick& a, const Tick& b) { return a.index < b.index; });
    return ticks;
}

struct LineFit {
    double slope = 0.0, intercept = 0.0, scatter = 0.0, slopeSigma = 0.0;
};

LineFit fitLine(const std::vector<Tick>& ticks) {
    const double n = static_cast<double>(ticks.size());
    double meanK = 0.0, meanX = 0.0;
    for (const Tick& t : ticks) {
        meanK += t.index;
        meanX += t.position;
    }
    meanK /= n;
    meanX /= n;
    double sxx = 0.0, sxy = 0.0;
    for (const Tick& t : ticks) {
        sxx += (t.index - meanK) * (t.index - meanK);
        sxy += (t.index - meanK) * (t.position - meanX);
    }
    LineFit fit;
    fit.slope = sxy / sxx;
    fit.intercept = meanX - fit.slope * meanK;
    double squares = 0.0;
    for (const Tick& t : ticks) {
        const double residual = t.position - fit.intercept - fit.slope * t.index;
        squares += residual * residual;
    }
    fit.scatter = std::sqrt(squares / (n - 2.0));
    fit.slopeSigma = fit.scatter / std::sqrt(sxx);
    return fit;
}

// Drops ticks far off the line through the others (a speck of dust on a tick).
void dropOutliers(std::vector<Tick>& ticks, const LineFit& fit) {
    std::vector<double> deviations;
    for (const Tick& t : ticks)
        deviations.push_back(std::abs(t.position - fit.intercept - fit.slope * t.index));
    std::vector<double> sorted = deviations;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<long>(sorted.size() / 2),
                     sorted.end());
    const double limit = std::max(kOutlierSpread * 1.4826 * sorted[sorted.size() / 2], 0.05);
    size_t i = 0;
    std::erase_if(ticks, [&](const Tick&) { return deviations[i++] > limit; });
}

TickRow rowOf(const std::vector<Tick>& ticks) {
    TickRow row;
    for (const Tick& t : ticks) {
        row.positions.push_back(t.position);
        row.indices.push_back(t.index);
    }
    return row;
}

}  // namespace

TickRowSearch findTickRow(const std::vector<double>& profile) {
    if (profile.size() < static_cast<size_t>(kMinTicks * kMinPeriod))
        return ScaleRefusal{translate("ScaleSearch", "The line is too short to cross five ticks")};
    const std::vector<double> peaks = ticksAsPeaks(profile);
    if (spread(peaks) < kMinSpread)
        return ScaleRefusal{
            translate("ScaleSearch", "The picture is even along the line: it crosses no ticks")};
    const double period = repeatPeriod(peaks);
    if (period == 0.0)
        return ScaleRefusal{translate("ScaleSearch", "The line crosses no evenly spaced ticks")};
    std::vector<Tick> ticks = followTicks(peaks, period);
    if (ticks.size() >= static_cast<size_t>(kMinTicks)) {
        dropOutliers(ticks, fitLine(ticks));
    }
    if (ticks.size() < static_cast<size_t>(kMinTicks))
        return ScaleRefusal{
            translate("ScaleSearch", "Fewer than five ticks were found along the line")};
    const LineFit fit = fitLine(ticks);
    if (fit.scatter > kMaxScatter * fit.slope)
        return ScaleRefusal{
            translate("ScaleSearch", "The ticks along the line are not evenly spaced")};
    TickRow row = rowOf(ticks);
    row.period = fit.slope;
    row.sigma = fit.slopeSigma;
    row.offset = fit.intercept;
    return row;
}

TickRow locateTicks(const std::vector<double>& profile, double period) {
    if (profile.size() < static_cast<size_t>(kMinTicks * kMinPeriod) || !(period >= kMinPeriod))
        return {};
    return rowOf(followTicks(ticksAsPeaks(profile), period));
}

}  // namespace lumetra
