#include "win32/system_services.h"

#include "win32/fonts.h"

namespace brisolt::win32 {

void SystemServices::AttachTo(Platform& p, Desktop* otherDesktop) {
    p.desktop = otherDesktop ? otherDesktop : &desktop;
    p.clock = &clock;
    p.sound = &sound;
    p.files = &files;
    p.identity = &identity;
    p.textMeasure = &textMeasure;
    p.twipsPerPixelX = 1440.0 / ScreenDpiX();
    p.twipsPerPixelY = 1440.0 / ScreenDpiY();
}

}  // namespace brisolt::win32
