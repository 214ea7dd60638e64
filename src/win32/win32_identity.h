// The signed-in user's name.
#pragma once
#include "platform/system.h"

namespace brisolt::win32 {

class Win32Identity : public Identity {
public:
    // GetUserNameA; "" when the system refuses.
    std::string UserName() override;
};

}  // namespace brisolt::win32
