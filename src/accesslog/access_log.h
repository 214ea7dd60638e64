// The access log: one record each time another designer window comes to the
// front of the client, and one when the last designer window has gone.
#pragma once
#include <string>
#include <string_view>

#include "platform/system.h"
#include "scan/scan.h"
#include "settings/settings.h"

namespace brisolt {

// One field of a record as the log writes it: in double quotes (quotes inside
// are not escaped), then a comma, or CR LF after the last. Other records made
// for the same readers (the history's export) are written the same way.
void AppendLogField(std::string& record, std::string_view value, bool last);

class AccessLog {
public:
    // `user` is the signed-in user, written into every record.
    explicit AccessLog(std::string user = {}) : user_(std::move(user)) {}

    // Appends a record when the front-most designer window of this scan
    // differs from the last one logged, while logging is on. The record
    // carries the company of the same scan. A record that can't be written is
    // tried again at the next scan.
    void Record(const ScanResult& scan, const Settings& settings, Files& files, Clock& clock);

    const std::string& User() const { return user_; }

private:
    std::string user_;
    std::string lastLoggedTitle_;  // "" at start, "-" after a no-designer record
};

}  // namespace brisolt
