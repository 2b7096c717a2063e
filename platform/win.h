// The one place that chooses the Windows API: the real <windows.h> on Windows, the in-process stand-in on
// other hosts, so the clipboard code and the program build and run in both.
#pragma once

#ifdef _WIN32
#include <windows.h>

#include <stdlib.h>

// The private text buffer comes from the C runtime's heap; the stand-in routes this through its desktop so
// tests can make it fail.
inline void* AllocateBuffer(SIZE_T size)
{
    return malloc(size);
}

inline void FreeBuffer(void* buffer)
{
    free(buffer);
}
#else
#include "standin/windows_standin.h"
#endif
