// The system's exclamation sound.
#pragma once
#include "platform/system.h"

namespace brisolt::win32 {

class Win32Sound : public Sound {
public:
    // Consecutive exclamation sounds overlap into one, so any number of
    // requests in one tick plays the sound once.
    void Exclamation(int requests) override;
};

}  // namespace brisolt::win32
