#pragma once

#include "puzzle/CubeFace.h"

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

// A face and its distance from the eye.
using FaceDepth = std::pair<double, CubeFace*>;

// Sorts faces farthest first, stably: faces at equal distances keep the order they came in, which
// is the order a bubble sort swapping only strictly farther neighbours gives. Every frame sorts
// all faces again after a small turn of the view, so the faces are first dealt into as many
// buckets as there are faces by distance, leaving each a few places from its own, and an
// insertion sort finishes; should the distances bunch up so that it would take long, a merge sort
// takes over. The buffers are kept, so sorting the same number of faces again allocates nothing.
class FaceDepthSort {
public:
    void Sort(std::vector<FaceDepth>& depths);

private:
    // Stable counting sort on the bucket of each distance, into depths.
    void Distribute(std::vector<FaceDepth>& depths);
    // False, leaving depths a stable rearrangement, once it has moved faces maxMoves places.
    static bool InsertionSort(std::vector<FaceDepth>& depths, std::size_t maxMoves);
    void MergeSort(std::vector<FaceDepth>& depths);

    std::vector<FaceDepth> scratch;
    std::vector<std::uint32_t> bucketStart;
};
