// The security that the store gives a key it creates: every account may
// query and set values, so that each user's Document Properties can save,
// but only SYSTEM and Administrators may delete the key or change its owner
// or permissions.
#pragma once

#include <windows.h>

#define KEY_SECURITY_ACL_BYTES 256

// Everything the descriptor points to lives in the record itself, so it
// needs no release and stays valid as long as the record does.
struct KeySecurity {
    SECURITY_ATTRIBUTES attributes;
    union {
        BYTE bytes[SECURITY_DESCRIPTOR_MIN_LENGTH];
        void *align;
    } descriptor;
    union {
        BYTE bytes[KEY_SECURITY_ACL_BYTES];
        DWORD align;
    } acl;
    union {
        BYTE bytes[SECURITY_MAX_SID_SIZE];
        DWORD align;
    } everyone, system, administrators;
};

// Access that every account gets on a store key.
#define KEY_SECURITY_EVERYONE_ACCESS (KEY_QUERY_VALUE | KEY_SET_VALUE)

// Fills *security and points security->attributes at the descriptor.
// Returns FALSE when the platform refuses any step.
BOOL BuildKeySecurity(KeySecurity *security);
