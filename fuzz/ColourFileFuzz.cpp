// color.ini as anything may leave it: loading gives six valid, distinct colours, and what is
// saved reads back to the same colours and bytes without being taken for damaged.
#include "FuzzFolder.h"
#include "persist/FaceColours.h"

#include <algorithm>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    EnterScratchFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::remove("color.ini.bad");
    WriteBytes(colourFileName, data, size);
    LoadFaceColours();
    FaceColourTable sorted = faceColours;
    std::sort(sorted.begin(), sorted.end());
    Require(std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end(), "distinct colours");
    for (const COLORREF c : faceColours)
        Require(c != 0 && c <= 0xFFFFFF && c != backgroundColour, "valid colours");

    const FaceColourTable loaded = faceColours;
    SaveFaceColours();
    const std::string first = ReadBytes(colourFileName);
    std::remove("color.ini.bad");
    LoadFaceColours();
    Require(faceColours == loaded, "the saved colours come back");
    Require(!std::filesystem::exists("color.ini.bad"), "the saved file is not taken for damaged");
    SaveFaceColours();
    Require(ReadBytes(colourFileName) == first, "saved again, the same bytes");
    return 0;
}
