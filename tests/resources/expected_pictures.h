// The plug-in's bitmaps: sizes in pixels and bits a pixel (8 for 256
// colours, 4 for 16).
#pragma once

#include <windows.h>

struct ExpectedPicture {
    WORD id;
    LONG width;
    LONG height;
    WORD bits;
};

static const ExpectedPicture ExpectedBitmaps[] = {
    {133, 64, 64, 8}, {134, 64, 64, 8}, {135, 30, 39, 4}, {136, 30, 39, 4},
    {137, 39, 30, 4}, {138, 39, 30, 4}, {139, 30, 39, 4}, {151, 470, 204, 8},
};

inline const ExpectedPicture *FindExpectedBitmap(WORD id)
{
    for (const ExpectedPicture &picture : ExpectedBitmaps)
        if (picture.id == id)
            return &picture;
    return NULL;
}
