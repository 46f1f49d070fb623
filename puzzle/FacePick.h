#pragma once

// The face a pick ray found: the owning cubie's id and the face's index in it. A miss is the
// cube's cubie count and face index 6, ids no face has.
struct FacePick {
    int cubieId = 0;
    int faceIndex = 6;
    bool operator==(const FacePick& o) const {
        return cubieId == o.cubieId && faceIndex == o.faceIndex;
    }
};
