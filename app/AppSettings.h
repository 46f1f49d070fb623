#pragma once

#include "persist/CubeSizeRule.h"

#include <QRect>

// Settings of the running program, shared by the shell's parts. None of them is stored: the
// cube size reaches history.ini through the move history.
struct AppSettings {
    // Bitmap shown by the bitmap dialog, or none.
    static constexpr int noDialogBitmap = -1;

    int cubeSize = defaultCubeSize;
    // Stickers also go through the OpenGL rasteriser; false when it cannot be created.
    bool useDirect3D = true;
    // Borderless, top-most window cut to the cube; false: framed window with a menu bar.
    bool regionMode = true;
    // A left click on a sticker edits its side colour instead of twisting. Survives restarts.
    bool colorEditMode = false;
    int dialogBitmapId = noDialogBitmap;
    // The client area as last read; frames are painted at its size.
    QRect clientRect;
};

extern AppSettings appSettings;
