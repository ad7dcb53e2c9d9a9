#include "system_calls.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <stdexcept>
#include <type_traits>

namespace {

std::vector<RecordedCall> calls;
SystemScript script;

struct Originals {
    decltype(&DefWindowProcA) defWindowProc;
    decltype(&Sleep) sleep;
    decltype(&GetTickCount) getTickCount;
    decltype(&GetModuleHandleA) getModuleHandle;
    decltype(&GetProcAddress) getProcAddress;
    decltype(&LoadLibraryA) loadLibrary;
    decltype(&FreeLibrary) freeLibrary;
    decltype(&SystemParametersInfoA) systemParametersInfo;
    decltype(&RegOpenKeyA) regOpenKey;
    decltype(&RegQueryValueExA) regQueryValueEx;
    decltype(&RegCloseKey) regCloseKey;
    decltype(&GetParent) getParent;
    decltype(&PostQuitMessage) postQuitMessage;
    decltype(&PostMessageA) postMessage;
    HIMC(WINAPI* immAssociateContext)(HWND, HIMC);
    DWORD(WINAPI* pwdChangePassword)(LPCSTR, HWND, DWORD, LPVOID);
} original;

std::string Format(const char* format, ...)
{
    char text[256];
    va_list arguments;
    va_start(arguments, format);
    std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    return text;
}

template <typename Result>
Result Log(std::string text, Result result)
{
    LRESULT value;
    if constexpr (std::is_pointer_v<Result>)
        value = reinterpret_cast<LRESULT>(result);
    else
        value = static_cast<LRESULT>(result);
    calls.push_back({std::move(text), value});
    return result;
}

LRESULT WINAPI RecordDefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = original.defWindowProc(window, message, wParam, lParam);
    calls.push_back({Format("DefWindowProcA 0x%04X", message), result});
    return result;
}

void WINAPI RecordSleep(DWORD milliseconds)
{
    calls.push_back({Format("Sleep %lu", milliseconds), 0});
    original.sleep(milliseconds);
}

DWORD WINAPI RecordGetTickCount()
{
    DWORD tick = original.getTickCount();
    if (!script.ticks.empty()) {
        tick = script.ticks.front();
        script.ticks.pop_front();
    }
    calls.push_back({"GetTickCount", static_cast<LRESULT>(tick)});
    return tick;
}

HMODULE WINAPI RecordGetModuleHandle(LPCSTR name)
{
    HMODULE module = original.getModuleHandle(name);
    if (script.hideInputMethod && name && _stricmp(name, "IMM32.DLL") == 0) module = nullptr;
    calls.push_back({Format("GetModuleHandleA %s", name ? name : "(null)"), reinterpret_cast<LRESULT>(module)});
    return module;
}

HIMC WINAPI RecordImmAssociateContext(HWND window, HIMC context)
{
    HIMC previous = original.immAssociateContext(window, context);
    if (script.noInputContext && !context) previous = nullptr;
    calls.push_back({context ? "ImmAssociateContext saved" : "ImmAssociateContext none",
                     reinterpret_cast<LRESULT>(previous)});
    return previous;
}

DWORD WINAPI RecordPwdChangePassword(LPCSTR provider, HWND owner, DWORD reserved1, LPVOID reserved2)
{
    DWORD result = original.pwdChangePassword(provider, owner, reserved1, reserved2);
    calls.push_back({Format("PwdChangePasswordA %s owner %p %lu %p", provider, static_cast<void*>(owner), reserved1, reserved2),
                     static_cast<LRESULT>(result)});
    return result;
}

// Hands out a recording routine where the code under test asks for one that
// the test wants to see called.
template <typename Proc>
FARPROC Wrap(FARPROC routine, Proc& originalSlot, Proc recorder)
{
    originalSlot = reinterpret_cast<Proc>(reinterpret_cast<void*>(routine));
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(recorder));
}

FARPROC WINAPI RecordGetProcAddress(HMODULE module, LPCSTR name)
{
    FARPROC routine = original.getProcAddress(module, name);
    calls.push_back({Format("GetProcAddress %s", name), reinterpret_cast<LRESULT>(routine)});
    if (!routine) return routine;
    if (std::strcmp(name, "ImmAssociateContext") == 0)
        return Wrap(routine, original.immAssociateContext, &RecordImmAssociateContext);
    if (std::strcmp(name, "PwdChangePasswordA") == 0)
        return Wrap(routine, original.pwdChangePassword, &RecordPwdChangePassword);
    return routine;
}

BOOL WINAPI RecordPostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Log(Format("PostMessageA %p 0x%04X %p %p", static_cast<void*>(window), message,
                      reinterpret_cast<void*>(wParam), reinterpret_cast<void*>(lParam)),
               original.postMessage(window, message, wParam, lParam));
}

void WINAPI RecordPostQuitMessage(int code)
{
    calls.push_back({Format("PostQuitMessage %d", code), 0});
    original.postQuitMessage(code);
}

HMODULE WINAPI RecordLoadLibrary(LPCSTR name)
{
    return Log(Format("LoadLibraryA %s", name), original.loadLibrary(name));
}

BOOL WINAPI RecordFreeLibrary(HMODULE module)
{
    return Log("FreeLibrary", original.freeLibrary(module));
}

BOOL WINAPI RecordSystemParametersInfo(UINT action, UINT number, PVOID pointer, UINT flags)
{
    std::string text = Format("SystemParametersInfoA %u %u", action, number);
    if (pointer) text += Format(" state %u", *static_cast<UINT*>(pointer));
    text += Format(" flags %u", flags);
    return Log(text, original.systemParametersInfo(action, number, pointer, flags));
}

LONG WINAPI RecordRegOpenKey(HKEY root, LPCSTR subkey, PHKEY key)
{
    return Log(Format("RegOpenKeyA %s", subkey), original.regOpenKey(root, subkey, key));
}

LONG WINAPI RecordRegQueryValueEx(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD size)
{
    std::string text = Format("RegQueryValueExA %s size %lu%s", name, size ? *size : 0, type ? " with type" : "");
    return Log(text, original.regQueryValueEx(key, name, reserved, type, data, size));
}

LONG WINAPI RecordRegCloseKey(HKEY key)
{
    return Log("RegCloseKey", original.regCloseKey(key));
}

HWND WINAPI RecordGetParent(HWND window)
{
    HWND parent = original.getParent(window);
    if (script.staleParent) {
        // A window handle that was real once: create and destroy one.
        parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
        DestroyWindow(parent);
    }
    return Log("GetParent", parent);
}

struct Routine {
    const char* name;
    const char* module;
    void* replacement;
    void** original;
};

template <typename Proc>
Routine Entry(const char* name, const char* module, Proc replacement, Proc& originalSlot)
{
    return {name, module, reinterpret_cast<void*>(replacement), reinterpret_cast<void**>(&originalSlot)};
}

const Routine* FindRoutine(const char* name)
{
    static const Routine routines[] = {
        Entry("DefWindowProcA", "USER32.dll", &RecordDefWindowProc, original.defWindowProc),
        Entry("Sleep", "KERNEL32.dll", &RecordSleep, original.sleep),
        Entry("GetTickCount", "KERNEL32.dll", &RecordGetTickCount, original.getTickCount),
        Entry("GetModuleHandleA", "KERNEL32.dll", &RecordGetModuleHandle, original.getModuleHandle),
        Entry("GetProcAddress", "KERNEL32.dll", &RecordGetProcAddress, original.getProcAddress),
        Entry("LoadLibraryA", "KERNEL32.dll", &RecordLoadLibrary, original.loadLibrary),
        Entry("FreeLibrary", "KERNEL32.dll", &RecordFreeLibrary, original.freeLibrary),
        Entry("SystemParametersInfoA", "USER32.dll", &RecordSystemParametersInfo, original.systemParametersInfo),
        Entry("RegOpenKeyA", "ADVAPI32.dll", &RecordRegOpenKey, original.regOpenKey),
        Entry("RegQueryValueExA", "ADVAPI32.dll", &RecordRegQueryValueEx, original.regQueryValueEx),
        Entry("RegCloseKey", "ADVAPI32.dll", &RecordRegCloseKey, original.regCloseKey),
        Entry("GetParent", "USER32.dll", &RecordGetParent, original.getParent),
        Entry("PostQuitMessage", "USER32.dll", &RecordPostQuitMessage, original.postQuitMessage),
        Entry("PostMessageA", "USER32.dll", &RecordPostMessage, original.postMessage),
    };
    for (const Routine& routine : routines)
        if (std::strcmp(routine.name, name) == 0) return &routine;
    throw std::invalid_argument(std::string("no recorder for ") + name);
}

}  // namespace

SystemCallRecorder::SystemCallRecorder(std::initializer_list<const char*> routines)
{
    calls.clear();
    script = SystemScript();
    for (const char* name : routines) {
        const Routine* routine = FindRoutine(name);
        hooks_.push_back(std::make_unique<ImportHook>(routine->module, routine->name, routine->replacement));
        *routine->original = hooks_.back()->Original<void*>();
    }
}

SystemCallRecorder::~SystemCallRecorder()
{
    hooks_.clear();
    script = SystemScript();
}

SystemScript& SystemCallRecorder::Script()
{
    return script;
}

const std::vector<RecordedCall>& SystemCallRecorder::Calls() const
{
    return calls;
}

std::vector<std::string> SystemCallRecorder::Texts(const std::string& prefix) const
{
    std::vector<std::string> texts;
    for (const RecordedCall& call : calls)
        if (call.text.compare(0, prefix.size(), prefix) == 0) texts.push_back(call.text);
    return texts;
}

void SystemCallRecorder::Clear()
{
    calls.clear();
}
