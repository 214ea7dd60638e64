// The local clock and the user's regional date and time forms.
#pragma once
#include "platform/system.h"

namespace brisolt::win32 {

class Win32Clock : public Clock {
public:
    DateTime Now() override;
    // The short date form (DATE_SHORTDATE), e.g. "07.12.2026".
    std::string DateText(const DateTime& t) override;
    // The user's time form with seconds, e.g. "12:34:56".
    std::string TimeText(const DateTime& t) override;
};

}  // namespace brisolt::win32
