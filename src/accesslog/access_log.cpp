#include "accesslog/access_log.h"

#include "titles/designer_title.h"

namespace brisolt {

namespace {

// The title that stands for "no designer window open" in the last logged title.
constexpr const char* kNoDesignerMark = "-";

void AppendField(std::string& record, const std::string& value, bool last) {
    record += '"';
    record += value;  // written as it is: quotes inside are not escaped
    record += '"';
    record += last ? "\r\n" : ",";
}

// Eight quoted fields: user, company, key, name, type code, number, date,
// time. An empty title gives the no-designer record (fields 3 to 6 empty).
// The clock is read once, so date and time belong to the same moment even
// across midnight.
std::string BuildRecord(const std::string& user, const std::string& company, const std::string& title,
                        FormDesignerVariant variant, Clock& clock) {
    std::string key, name, code, number;
    if (!title.empty()) {
        key = ObjectKeyFromTitle(title);
        name = ObjectNameFromTitle(title, variant);
        code = ObjectTypeCodeText(key);
        number = ObjectNumberFromKey(key);
    }
    const DateTime now = clock.Now();
    std::string record;
    AppendField(record, user, false);
    AppendField(record, company, false);
    AppendField(record, key, false);
    AppendField(record, name, false);
    AppendField(record, code, false);
    AppendField(record, number, false);
    AppendField(record, clock.DateText(now), false);
    AppendField(record, clock.TimeText(now), true);
    return record;
}

}  // namespace

void AccessLog::Record(const ScanResult& scan, const Settings& settings, Files& files, Clock& clock) {
    // Only a walk that found the client says anything about its windows.
    if (!settings.logging || scan.clientMain == 0) return;
    // "" stands for "no designer window open", remembered as "-".
    const std::string& title = scan.frontDesigner;
    const std::string logged = title.empty() ? kNoDesignerMark : title;
    if (logged == lastLoggedTitle_) return;

    // Opened only for a record and closed at once, so other programs can read
    // it between scans. When it cannot be opened, the next scan tries again.
    std::unique_ptr<AppendFile> file = files.OpenAppend(settings.logFile);
    if (!file) return;
    // One write per whole record: a failed write leaves no partial line, and
    // the record is written again by the next scan.
    const FormDesignerVariant variant = FormVariantOf(settings.formularDesignerTitles);
    if (file->Write(BuildRecord(user_, scan.company, title, variant, clock))) lastLoggedTitle_ = logged;
}

}  // namespace brisolt
