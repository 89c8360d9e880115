#include "settings/keysecurity.h"

static BOOL MakeSid(void *sid, PSID_IDENTIFIER_AUTHORITY authority, BYTE count, DWORD first, DWORD second)
{
    if (!InitializeSid(sid, authority, count))
        return FALSE;
    *GetSidSubAuthority(sid, 0) = first;
    if (count > 1)
        *GetSidSubAuthority(sid, 1) = second;
    return TRUE;
}

BOOL BuildKeySecurity(KeySecurity *security)
{
    SID_IDENTIFIER_AUTHORITY worldAuthority = {SECURITY_WORLD_SID_AUTHORITY};
    SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
    ZeroMemory(security, sizeof(*security));

    if (!MakeSid(security->everyone.bytes, &worldAuthority, 1, SECURITY_WORLD_RID, 0) ||
        !MakeSid(security->system.bytes, &ntAuthority, 1, SECURITY_LOCAL_SYSTEM_RID, 0) ||
        !MakeSid(security->administrators.bytes, &ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID,
                 DOMAIN_ALIAS_RID_ADMINS))
        return FALSE;

    PACL acl = reinterpret_cast<PACL>(security->acl.bytes);
    DWORD aceBase = sizeof(ACCESS_ALLOWED_ACE) - sizeof(DWORD);
    DWORD aclSize = sizeof(ACL) + 3 * aceBase + GetLengthSid(security->everyone.bytes) +
                    GetLengthSid(security->system.bytes) + GetLengthSid(security->administrators.bytes);
    if (aclSize > sizeof(security->acl.bytes) || !InitializeAcl(acl, aclSize, ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, KEY_SECURITY_EVERYONE_ACCESS, security->everyone.bytes) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, security->system.bytes) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, KEY_ALL_ACCESS, security->administrators.bytes))
        return FALSE;

    PSECURITY_DESCRIPTOR descriptor = security->descriptor.bytes;
    if (!InitializeSecurityDescriptor(descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(descriptor, TRUE, acl, FALSE))
        return FALSE;

    security->attributes.nLength = sizeof(SECURITY_ATTRIBUTES);
    security->attributes.lpSecurityDescriptor = descriptor;
    security->attributes.bInheritHandle = FALSE;
    return TRUE;
}
