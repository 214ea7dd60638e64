#include "accesslog/access_log.h"


namespace brisolt {

namespace {

// The title that stands for "no designer window open" in the last logged title.
const std::string kNoDesignerMarkText = "-";

// Eight quoted fields: user, company, key, name, type code, number, date,
// time. No designer gives the no-designer record (fields 3 to 6 empty).
// The clock is read once, so date and time belong to the same moment even
// across midnight.
std::string BuildRecord(const std::string& user, const std::string& company, const ClientRow* designer,
                        Clock& clock) {
    std::string_view key, name, code, number;
    std::string codeText;
    if (designer) {
        const DesignerIdentity& object = designer->designer;
        key = object.Key(designer->title);
        name = object.Name(designer->title);
        codeText = std::to_string(object.typeCode);
        code = codeText;
        number = object.Number(designer->title);
    }
    const DateTime now = clock.Now();
    std::string record;
    AppendLogField(record, user, false);
    AppendLogField(record, company, false);
    AppendLogField(record, key, false);
    AppendLogField(record, name, false);
    AppendLogField(record, code, false);
    AppendLogField(record, number, false);
    AppendLogField(record, clock.DateText(now), false);
    AppendLogField(record, clock.TimeText(now), true);
    return record;
}

}  // namespace

void AppendLogField(std::string& record, std::string_view value, bool last) {
    record += '"';
    record += value;  // written as it is: quotes inside are not escaped
    record += '"';
    record += last ? "\r\n" : ",";
}

void AccessLog::Record(const ScanResult& scan, const Settings& settings, Files& files, Clock& clock) {
    // Only a walk that found the client says anything about its windows.
    if (!settings.logging || scan.clientMain == 0) return;
    // No designer window open is remembered as "-".
    const ClientRow* front = scan.FrontDesigner();
    const std::string& logged = front ? front->title : kNoDesignerMarkText;
    if (logged == lastLoggedTitle_) return;

    // Opened only for a record and closed at once, so other programs can read
    // it between scans. When it cannot be opened, the next scan tries again.
    std::unique_ptr<AppendFile> file = files.OpenAppend(settings.logFile);
    if (!file) return;
    // One write per whole record: a failed write leaves no partial line, and
    // the record is written again by the next scan.
    if (file->Write(BuildRecord(user_, scan.company, front, clock)))
        lastLoggedTitle_ = logged;
}

}  // namespace brisolt
