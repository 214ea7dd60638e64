// The small system services on Windows (the clock, the exclamation sound,
// files, the user's name, the program's version resource) and the bundle of
// every Windows service the portable logic runs on apart from the settings
// file and the user interface.
#pragma once
#include <string>

#include "platform/system.h"
#include "program/app.h"
#include "win32/ports/fonts.h"
#include "win32/ports/win32_desktop.h"

namespace brisolt::win32 {

// The local clock and the user's regional date and time forms.
class Win32Clock : public Clock {
public:
    DateTime Now() override;
    // The short date form (DATE_SHORTDATE), e.g. "07.12.2026".
    std::string DateText(const DateTime& t) override;
    // The user's time form with seconds, e.g. "12:34:56".
    std::string TimeText(const DateTime& t) override;
    std::int64_t UtcSeconds() override;
    // The local time of day without seconds, e.g. "10:42".
    std::string TimeOfDayText(std::int64_t utcSeconds) override;
    // By the time zone's rules for that date.
    DateTime LocalTime(std::int64_t utcSeconds) override;
    // The performance counter's milliseconds.
    std::int64_t SteadyMilliseconds() override;
};

class Win32Sound : public Sound {
public:
    void Exclamation() override;
};

// Appending to files (the access log) and asking whether a file exists.
class Win32Files : public Files {
public:
    // Opens for appending, creating the file when missing; others may read it
    // meanwhile (a viewer showing the log). A record that only partly fits on
    // the disk is cut off again, so the file never ends in part of a line.
    std::unique_ptr<AppendFile> OpenAppend(const std::string& path) override;
    // True for a file; a folder is no file to append to or to open.
    bool Exists(const std::string& path) override;
    // Through a temporary file beside it: a failed export leaves the old file.
    bool Replace(const std::string& path, const std::string& bytes) override;
};

class Win32Identity : public Identity {
public:
    // GetUserNameA; "" when the system refuses.
    std::string UserName() override;
    // GetComputerNameA; "" when the system refuses.
    std::string ComputerName() override;
};

class Win32CodePage : public CodePage {
public:
    // CharLowerBuffA: the letters of the system's code page.
    std::string Lower(std::string_view text) override;
};

// Product name, file version numbers and legal-copyright line of the module
// file `path`; empty texts and zero numbers where the resource has none.
VersionInfo ReadVersionInfo(const std::string& path);

struct SystemServices {
    Win32Desktop desktop;
    Win32Clock clock;
    Win32Sound sound;
    Win32Files files;
    Win32Identity identity;
    Win32CodePage codePage;
    Win32TextMeasure textMeasure;

    // Points the platform at these services (at `desktop` unless another one
    // is given, e.g. a counting wrapper) and fills in the screen's twips per
    // pixel.
    void AttachTo(Platform& p, Desktop* otherDesktop = nullptr);
};

}  // namespace brisolt::win32
