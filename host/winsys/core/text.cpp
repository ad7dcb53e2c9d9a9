// Text services of the kernel and user libraries.

#include "../winsys.h"

#include <cstdio>

int wsprintfA(LPSTR buffer, LPCSTR format, ...)
{
    // Windows never writes more than 1024 bytes here.
    constexpr size_t kLimit = 1024;
    va_list arguments;
    va_start(arguments, format);
    int length = std::vsnprintf(buffer, kLimit, format, arguments);
    va_end(arguments);
    if (length < 0) return 0;
    return length < static_cast<int>(kLimit) ? length : static_cast<int>(kLimit) - 1;
}
