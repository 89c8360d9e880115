// The UserOptions record: every choice of the five pages in one fixed
// 1436-byte little-endian image. The same image is the registry value
// "User Info" and the body of the private devmode, and other components read
// it by offset, so the layout below is a stored format: never reorder, resize
// or repurpose a field.
#pragma once

#include <stddef.h>

#include "platform/oemui.h"

#define USER_OPTIONS_MARKER 12345

struct UserOptions {
    SHORT initialized; // 12345 when the record is valid
    BYTE reserved0[2];

    // File section
    LONG jobAction;
    LONG printDisposition;
    LONG dispositionSelection;

    // Color section
    LONG colorMode;
    LONG printerMode;
    LONG rgbCorrection;
    LONG colorAux;
    LONG rgbSource;
    LONG renderingStyle;
    LONG gamma;
    LONG whitePoint;
    LONG printSimulation;
    LONG cmykCorrection;
    LONG printProfile;
    LONG compositeSpotColor;
    LONG preserveGcr;
    LONG rgbProfile;

    // Other section
    LONG separations;
    LONG printProgressives;
    LONG autoGrayDetect;
    LONG controlStrip;
    LONG saveAsTiff;
    LONG tiffResolution;
    LONG edgeSmoothing;
    LONG blackOverprint;
    LONG compositeOverprint;
    LONG pureBlack;
    LONG autoTrapping;
    LONG brandControl;
    LONG invertImage;
    LONG imageEnhance;
    LONG mirror;
    LONG infoStrip;
    LONG prepressAux;

    // Tray section
    SHORT jobAux0;
    BYTE reserved1[2];
    LONG jobAux1;
    LONG duplex;
    LONG rotatePages;
    LONG jobAux2;
    LONG staple;
    LONG jobAux3;
    LONG jobAux4;
    LONG collate;
    LONG jobAux5;
    LONG jobAux6;
    LONG imposition;
    LONG impositionType;
    LONG sectionSize;
    LONG outputSheetSize;
    LONG cropMarks;
    LONG fitToSheet;
    LONG mediaType;

    // Outside every section: only the full default writes these.
    LONG jobAux7;
    LONG jobAux8;
    WCHAR addressText[16];

    // Info section
    WCHAR owner[25];
    WCHAR jobPassword[9];
    WCHAR comment[256];
    WCHAR accountNumber[33];
    WCHAR securePassword[9];
    LONG securePrint;
    LONG hasJobPassword;

    // Record tail
    WCHAR infoAux[256];
};

// The characters a text field holds, its terminator aside: what an edit
// for the field takes.
#define TEXT_FIELD_LIMIT(field) (sizeof(UserOptions::field) / sizeof(WCHAR) - 1)

// The private devmode extension: the platform's header, then one record.
struct PrivateDevmode {
    OEM_DMEXTRAHEADER header;
    UserOptions options;
};

static_assert(sizeof(UserOptions) == 1436, "UserOptions is a stored format");
static_assert(sizeof(PrivateDevmode) == 1448, "PrivateDevmode is a stored format");
static_assert(offsetof(PrivateDevmode, options) == 12, "record follows the 12-byte header");
static_assert(offsetof(UserOptions, reserved0) == 2, "layout");
static_assert(offsetof(UserOptions, jobAction) == 4, "layout");
static_assert(offsetof(UserOptions, printDisposition) == 8, "layout");
static_assert(offsetof(UserOptions, dispositionSelection) == 12, "layout");
static_assert(offsetof(UserOptions, colorMode) == 16, "layout");
static_assert(offsetof(UserOptions, printerMode) == 20, "layout");
static_assert(offsetof(UserOptions, rgbCorrection) == 24, "layout");
static_assert(offsetof(UserOptions, colorAux) == 28, "layout");
static_assert(offsetof(UserOptions, rgbSource) == 32, "layout");
static_assert(offsetof(UserOptions, renderingStyle) == 36, "layout");
static_assert(offsetof(UserOptions, gamma) == 40, "layout");
static_assert(offsetof(UserOptions, whitePoint) == 44, "layout");
static_assert(offsetof(UserOptions, printSimulation) == 48, "layout");
static_assert(offsetof(UserOptions, cmykCorrection) == 52, "layout");
static_assert(offsetof(UserOptions, printProfile) == 56, "layout");
static_assert(offsetof(UserOptions, compositeSpotColor) == 60, "layout");
static_assert(offsetof(UserOptions, preserveGcr) == 64, "layout");
static_assert(offsetof(UserOptions, rgbProfile) == 68, "layout");
static_assert(offsetof(UserOptions, separations) == 72, "layout");
static_assert(offsetof(UserOptions, printProgressives) == 76, "layout");
static_assert(offsetof(UserOptions, autoGrayDetect) == 80, "layout");
static_assert(offsetof(UserOptions, controlStrip) == 84, "layout");
static_assert(offsetof(UserOptions, saveAsTiff) == 88, "layout");
static_assert(offsetof(UserOptions, tiffResolution) == 92, "layout");
static_assert(offsetof(UserOptions, edgeSmoothing) == 96, "layout");
static_assert(offsetof(UserOptions, blackOverprint) == 100, "layout");
static_assert(offsetof(UserOptions, compositeOverprint) == 104, "layout");
static_assert(offsetof(UserOptions, pureBlack) == 108, "layout");
static_assert(offsetof(UserOptions, autoTrapping) == 112, "layout");
static_assert(offsetof(UserOptions, brandControl) == 116, "layout");
static_assert(offsetof(UserOptions, invertImage) == 120, "layout");
static_assert(offsetof(UserOptions, imageEnhance) == 124, "layout");
static_assert(offsetof(UserOptions, mirror) == 128, "layout");
static_assert(offsetof(UserOptions, infoStrip) == 132, "layout");
static_assert(offsetof(UserOptions, prepressAux) == 136, "layout");
static_assert(offsetof(UserOptions, jobAux0) == 140, "layout");
static_assert(offsetof(UserOptions, reserved1) == 142, "layout");
static_assert(offsetof(UserOptions, jobAux1) == 144, "layout");
static_assert(offsetof(UserOptions, duplex) == 148, "layout");
static_assert(offsetof(UserOptions, rotatePages) == 152, "layout");
static_assert(offsetof(UserOptions, jobAux2) == 156, "layout");
static_assert(offsetof(UserOptions, staple) == 160, "layout");
static_assert(offsetof(UserOptions, jobAux3) == 164, "layout");
static_assert(offsetof(UserOptions, jobAux4) == 168, "layout");
static_assert(offsetof(UserOptions, collate) == 172, "layout");
static_assert(offsetof(UserOptions, jobAux5) == 176, "layout");
static_assert(offsetof(UserOptions, jobAux6) == 180, "layout");
static_assert(offsetof(UserOptions, imposition) == 184, "layout");
static_assert(offsetof(UserOptions, impositionType) == 188, "layout");
static_assert(offsetof(UserOptions, sectionSize) == 192, "layout");
static_assert(offsetof(UserOptions, outputSheetSize) == 196, "layout");
static_assert(offsetof(UserOptions, cropMarks) == 200, "layout");
static_assert(offsetof(UserOptions, fitToSheet) == 204, "layout");
static_assert(offsetof(UserOptions, mediaType) == 208, "layout");
static_assert(offsetof(UserOptions, jobAux7) == 212, "layout");
static_assert(offsetof(UserOptions, jobAux8) == 216, "layout");
static_assert(offsetof(UserOptions, addressText) == 220, "layout");
static_assert(offsetof(UserOptions, owner) == 252, "layout");
static_assert(offsetof(UserOptions, jobPassword) == 302, "layout");
static_assert(offsetof(UserOptions, comment) == 320, "layout");
static_assert(offsetof(UserOptions, accountNumber) == 832, "layout");
static_assert(offsetof(UserOptions, securePassword) == 898, "layout");
static_assert(offsetof(UserOptions, securePrint) == 916, "layout");
static_assert(offsetof(UserOptions, hasJobPassword) == 920, "layout");
static_assert(offsetof(UserOptions, infoAux) == 924, "layout");

// The full default: every field of the record, marker included. The header
// and the reserved bytes are left as they are.
void ResetUserOptions(PrivateDevmode *pDevmode);

// The five section defaults, each writing only its own section's fields.
// ResetInfoSection clears the identity fields whole (ClearIdentityFields).
void ResetFileSection(UserOptions &options);
void ResetColorSection(UserOptions &options);
void ResetOtherSection(UserOptions &options);
void ResetTraySection(UserOptions &options);
void ResetInfoSection(UserOptions &options);

// The record inside a private devmode extension.
inline UserOptions &DevmodeOptions(PVOID pOEMDM)
{
    return static_cast<PrivateDevmode *>(pOEMDM)->options;
}

// Writes text, cut to units - 1 characters, and zeroes every unit behind
// it: for the identity texts, which must keep nothing of a longer text they
// replace.
void SetIdentityText(WCHAR *field, int units, const WCHAR *text);

// A bare full default record, as the store and the printer events keep it:
// the bytes that ResetUserOptions leaves alone are zero, so that a stored
// default never carries leftovers of the caller's stack.
void MakeDefaultRecord(UserOptions *pUserOptions);
