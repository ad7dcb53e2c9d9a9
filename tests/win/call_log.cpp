#include "call_log.h"

#include "import_hook.h"

#include <mmsystem.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace call_log {
namespace {

bool recording;
bool failSetTimer;
std::vector<std::string> calls;
std::map<const void*, std::string> names;

std::string Hex(uintptr_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(value));
    return text;
}

std::string Of(const void* handle)
{
    if (handle == nullptr) return "null";
    auto found = names.find(handle);
    return found != names.end() ? found->second : Hex(reinterpret_cast<uintptr_t>(handle));
}

std::string Of(long long number) { return std::to_string(number); }

// A resource name: a string, or a number in the low word.
std::string Resource(LPCSTR name)
{
    if (IS_INTRESOURCE(name)) return "#" + std::to_string(reinterpret_cast<uintptr_t>(name));
    return name;
}

void Record(const std::string& line)
{
    if (recording) calls.push_back(line);
}

// The real functions, taken before the table is changed.
struct Real {
    decltype(&GetPrivateProfileIntA) getPrivateProfileInt;
    decltype(&LoadBitmapA) loadBitmap;
    decltype(&MessageBoxA) messageBox;
    decltype(&SetTimer) setTimer;
    decltype(&KillTimer) killTimer;
    decltype(&PlaySoundA) playSound;
    decltype(&GetWindowRect) getWindowRect;
    decltype(&GetDC) getDC;
    decltype(&ReleaseDC) releaseDC;
    decltype(&GetObjectA) getObject;
    decltype(&CreateCompatibleDC) createCompatibleDC;
    decltype(&SelectObject) selectObject;
    decltype(&BitBlt) bitBlt;
    decltype(&StretchBlt) stretchBlt;
    decltype(&DeleteDC) deleteDC;
    decltype(&DeleteObject) deleteObject;
} real;

UINT WINAPI RecordGetPrivateProfileInt(LPCSTR section, LPCSTR key, INT defaultValue, LPCSTR file)
{
    UINT value = real.getPrivateProfileInt(section, key, defaultValue, file);
    Record(std::string("GetPrivateProfileIntA(") + section + "," + key + "," + Of(defaultValue) + "," + file +
           ")=" + Of(static_cast<int>(value)));
    return value;
}

HBITMAP WINAPI RecordLoadBitmap(HINSTANCE instance, LPCSTR name)
{
    HBITMAP bitmap = real.loadBitmap(instance, name);
    if (bitmap) Name(bitmap, Resource(name));
    Record("LoadBitmapA(" + Of(instance) + "," +
           Resource(name) + ")=" + Of(bitmap));
    return bitmap;
}

int WINAPI RecordMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type)
{
    Record("MessageBoxA(" + Of(owner) + "," + text + "," + caption + "," + Hex(type) + ")");
    return real.messageBox(owner, text, caption, type);
}

UINT_PTR WINAPI RecordSetTimer(HWND window, UINT_PTR id, UINT period, TIMERPROC procedure)
{
    UINT_PTR result = 0;
    if (failSetTimer) {
        failSetTimer = false;
    } else {
        result = real.setTimer(window, id, period, procedure);
    }
    Record("SetTimer(" + Of(window) + "," + Of(static_cast<long long>(id)) + "," + Of(period) + "," +
           Of(reinterpret_cast<void*>(procedure)) + ")=" + Of(static_cast<long long>(result)));
    return result;
}

BOOL WINAPI RecordKillTimer(HWND window, UINT_PTR id)
{
    Record("KillTimer(" + Of(window) + "," + Of(static_cast<long long>(id)) + ")");
    return real.killTimer(window, id);
}

BOOL WINAPI RecordPlaySound(LPCSTR sound, HMODULE module, DWORD flags)
{
    Record("PlaySoundA(" + Resource(sound) + "," + Of(module) + "," + Hex(flags) + ")");
    return real.playSound(sound, module, flags);
}

BOOL WINAPI RecordGetWindowRect(HWND window, LPRECT rect)
{
    Record("GetWindowRect(" + Of(window) + ")");
    return real.getWindowRect(window, rect);
}

HDC WINAPI RecordGetDC(HWND window)
{
    HDC dc = real.getDC(window);
    if (dc && window) Name(dc, "windowDC");
    Record("GetDC(" + Of(window) + ")=" + Of(dc));
    return dc;
}

int WINAPI RecordReleaseDC(HWND window, HDC dc)
{
    Record("ReleaseDC(" + Of(window) + "," + Of(dc) + ")");
    return real.releaseDC(window, dc);
}

int WINAPI RecordGetObject(HANDLE object, int size, LPVOID buffer)
{
    Record("GetObjectA(" + Of(object) + "," + (size == sizeof(BITMAP) ? std::string("sizeof(BITMAP)") : Of(size)) + ")");
    return real.getObject(object, size, buffer);
}

HDC WINAPI RecordCreateCompatibleDC(HDC dc)
{
    HDC memory = real.createCompatibleDC(dc);
    if (memory) Name(memory, "memoryDC");
    Record("CreateCompatibleDC(" + Of(dc) + ")=" + Of(memory));
    return memory;
}

HGDIOBJ WINAPI RecordSelectObject(HDC dc, HGDIOBJ object)
{
    HGDIOBJ previous = real.selectObject(dc, object);
    if (previous && names.find(previous) == names.end()) Name(previous, "defaultBitmap");
    Record("SelectObject(" + Of(dc) + "," + Of(object) + ")=" + Of(previous));
    return previous;
}

BOOL WINAPI RecordBitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                         DWORD operation)
{
    Record("BitBlt(" + Of(target) + "," + Of(x) + "," + Of(y) + "," + Of(width) + "," + Of(height) + "," + Of(source) +
           "," + Of(sourceX) + "," + Of(sourceY) + "," + (operation == SRCCOPY ? "SRCCOPY" : Hex(operation)) + ")");
    return real.bitBlt(target, x, y, width, height, source, sourceX, sourceY, operation);
}

BOOL WINAPI RecordStretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                             int sourceWidth, int sourceHeight, DWORD operation)
{
    Record("StretchBlt(" + Of(target) + "," + Of(x) + "," + Of(y) + "," + Of(width) + "," + Of(height) + "," +
           Of(source) + "," + Of(sourceX) + "," + Of(sourceY) + "," + Of(sourceWidth) + "," + Of(sourceHeight) + "," +
           (operation == SRCCOPY ? "SRCCOPY" : Hex(operation)) + ")");
    return real.stretchBlt(target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, operation);
}

BOOL WINAPI RecordDeleteDC(HDC dc)
{
    Record("DeleteDC(" + Of(dc) + ")");
    return real.deleteDC(dc);
}

BOOL WINAPI RecordDeleteObject(HGDIOBJ object)
{
    Record("DeleteObject(" + Of(object) + ")");
    return real.deleteObject(object);
}

template <typename F>
void Hook(F& realFunction, const char* function, F wrapper)
{
    void** slot = FindImportSlot(nullptr, function);
    // Not imported by the program: the wrapper would never be called.
    if (slot == nullptr) std::abort();
    realFunction = reinterpret_cast<F>(SwapImportSlot(slot, reinterpret_cast<void*>(wrapper)));
}

}  // namespace

void Install()
{
    static bool installed;
    if (installed) return;
    installed = true;
    Hook(real.getPrivateProfileInt, "GetPrivateProfileIntA", &RecordGetPrivateProfileInt);
    Hook(real.loadBitmap, "LoadBitmapA", &RecordLoadBitmap);
    Hook(real.messageBox, "MessageBoxA", &RecordMessageBox);
    Hook(real.setTimer, "SetTimer", &RecordSetTimer);
    Hook(real.killTimer, "KillTimer", &RecordKillTimer);
    Hook(real.playSound, "PlaySoundA", &RecordPlaySound);
    Hook(real.getWindowRect, "GetWindowRect", &RecordGetWindowRect);
    Hook(real.getDC, "GetDC", &RecordGetDC);
    Hook(real.releaseDC, "ReleaseDC", &RecordReleaseDC);
    Hook(real.getObject, "GetObjectA", &RecordGetObject);
    Hook(real.createCompatibleDC, "CreateCompatibleDC", &RecordCreateCompatibleDC);
    Hook(real.selectObject, "SelectObject", &RecordSelectObject);
    Hook(real.bitBlt, "BitBlt", &RecordBitBlt);
    Hook(real.stretchBlt, "StretchBlt", &RecordStretchBlt);
    Hook(real.deleteDC, "DeleteDC", &RecordDeleteDC);
    Hook(real.deleteObject, "DeleteObject", &RecordDeleteObject);
}

void Start(HWND subject)
{
    calls.clear();
    names.clear();
    failSetTimer = false;
    Name(subject, "window");
    recording = true;
}

void Stop() { recording = false; }

void ClearCalls() { calls.clear(); }

const std::vector<std::string>& Calls() { return calls; }

std::vector<std::string> CallsOf(const std::string& prefix)
{
    std::vector<std::string> matching;
    for (const std::string& call : calls) {
        if (call.compare(0, prefix.size(), prefix) == 0) matching.push_back(call);
    }
    return matching;
}

void FailNextSetTimer() { failSetTimer = true; }

void Name(const void* handle, const std::string& name) { names[handle] = name; }

}  // namespace call_log
