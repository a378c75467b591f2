// <Windows.h> as Microsoft's sources spell it: wine's header is <windows.h>,
// and this machine's file names are case-sensitive.
#pragma once
#include <windows.h>
