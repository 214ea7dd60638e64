#include "win32/windows/icons.h"

#include "win32/base/control_error.h"

namespace brisolt::win32 {

std::string IconResourceName(const std::string& name) {
    return !name.empty() && name[0] == ':' ? name.substr(1) : name;
}

UniqueIcon LoadProgramIcon(HINSTANCE instance, const std::string& name, int size) {
    const std::string resource = IconResourceName(name);
    UniqueIcon icon(static_cast<HICON>(LoadImageA(instance, resource.c_str(), IMAGE_ICON, size, size, 0)));
    if (!icon.Get()) ThrowControlError("Loading the icon " + name);
    return icon;
}

}  // namespace brisolt::win32
