// brisolt.exe: the command line is ignored; everything else is the Program.
#include "win32/win.h"

#include "win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    brisolt::win32::Program program(instance);
    return program.Run();
}
