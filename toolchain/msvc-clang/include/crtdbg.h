// <crtdbg.h> for this toolchain: wine's, plus where a report of the debug
// runtime goes. This build links only the release runtime, where the report
// settings do nothing, as in Microsoft's header without _DEBUG.
#pragma once
#include_next <crtdbg.h>

#ifndef _CRTDBG_MODE_FILE
typedef void *_HFILE;
#define _CRTDBG_INVALID_HFILE ((_HFILE)(intptr_t)-1)
#define _CRTDBG_HFILE_ERROR ((_HFILE)(intptr_t)-2)
#define _CRTDBG_FILE_STDOUT ((_HFILE)(intptr_t)-4)
#define _CRTDBG_FILE_STDERR ((_HFILE)(intptr_t)-5)
#define _CRTDBG_REPORT_FILE ((_HFILE)(intptr_t)-6)
#define _CRTDBG_MODE_FILE 0x1
#define _CRTDBG_MODE_DEBUG 0x2
#define _CRTDBG_MODE_WNDW 0x4
#define _CRTDBG_REPORT_MODE -1
#endif
#ifndef _DEBUG
#ifndef _CrtSetReportFile
#define _CrtSetReportFile(type, file) ((_HFILE)0)
#endif
#endif
