// Small system services: clock, sound, files, identity.
#pragma once
#include <memory>
#include <string>

#include "platform/types.h"

namespace brisolt {

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() = 0;
    // The date and the time of day in the system's short forms.
    virtual std::string DateText(const DateTime& t) = 0;
    virtual std::string TimeText(const DateTime& t) = 0;
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
};

class Identity {
public:
    virtual ~Identity() = default;
    // The signed-in user's name, read once at start-up.
    virtual std::string UserName() = 0;
};

}  // namespace brisolt
