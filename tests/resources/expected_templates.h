// The seven dialog templates as the pages need them: every control in
// template order with its class, its own style bits, its text (or the picture
// it shows) and its rectangle in dialog units. Written down apart from the
// .rc, with numbers rather than resource.h names, so that a wrong name in the
// .rc shows up as a wrong number here.
#pragma once

#include <windows.h>

struct ExpectedControl {
    int id;
    const wchar_t *className;
    DWORD style; // without WS_CHILD and WS_VISIBLE
    DWORD exStyle;
    bool visible;
    const wchar_t *text; // NULL: the control shows picture resource `picture`
    WORD picture;
    short rect[4];
};

static const ExpectedControl Controls116[] = {
    {1004, L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, true, L"Behandl og udskriv", 0, {20, 22, 125, 10}},
    {1005, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, true, L"Bearbejd og hold", 0, {20, 51, 125, 10}},
    {1006, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, true, L"Preflight og hold", 0, {20, 68, 125, 10}},
    {1007, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, true, L"Send og hold", 0, {20, 85, 125, 10}},
    {1082, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {31, 34, 120, 59}},
    {1128, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, true, L"Standarder", 0, {227, 272, 50, 14}},
    {-1, L"STATIC", SS_BITMAP, WS_EX_DLGMODALFRAME, true, NULL, 133, {7, 243, 47, 43}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L"Filh\u00E5ndtering", 0, {7, 7, 157, 97}},
};

static const ExpectedControl Controls114[] = {
    {1004, L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, true, L"Farve (4 trin)", 0, {17, 20, 105, 8}},
    {1005, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, true, L"Gr\u00E5toneskala (1 trin)", 0, {17, 34, 105, 8}},
    {1052, L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, true, L"Contone", 0, {173, 20, 100, 8}},
    {1023, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, true, L"Screenet", 0, {173, 34, 100, 8}},
    {1009, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, WS_EX_TRANSPARENT, true, L"RGB-sk\u00E6rmfarvekorrigering", 0, {14, 56, 150, 8}},
    {1130, L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 0, true, L"Standard", 0, {87, 67, 68, 10}},
    {1131, L"BUTTON", BS_AUTORADIOBUTTON | WS_TABSTOP, 0, true, L"Profil", 0, {165, 67, 68, 10}},
    {1026, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {112, 83, 130, 92}},
    {1027, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {112, 99, 130, 76}},
    {1139, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {112, 115, 130, 102}},
    {1083, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Tryksimulering", 0, {21, 133, 180, 10}},
    {1010, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, WS_EX_TRANSPARENT, true, L"CMYK-trykfarvekorrigering", 0, {14, 154, 175, 10}},
    {1032, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {97, 166, 114, 164}},
    {1102, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Bevar oprindelig GCR", 0, {19, 184, 120, 10}},
    {1013, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Korrigering af Sammens\u00E6t staffagefarve", 0, {7, 207, 165, 10}},
    {1025, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {23, 236, 130, 81}},
    {1136, L"STATIC", SS_ICON | SS_NOTIFY, WS_EX_DLGMODALFRAME, true, NULL, 153, {157, 231, 20, 20}},
    {1006, L"BUTTON", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, true, L"Standarder", 0, {227, 272, 50, 14}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L" ", 0, {7, 154, 280, 46}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L" ", 0, {7, 56, 280, 93}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L"Farvemodel", 0, {7, 7, 125, 44}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L"Printertilstand", 0, {162, 7, 125, 44}},
    {-1, L"STATIC", SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"Gamma:", 0, {30, 85, 80, 8}},
    {-1, L"STATIC", SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"Hvidpunkt:", 0, {30, 101, 80, 8}},
    {-1, L"STATIC", SS_LEFT | WS_GROUP, 0, true, L"Trykprofil:", 0, {19, 168, 71, 8}},
    {1080, L"STATIC", SS_BITMAP, WS_EX_DLGMODALFRAME, true, NULL, 133, {228, 213, 47, 43}},
    {1081, L"STATIC", SS_BITMAP, WS_EX_DLGMODALFRAME, true, NULL, 134, {228, 213, 47, 43}},
    {-1, L"STATIC", SS_LEFT | WS_GROUP, 0, true, L"RGB-profiler:", 0, {30, 117, 80, 8}},
    {-1, L"STATIC", SS_LEFT | WS_GROUP, 0, true, L"Gengivelsestypografi:", 0, {7, 224, 97, 8}},
};

static const ExpectedControl Controls115[] = {
    {1036, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {75, 24, 140, 85}},
    {1009, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Udskriv progressiver", 0, {15, 45, 107, 12}},
    {1014, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Gem som TIFF", 0, {15, 62, 107, 12}},
    {1053, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {39, 77, 36, 55}},
    {1085, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Inverter billede", 0, {147, 45, 125, 12}},
    {1013, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Udskriv kontrolstrimmel", 0, {147, 62, 125, 12}},
    {1134, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Udskriv info-strimmel", 0, {147, 79, 125, 12}},
    {1086, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Dynamisk billedudvidelse", 0, {14, 112, 140, 10}},
    {1035, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Skift sort (ublandet)", 0, {14, 125, 140, 10}},
    {1033, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Dynamisk kantudj\u00E6vning", 0, {14, 138, 140, 10}},
    {1034, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Sorte overtryk", 0, {14, 151, 140, 10}},
    {1090, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Vis sammensatte CMYK-overtryk", 0, {14, 164, 225, 10}},
    {1076, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Automatisk diffusering", 0, {14, 177, 140, 10}},
    {1137, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Brivel-kontrol", 0, {14, 190, 140, 10}},
    {1010, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Autom. registrering af gr\u00E5toneskala", 0, {14, 209, 140, 12}},
    {1088, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Spejlbillede", 0, {14, 226, 140, 10}},
    {1006, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, true, L"Standarder", 0, {227, 272, 50, 14}},
    {-1, L"STATIC", SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"DPI", 0, {79, 77, 15, 12}},
    {1056, L"STATIC", SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"Separationer:", 0, {15, 24, 53, 12}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L"Prepress-funktioner", 0, {7, 8, 280, 87}},
    {1084, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, true, L"Enkelt-sidede adskillelser", 0, {79, 283, 104, 10}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L"Kvalitetsindstillinger", 0, {7, 99, 280, 104}},
    {-1, L"STATIC", SS_BITMAP, WS_EX_DLGMODALFRAME, true, NULL, 133, {228, 210, 47, 43}},
};

static const ExpectedControl Controls117[] = {
    {1091, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {67, 23, 140, 53}},
    {1092, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {67, 52, 102, 74}},
    {1010, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Sort\u00E9r", 0, {13, 95, 110, 9}},
    {1089, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Drej sider", 0, {13, 109, 110, 9}},
    {1101, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, WS_EX_TRANSPARENT, true, L"Udskydning", 0, {141, 81, 60, 10}},
    {1100, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {147, 107, 119, 89}},
    {1102, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {147, 136, 63, 89}},
    {1103, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {147, 165, 119, 86}},
    {1140, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Tilpas st\u00F8rrelse", 0, {137, 180, 140, 8}},
    {1099, L"BUTTON", BS_AUTOCHECKBOX | WS_GROUP | WS_TABSTOP, 0, true, L"Sk\u00E6rem\u00E6rker", 0, {137, 192, 81, 8}},
    {1141, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {27, 226, 176, 138}},
    {1006, L"BUTTON", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, true, L"Standarder", 0, {227, 272, 50, 14}},
    {1062, L"BUTTON", BS_GROUPBOX, 0, true, L"Medietype", 0, {7, 214, 280, 53}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L"Jobh\u00E5ndtering", 0, {7, 7, 280, 201}},
    {1045, L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 0, false, L"Ingen dupleks", 0, {7, 272, 49, 10}},
    {1046, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Lang kantindbinding", 0, {7, 272, 76, 10}},
    {1047, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Kort kantindbinding", 0, {7, 272, 77, 10}},
    {1014, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, false, L"Brug sorteringsfunktion", 0, {7, 272, 49, 10}},
    {1048, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, false, L"H\u00E6ftning", 0, {121, 272, 36, 10}},
    {1059, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP, 0, false, L"Produktionstilstand", 0, {7, 272, 70, 10}},
    {1068, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Tack film", 0, {7, 272, 47, 10}},
    {1069, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Gennemskinnelig", 0, {7, 272, 53, 10}},
    {1070, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Bestr\u00F8get papir", 0, {7, 272, 59, 10}},
    {1071, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Tyndt papir", 0, {7, 272, 51, 10}},
    {1072, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Sporing af papir", 0, {7, 272, 61, 10}},
    {1073, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Imaging Interleave", 0, {7, 272, 73, 10}},
    {1074, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Transparent med papirbagside", 0, {7, 272, 104, 10}},
    {1075, L"BUTTON", BS_AUTORADIOBUTTON, 0, false, L"Uigennemsigtig film", 0, {7, 272, 83, 10}},
    {-1, L"STATIC", SS_LEFT, 0, false, L"WARNING: Hidden options below", 0, {9, 284, 160, 8}},
    {-1, L"STATIC", SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"Dupleks:", 0, {13, 25, 45, 8}},
    {-1, L"STATIC", SS_BITMAP, WS_EX_DLGMODALFRAME, true, NULL, 133, {232, 18, 47, 43}},
    {-1, L"STATIC", SS_LEFT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"H\u00E6ftning:", 0, {13, 54, 45, 8}},
    {1094, L"STATIC", SS_BITMAP, 0, true, NULL, 139, {180, 46, 20, 24}},
    {1095, L"STATIC", SS_BITMAP, 0, true, NULL, 137, {177, 49, 26, 18}},
    {1096, L"STATIC", SS_BITMAP, 0, true, NULL, 135, {180, 46, 20, 24}},
    {1097, L"STATIC", SS_BITMAP, 0, true, NULL, 138, {177, 49, 26, 18}},
    {1098, L"STATIC", SS_BITMAP, 0, true, NULL, 136, {180, 46, 20, 24}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L" ", 0, {133, 82, 150, 122}},
    {-1, L"STATIC", SS_LEFT | WS_GROUP, 0, true, L"Udskydningstype:", 0, {137, 95, 117, 8}},
    {-1, L"STATIC", SS_LEFT | WS_GROUP, 0, true, L"Sektionsformat:", 0, {137, 124, 117, 8}},
    {-1, L"STATIC", SS_LEFT | WS_GROUP, 0, true, L"Udskriftspapirformat:", 0, {137, 153, 117, 8}},
    {1142, L"STATIC", SS_LEFT | WS_GROUP, 0, true, L"Static", 0, {29, 244, 174, 17}},
};

static const ExpectedControl Controls110[] = {
    {1012, L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {76, 24, 139, 12}},
    {1020, L"EDIT", ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {76, 44, 63, 12}},
    {1021, L"EDIT", ES_MULTILINE | ES_AUTOVSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {76, 64, 203, 68}},
    {1022, L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {110, 140, 168, 12}},
    {1123, L"EDIT", ES_AUTOHSCROLL | WS_BORDER | WS_GROUP | WS_TABSTOP, 0, true, L"", 0, {110, 160, 168, 12}},
    {1127, L"BUTTON", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, true, L"Aktiver...", 0, {111, 195, 73, 14}},
    {1006, L"BUTTON", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 0, true, L"Standarder", 0, {227, 272, 50, 14}},
    {-1, L"STATIC", SS_RIGHT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"Ejer:", 0, {16, 24, 50, 12}},
    {-1, L"STATIC", SS_RIGHT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"Adgangskode:", 0, {16, 44, 50, 12}},
    {-1, L"STATIC", SS_RIGHT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"Kommentar:", 0, {16, 64, 50, 8}},
    {-1, L"STATIC", SS_RIGHT | SS_CENTERIMAGE | WS_GROUP, 0, true, L"Kontonummer:", 0, {16, 140, 86, 12}},
    {-1, L"BUTTON", BS_GROUPBOX, 0, true, L"Dokumentoplysning", 0, {7, 9, 280, 212}},
    {-1, L"STATIC", SS_BITMAP, WS_EX_DLGMODALFRAME, true, NULL, 133, {7, 245, 47, 43}},
    {1122, L"STATIC", SS_RIGHT | WS_GROUP, 0, true, L"Server IP-adresse:", 0, {16, 160, 86, 12}},
    {-1, L"STATIC", SS_CENTER | WS_GROUP, 0, true, L"Sikker adgangskode for udskrivning:", 0, {17, 180, 261, 8}},
};

static const ExpectedControl Controls147[] = {
    {1125, L"EDIT", ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, true, L"", 0, {23, 29, 105, 14}},
    {1126, L"EDIT", ES_PASSWORD | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 0, true, L"", 0, {23, 71, 105, 14}},
    {1, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, true, L"OK", 0, {167, 7, 50, 14}},
    {2, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, true, L"Annuller", 0, {167, 24, 50, 14}},
    {-1, L"STATIC", SS_LEFT | WS_GROUP, 0, true, L"Adgangskode:", 0, {23, 16, 106, 8}},
    {-1, L"STATIC", SS_LEFT | WS_GROUP, 0, true, L"Bekr\u00E6ft adgangskode:", 0, {23, 57, 106, 8}},
    {-1, L"STATIC", SS_BITMAP, WS_EX_DLGMODALFRAME, true, NULL, 133, {168, 51, 47, 43}},
};

static const ExpectedControl Controls152[] = {
    {1, L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, true, L"OK", 0, {146, 146, 50, 14}},
    {-1, L"STATIC", SS_BITMAP, 0, true, NULL, 151, {15, 13, 312, 124}},
};
#define PAGE_STYLE (WS_CHILD | WS_DISABLED | WS_CAPTION | DS_SETFONT)

struct ExpectedTemplate {
    WORD id;
    bool extended;
    DWORD style;
    const wchar_t *caption;
    short rect[4];
    const ExpectedControl *controls;
    size_t count;
};

#define CONTROLS(list) list, sizeof(list) / sizeof(list[0])

static const ExpectedTemplate ExpectedTemplates[] = {
    {116, true, PAGE_STYLE, L"Fil", {0, 0, 294, 298}, CONTROLS(Controls116)},
    {114, true, PAGE_STYLE, L"Farve", {0, 0, 294, 300}, CONTROLS(Controls114)},
    {115, true, PAGE_STYLE, L"Andet", {0, 0, 294, 300}, CONTROLS(Controls115)},
    {117, true, PAGE_STYLE, L"Bakke", {0, 0, 294, 300}, CONTROLS(Controls117)},
    {110, true, PAGE_STYLE, L"Info", {0, 0, 294, 300}, CONTROLS(Controls110)},
    {147, true, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_CENTER | DS_SETFONT, L"Sikker udskrivning",
     {0, 0, 224, 102}, CONTROLS(Controls147)},
    {152, false, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
     L"Hj\u00E6lp til gengivelse af typografi", {200, 100, 342, 173}, CONTROLS(Controls152)},
};
