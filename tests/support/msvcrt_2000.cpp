// Windows 2000's msvcrt.dll has no _fstat64, which the C++ library's file
// streams import, so an i686 test program that imports it does not start
// there. The programs carry their own, built on _fstati64, which msvcrt has
// had since Windows NT 4; the streams only ask for the size and the mode.
#include <sys/stat.h>

extern "C" {

static int __cdecl FileStatus64(int descriptor, struct _stat64 *status)
{
    struct _stati64 found;
    if (_fstati64(descriptor, &found) != 0)
        return -1;
    status->st_dev = found.st_dev;
    status->st_ino = found.st_ino;
    status->st_mode = found.st_mode;
    status->st_nlink = found.st_nlink;
    status->st_uid = found.st_uid;
    status->st_gid = found.st_gid;
    status->st_rdev = found.st_rdev;
    status->st_size = found.st_size;
    status->st_atime = found.st_atime;
    status->st_mtime = found.st_mtime;
    status->st_ctime = found.st_ctime;
    return 0;
}

// What a call through the import table finds: the C++ library calls
// _fstat64 through __imp__fstat64, and this definition comes first.
int(__cdecl *_imp___fstat64)(int, struct _stat64 *) = FileStatus64;
}
