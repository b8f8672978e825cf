// <windows.h>, and the device controls, the shell's and COM's calls that need it first, for the
// Win32 side of platform/. Its names of the A/W pairs are macros that would rename the program's
// own functions of the same name (tv::GetFileAttributes, tv::DeleteFile …); they are taken away
// here, and the Win32 calls are made by their W names. Yield, a leftover of 16-bit Windows, would
// rename RunContext::Yield.
#pragma once

#include <windows.h>
// clang-format off
#include <winioctl.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
// clang-format on

#undef CopyFile
#undef CreateSymbolicLink
#undef DeleteFile
#undef GetFileAttributes
#undef MoveFile
#undef SetFileAttributes
#undef Yield
