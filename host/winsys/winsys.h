// The window-system layer for platforms without Windows.
//
// It offers the subset of the Win32 API that aokiri calls, under the Win32
// names and with their documented meanings, so that the system's code reads
// the same on every platform. It is not a general Win32: what aokiri does
// not call is not here. Where Windows and this layer could differ, Windows
// (as Wine runs it) is the reference, and the shared behaviour tests run
// against both.
#pragma once

#include <cstdarg>
#include <cstdint>

// Basic types, sized as on Win32.
typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef unsigned int UINT;
typedef int INT;
typedef int32_t LONG;
typedef char CHAR;
typedef CHAR* LPSTR;
typedef const CHAR* LPCSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef uintptr_t UINT_PTR;
typedef struct HWND__* HWND;

#define TRUE 1
#define FALSE 0
#define WINAPI
#define CALLBACK
#define MAX_PATH 260

// Profile (INI) files.
//
// A file name without a directory lives in the layer's Windows directory:
// $AOKIRI_CONFIG_DIR when set, else $XDG_CONFIG_HOME/aokiri, else
// ~/.config/aokiri. Values are read as Windows reads them (leading blanks,
// one sign, 0x/0o/0b prefixes, wrapping 32-bit arithmetic). A write replaces
// the file atomically, keeps every other line as it was, and returns FALSE
// when the file cannot be written; deleting keys or sections (a null key or
// value) is not offered.
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
UINT GetPrivateProfileIntA(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR fileName);
BOOL WritePrivateProfileStringA(LPCSTR section, LPCSTR key, LPCSTR value, LPCSTR fileName);

// Formats as the C library does, into at most 1024 bytes, as Windows does.
int wsprintfA(LPSTR buffer, LPCSTR format, ...);
