#include "command_line.h"

namespace {

unsigned Code(LPCSTR position) { return static_cast<unsigned char>(*position); }

LPCSTR SkipSpaces(LPCSTR text)
{
    while (*text == ' ') ++text;
    return text;
}

}  // namespace

LPCSTR FindCommandTail(LPCSTR commandLine, CharStep next)
{
    LPCSTR position = commandLine;
    if (*position == '"') {
        // The second byte of a double-byte character may look like a quote:
        // only the character steps tell a closing quote from it.
        position = next(position);
        while (*position != '\0' && *position != '"') position = next(position);
        if (*position == '"') ++position;
    } else if (Code(position) > 0x20) {
        while (Code(position) > 0x20) position = next(position);
    }
    while (Code(position) >= 0x01 && Code(position) <= 0x20) position = next(position);
    return position;
}

SwitchChoice ChooseSwitch(LPCSTR commandTail)
{
    LPCSTR position = commandTail;
    while (*position == ' ' || *position == '-' || *position == '/') ++position;
    switch (*position) {
    case '\0':
        return {MODE_SETTINGS, nullptr};
    case 's':
    case 'S':
        return {MODE_FULL_SCREEN, nullptr};
    case 'p':
    case 'P':
    case 'l':
    case 'L':
        return {MODE_PREVIEW, SkipSpaces(position + 1)};
    case 'a':
    case 'A':
        return {MODE_CHANGE_PASSWORD, SkipSpaces(position + 1)};
    case 'c':
    case 'C':
        return {MODE_SETTINGS_OWNED, position[1] == ':' ? position + 2 : nullptr};
    default:
        return {MODE_NONE, nullptr};
    }
}

DWORD ReadWindowNumber(LPCSTR text)
{
    DWORD value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + static_cast<DWORD>(*text - '0');
    return value;
}

HWND ParseWindowNumber(LPCSTR text)
{
    return reinterpret_cast<HWND>(static_cast<UINT_PTR>(ReadWindowNumber(text)));
}
