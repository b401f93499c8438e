#pragma once

#include <array>

// The four faces of a cover set, in the order every per-face routine goes through them.
// A face's index is its tab in the document window and the cover set's Position.
struct FaceInfo
{
    int index;
    const char* name;           // "Front"
    const char* imageArea;      // the face's image area in the document window
    const char* fileKey;        // its key in the cover-set file's Files section
    int tabCaption;             // string number; 0 keeps the fixed caption below
    const char* fixedTabCaption;
    int loadFailedMessage;      // shown when the face's picture file cannot be loaded
    int loadingStatus;          // status text while a picture loads, followed by the old path
    int bitmapTitleSuffix;      // joined to the bitmap dialog's title; 0: the fixed text below
    const char* fixedTitleSuffix;
    int printCheckCaption;      // the print selection's check box; 0: the fixed text below
    const char* fixedPrintCaption;
    double widthMm;             // the face on paper, as its sheet prints it
    double heightMm;
};

inline constexpr int kFaceCount = 4;

inline constexpr std::array<FaceInfo, kFaceCount> kFaces = {{
    {0, "Front", "imgFront", "ImgFront", 1166, "", 1174, 1216, 1106, "", 1172, "", 120, 120},
    {1, "Inside", "imgInside", "ImgInside", 1074, "", 1206, 1218, 1108, "", 1204, "", 120, 120},
    {2, "Back", "imgBack", "ImgBack", 1044, "", 1126, 1212, 1102, "", 1124, "", 150, 118},
    {3, "Cd", "imgCd", "ImgCd", 0, "&Cd", 1134, 1214, 0, "[CD]", 0, "CD", 150, 118},
}};

inline constexpr int kBackFace = 2;
inline constexpr int kCdFace = 3;

inline constexpr bool isFaceIndex(int index)
{
    return index >= 0 && index < kFaceCount;
}
