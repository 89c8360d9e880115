// The defaults of the UserOptions record. Each operation writes exactly its
// own fields: the reserved bytes, the devmode header and the units behind a
// text's terminator are left as they were, so that a section default never
// disturbs what another page or the host keeps in the same image. The
// identity texts are the exception: cleared, they are zero over their whole
// width, so that no old owner or password stays readable behind them.
#include "settings/useroptions.h"

#include "settings/recordfields.h"

// Writes the text and its terminator, nothing behind it.
static void SetText(WCHAR *field, const WCHAR *text)
{
    do
        *field++ = *text;
    while (*text++);
}

void ResetFileSection(UserOptions &options)
{
    options.jobAction = 0;
    options.printDisposition = 2;
    options.dispositionSelection = 2;
}

void ResetColorSection(UserOptions &options)
{
    options.colorMode = 0;
    options.printerMode = 0;
    options.rgbCorrection = 1;
    options.colorAux = 0;
    options.rgbSource = 1;
    options.renderingStyle = 1;
    options.gamma = 3;
    options.whitePoint = 2;
    options.printSimulation = 0;
    options.cmykCorrection = 1;
    options.printProfile = 0;
    options.compositeSpotColor = 1;
    options.preserveGcr = 0;
    options.rgbProfile = 1;
}

void ResetOtherSection(UserOptions &options)
{
    options.separations = 0;
    options.printProgressives = 0;
    options.autoGrayDetect = 1;
    options.controlStrip = 0;
    options.saveAsTiff = 0;
    options.tiffResolution = 0;
    options.edgeSmoothing = 0;
    options.blackOverprint = 1;
    options.compositeOverprint = 0;
    options.pureBlack = 1;
    options.autoTrapping = 0;
    options.brandControl = 0;
    options.invertImage = 0;
    options.imageEnhance = 1;
    options.mirror = 0;
    options.infoStrip = 0;
    options.prepressAux = 0;
}

void ResetTraySection(UserOptions &options)
{
    options.jobAux0 = 0;
    options.jobAux1 = 5;
    options.duplex = 0;
    options.rotatePages = 0;
    options.jobAux2 = 0;
    options.staple = 0;
    options.jobAux3 = 0;
    options.jobAux4 = 0;
    options.collate = 0;
    options.jobAux5 = 0;
    options.jobAux6 = 0;
    options.imposition = 0;
    options.impositionType = 0;
    options.sectionSize = 3;
    options.outputSheetSize = 0;
    options.cropMarks = 1;
    options.fitToSheet = 0;
    options.mediaType = 0;
}

// The identity fields (owner, passwords, account number and the two
// secure-print and password flags) are cleared whole, the comment as any
// other text.
void ResetInfoSection(UserOptions &options)
{
    ClearIdentityFields(options);
    SetText(options.comment, L"");
}

void ResetUserOptions(PrivateDevmode *pDevmode)
{
    UserOptions &options = pDevmode->options;
    options.initialized = USER_OPTIONS_MARKER;
    ResetFileSection(options);
    ResetColorSection(options);
    ResetOtherSection(options);
    ResetTraySection(options);
    options.jobAux7 = 1;
    options.jobAux8 = 1;
    SetText(options.addressText, L"255.255.255.255");
    ResetInfoSection(options);
    SetText(options.infoAux, L"");
}

void MakeDefaultRecord(UserOptions *pUserOptions)
{
    PrivateDevmode scratch;
    ZeroMemory(&scratch, sizeof(scratch));
    ResetUserOptions(&scratch);
    *pUserOptions = scratch.options;
}

void SetIdentityText(WCHAR *field, int units, const WCHAR *text)
{
    SecureZeroMemory(field, units * sizeof(WCHAR));
    for (int i = 0; i < units - 1 && text[i]; ++i)
        field[i] = text[i];
}
