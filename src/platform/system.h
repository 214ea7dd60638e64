// Small system services: clock, sound, files, identity.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/types.h"

namespace brisolt {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() = 0;
    // The date and the time of day in the system's short forms.
    virtual std::string DateText(const DateTime& t) = 0;
    virtual std::string TimeText(const DateTime& t) = 0;
    // Seconds since 1970-01-01 UTC, by this computer's clock.
    virtual std::int64_t UtcSeconds() = 0;
    // The local time of day of a UTC second, hours and minutes ("10:42").
    virtual std::string TimeOfDayText(std::int64_t utcSeconds) = 0;
    // The local date and time of a UTC second.
    virtual DateTime LocalTime(std::int64_t utcSeconds) = 0;
    // Milliseconds of a clock that never goes back (any origin).
    virtual std::int64_t SteadyMilliseconds() = 0;
};

// A timer that ticks once, then stops; starting it again starts its count
// again.
class OneShotTimer {
public:
    virtual ~OneShotTimer() = default;
    // False when it could not be started.
    virtual bool Start(std::int64_t delayMs) = 0;
    virtual void Stop() = 0;
};

class Sound {
public:
    virtual ~Sound() = default;
    // The exclamation sound (MessageBeep(MB_ICONEXCLAMATION)).
    virtual void Exclamation() = 0;
};

// A file opened for appending; closed when destroyed.
class AppendFile {
public:
    virtual ~AppendFile() = default;
    // Writes the bytes completely or not at all; false on failure.
    virtual bool Write(const std::string& bytes) = 0;
};

class Files {
public:
    virtual ~Files() = default;
    // Opens (creating when missing) a file for appending; nullptr when it cannot.
    virtual std::unique_ptr<AppendFile> OpenAppend(const std::string& path) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // Writes a file anew with these bytes (an export); false when it fails.
    virtual bool Replace(const std::string& path, const std::string& bytes) = 0;
};

// Text in the system's code page, in which the program holds its texts.
class CodePage {
public:
    virtual ~CodePage() = default;
    // The text in lower case by the code page's own letters ("\xDC" is
    // "\xFC", Ü is ü, in Windows-1252).
    virtual std::string Lower(std::string_view text) = 0;
};

class Identity {
public:
    virtual ~Identity() = default;
    // The signed-in user's name, read once at start-up.
    virtual std::string UserName() = 0;
    // The computer's name.
    virtual std::string ComputerName() = 0;
};

}  // namespace brisolt
