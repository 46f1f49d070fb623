#include "puzzle/FaceDepthSort.h"

#include <algorithm>

namespace {
// Dealt into buckets, the faces of a cube move less than one place on average; this many per
// face means the distances are bunched far from evenly.
constexpr std::size_t insertionMovesPerFace = 16;
} // namespace

void FaceDepthSort::Sort(std::vector<FaceDepth>& depths) {
    if (depths.size() < 2) {
        return;
    }
    Distribute(depths);
    // Each pass is stable, so the merge after an abandoned insertion sort orders equal distances
    // as they came in.
    if (!InsertionSort(depths, insertionMovesPerFace * depths.size())) {
        MergeSort(depths);
    }
}

void FaceDepthSort::Distribute(std::vector<FaceDepth>& depths) {
    const std::size_t n = depths.size();
    double nearest = depths[0].first;
    double farthest = depths[0].first;
    for (const FaceDepth& d : depths) {
        nearest = std::min(nearest, d.first);
        farthest = std::max(farthest, d.first);
    }
    const double span = farthest - nearest;
    const double scale = span > 0 ? static_cast<double>(n - 1) / span : 0;
    // Bucket 0 holds the farthest. A distance that is no number, or a span that overflows, goes
    // to a bucket at an end: the insertion sort still puts it right.
    auto bucket = [&](double distance) -> std::size_t {
        const double b = (farthest - distance) * scale;
        if (!(b < static_cast<double>(n))) {
            return n - 1;
        }
        return b > 0 ? static_cast<std::size_t>(b) : 0;
    };
    bucketStart.assign(n + 1, 0);
    for (const FaceDepth& d : depths) {
        ++bucketStart[bucket(d.first) + 1];
    }
    for (std::size_t b = 1; b <= n; ++b) {
        bucketStart[b] += bucketStart[b - 1];
    }
    scratch.resize(n);
    for (const FaceDepth& d : depths) {
        scratch[bucketStart[bucket(d.first)]++] = d;
    }
    depths.swap(scratch);
}

bool FaceDepthSort::InsertionSort(std::vector<FaceDepth>& depths, std::size_t maxMoves) {
    std::size_t moves = 0;
    for (std::size_t i = 1; i < depths.size(); ++i) {
        const FaceDepth item = depths[i];
        std::size_t j = i;
        while (j > 0 && depths[j - 1].first < item.first) {
            depths[j] = depths[j - 1];
            --j;
        }
        depths[j] = item;
        moves += i - j;
        if (moves > maxMoves) {
            return false;
        }
    }
    return true;
}

void FaceDepthSort::MergeSort(std::vector<FaceDepth>& depths) {
    const std::size_t n = depths.size();
    scratch.resize(n);
    for (std::size_t width = 1; width < n; width *= 2) {
        for (std::size_t lo = 0; lo < n; lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, n);
            const std::size_t hi = std::min(lo + 2 * width, n);
            std::size_t a = lo;
            std::size_t b = mid;
            for (std::size_t out = lo; out < hi; ++out) {
                // The later run goes first only when strictly farther.
                const bool later = b < hi && (a >= mid || depths[b].first > depths[a].first);
                scratch[out] = later ? depths[b++] : depths[a++];
            }
        }
        depths.swap(scratch);
    }
}
