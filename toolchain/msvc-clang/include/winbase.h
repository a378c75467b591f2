// <winbase.h> for this toolchain: wine's, plus the file-information records
// and flags of later Windows versions that std::filesystem's implementation
// uses (file identity, delete-on-close with POSIX semantics, symbolic links
// without elevation). Windows 10 defines them; wine's headers do not yet.
#pragma once
#include_next <winbase.h>

#ifndef SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE
#define SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE 0x2
#endif
#ifndef FILE_DISPOSITION_FLAG_DELETE
#define FILE_DISPOSITION_FLAG_DO_NOT_DELETE 0x00000000
#define FILE_DISPOSITION_FLAG_DELETE 0x00000001
#define FILE_DISPOSITION_FLAG_POSIX_SEMANTICS 0x00000002
#define FILE_DISPOSITION_FLAG_FORCE_IMAGE_SECTION_CHECK 0x00000004
#define FILE_DISPOSITION_FLAG_ON_CLOSE 0x00000008
#define FILE_DISPOSITION_FLAG_IGNORE_READONLY_ATTRIBUTE 0x00000010
#endif

#ifdef __cplusplus
extern "C" {
#endif

#ifndef _FILE_ID_128_DEFINED_HERE
#define _FILE_ID_128_DEFINED_HERE
typedef struct _FILE_ID_128_RECORD {
  BYTE Identifier[16];
} FILE_ID_128_RECORD;
typedef struct _FILE_ID_INFO {
  ULONGLONG VolumeSerialNumber;
  FILE_ID_128_RECORD FileId;
} FILE_ID_INFO, *PFILE_ID_INFO;
typedef struct _FILE_DISPOSITION_INFO_EX {
  DWORD Flags;
} FILE_DISPOSITION_INFO_EX, *PFILE_DISPOSITION_INFO_EX;
#endif

// Windows 11's temporary folder for any account; looked up at run time.
WINBASEAPI DWORD WINAPI GetTempPath2W(DWORD length, LPWSTR buffer);

#ifdef __cplusplus
}
#endif
