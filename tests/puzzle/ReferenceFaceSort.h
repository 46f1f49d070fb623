#pragma once

#include "math3d/Geometry.h"
#include "puzzle/CubeFace.h"

#include <utility>
#include <vector>

// The order the faces are drawn in is defined by this plain bubble sort: as many passes as faces
// over the whole list, each swapping two neighbours only when the later one is strictly farther.
inline void ReferenceSortFaces(std::vector<CubeFace*>& faces, const Vertex3D& eye) {
    const std::size_t n = faces.size();
    std::vector<double> distance(n);
    for (std::size_t i = 0; i < n; ++i) {
        distance[i] = Distance(faces[i]->Centre(), eye);
    }
    for (std::size_t pass = 0; pass < n; ++pass) {
        for (std::size_t i = 0; i + 1 < n; ++i) {
            if (distance[i + 1] > distance[i]) {
                std::swap(distance[i], distance[i + 1]);
                std::swap(faces[i], faces[i + 1]);
            }
        }
    }
}
