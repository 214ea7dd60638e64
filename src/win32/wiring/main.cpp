// brisolt.exe: the command line is ignored; everything else is the Program.
#include "win32/base/win.h"

#include <exception>

#include "win32/windows/event_dispatcher.h"
#include "win32/wiring/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        brisolt::win32::Program program(instance);
        return program.Run();
    } catch (const std::exception& e) {
        // A window the program cannot run without (its timers) failed to
        // come up before any event could report it.
        brisolt::win32::ShowRunTimeError(brisolt::win32::RunTimeErrorText(brisolt::Language::NotChosen, e.what()));
        return 1;
    }
}
