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

// Modules and their resources.
//
// The one module is the executable. Its resources are a compiled resource
// script (.res) linked into it (resources/CMakeLists.txt embeds one); an
// executable without one has a module with no resources. Resources are
// found by type and name, each a number (MAKEINTRESOURCEA, or the string
// "#123") or a string compared without regard to ASCII case. The data
// stays where it is linked: LoadResource and LockResource only point at it.
typedef void* HANDLE;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef struct HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
typedef struct HRSRC__* HRSRC;
typedef HANDLE HGLOBAL;

#define MAKEINTRESOURCEA(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)
#define RT_ICON MAKEINTRESOURCEA(3)
#define RT_BITMAP MAKEINTRESOURCEA(2)
#define RT_DIALOG MAKEINTRESOURCEA(5)
#define RT_GROUP_ICON MAKEINTRESOURCEA(14)
#define RT_VERSION MAKEINTRESOURCEA(16)

#define LANG_NEUTRAL 0x00
#define LANG_JAPANESE 0x11
#define SUBLANG_NEUTRAL 0x00
#define SUBLANG_DEFAULT 0x01
#define MAKELANGID(primary, sub) ((WORD)((((WORD)(sub)) << 10) | (WORD)(primary)))

typedef BOOL(CALLBACK* ENUMRESLANGPROCA)(HMODULE module, LPCSTR type, LPCSTR name, WORD language, LONG_PTR param);

// NULL gives the executable's module; there is no other module to name.
HMODULE GetModuleHandleA(LPCSTR moduleName);
// A null module means the executable. FindResourceA takes the first
// resource of that type and name in any language, FindResourceExA only one
// of exactly that language.
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HRSRC FindResourceExA(HMODULE module, LPCSTR type, LPCSTR name, WORD language);
DWORD SizeofResource(HMODULE module, HRSRC resource);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
// Calls `callback` with each language of the resource until it returns
// FALSE; FALSE when there is no such resource or the callback stopped.
BOOL EnumResourceLanguagesA(HMODULE module, LPCSTR type, LPCSTR name, ENUMRESLANGPROCA callback, LONG_PTR param);
