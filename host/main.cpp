// The entry that the run time's start-up calls. Its start values are not
// used: SaverStartup reads the command line itself and never returns.
#include "startup.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    SaverStartup();
}
