/* A program that only carries the resources: it lets the 32-bit build's
   resources be inspected before any other program links them. */
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show)
{
    return 0;
}
