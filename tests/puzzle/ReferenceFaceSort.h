#pragma once

#include "math3d/Geometry.h"
#include "puzzle/FaceDepthSort.h"

#include <utility>
#include <vector>

// The order the faces are drawn in is defined by this plain bubble sort: as many passes as faces
// over the whole list, each swapping two neighbours only when the later one is strictly farther.
inline void ReferenceSortFarFirst(std::vector<FaceDepth>& depths) {
    for (std::size_t pass = 0; pass < depths.size(); ++pass)
        for (std::size_t i = 0; i + 1 < depths.size(); ++i)
            if (depths[i + 1].first > depths[i].first)
                std::swap(depths[i], depths[i + 1]);
}

inline void ReferenceSortFaces(std::vector<CubeFace*>& faces, const Vertex3D& eye) {
    std::vector<FaceDepth> depths;
    for (CubeFace* face : faces)
        depths.emplace_back(Distance(face->Centre(), eye), face);
    ReferenceSortFarFirst(depths);
    for (std::size_t i = 0; i < faces.size(); ++i)
        faces[i] = depths[i].second;
}
