// The defaults of the UserOptions record. Each operation writes exactly its
// own fields: the reserved bytes, the devmode header and the units behind a
// text's terminator are left as they were, so that a section default never
// disturbs what another page or the host keeps in the same image. The
// identity texts are the exception: cleared, they are zero over their whole
// width, so that no old owner or password stays readable behind them.
#include "settings/useroptions.h"

#include "settings/recordfields.h"

// Each default is the field table's: a section default writes the fields
// of its section, the full default every field, marker included.
void ResetFileSection(UserOptions &options)
{
    ResetRecordSection(options, SECTION_FILE);
}

void ResetColorSection(UserOptions &options)
{
    ResetRecordSection(options, SECTION_COLOR);
}

void ResetOtherSection(UserOptions &options)
{
    ResetRecordSection(options, SECTION_OTHER);
}

void ResetTraySection(UserOptions &options)
{
    ResetRecordSection(options, SECTION_TRAY);
}

// The identity fields (owner, passwords, account number and the two
// secure-print and password flags) are cleared whole, the comment as any
// other text.
void ResetInfoSection(UserOptions &options)
{
    ResetRecordSection(options, SECTION_INFO);
}

void ResetUserOptions(PrivateDevmode *pDevmode)
{
    ResetRecordFields(pDevmode->options);
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
