// SELECTED_LANGUAGE is a bare token given per plug-in variant. Each token has
// a number here so that the preprocessor can pick the file name, and an
// unknown token stops the build instead of naming a module that does not
// exist.
#include "settings/language.h"

#define LANGUAGE_TOKEN_noLanguage 1
#define LANGUAGE_TOKEN_neutral 2
#define LANGUAGE_TOKEN_b 3
#define LANGUAGE_TOKEN_f 4
#define LANGUAGE_TOKEN_i 5
#define LANGUAGE_TOKEN_g 6
#define LANGUAGE_TOKEN_s 7
#define LANGUAGE_TOKEN_nl 8
#define LANGUAGE_TOKEN_da 9
#define LANGUAGE_TOKEN_no 10
#define LANGUAGE_TOKEN_sv 11
#define LANGUAGE_TOKEN_fi 12

#define LANGUAGE_PASTE(a, b) a##b
#define LANGUAGE_NUMBER(token) LANGUAGE_PASTE(LANGUAGE_TOKEN_, token)
#define SELECTED LANGUAGE_NUMBER(SELECTED_LANGUAGE)

#if SELECTED == LANGUAGE_TOKEN_noLanguage
#define RENDERING_MODULE NULL
#elif SELECTED == LANGUAGE_TOKEN_neutral
#define RENDERING_MODULE L"qlx4120um.dll"
#elif SELECTED == LANGUAGE_TOKEN_b
#define RENDERING_MODULE L"qlx4120umb.dll"
#elif SELECTED == LANGUAGE_TOKEN_f
#define RENDERING_MODULE L"qlx4120umf.dll"
#elif SELECTED == LANGUAGE_TOKEN_i
#define RENDERING_MODULE L"qlx4120umi.dll"
#elif SELECTED == LANGUAGE_TOKEN_g
#define RENDERING_MODULE L"qlx4120umg.dll"
#elif SELECTED == LANGUAGE_TOKEN_s
#define RENDERING_MODULE L"qlx4120ums.dll"
#elif SELECTED == LANGUAGE_TOKEN_nl
#define RENDERING_MODULE L"qlx4120umnl.dll"
#elif SELECTED == LANGUAGE_TOKEN_da
#define RENDERING_MODULE L"qlx4120umda.dll"
#elif SELECTED == LANGUAGE_TOKEN_no
#define RENDERING_MODULE L"qlx4120umno.dll"
#elif SELECTED == LANGUAGE_TOKEN_sv
#define RENDERING_MODULE L"qlx4120umsv.dll"
#elif SELECTED == LANGUAGE_TOKEN_fi
#define RENDERING_MODULE L"qlx4120umfi.dll"
#else
#error "SELECTED_LANGUAGE must be noLanguage, neutral, b, f, i, g, s, nl, da, no, sv or fi"
#endif

PCWSTR RenderingModuleName()
{
    return RENDERING_MODULE;
}
