#include "monitor/access_log.h"

#include <string>

#include "monitor/designer_title.h"
#include "shell/app.h"

namespace brisolt {

namespace {

// The title that stands for "no designer window open" in LastLoggedTitle.
constexpr const char* kNoDesignerMark = "-";

void AppendField(std::string& record, const std::string& value, bool last) {
    record += '"';
    record += value;  // written as it is: quotes inside are not escaped
    record += '"';
    record += last ? "\r\n" : ",";
}

// Eight quoted fields: identity, company, key, name, type code, number, date,
// time. An empty title gives the no-designer record (fields 3 to 6 empty).
// The clock is read once, so date and time belong to the same moment even
// across midnight.
std::string BuildRecord(App& app, const std::string& title, FormDesignerVariant variant) {
    std::string key, name, code, number;
    if (!title.empty()) {
        key = ObjectKeyFromTitle(title);
        name = ObjectNameFromTitle(title, variant);
        code = ObjectTypeCodeText(key);
        number = ObjectNumberFromKey(key);
    }
    Clock& clock = *app.platform.clock;
    DateTime now = clock.Now();
    std::string record;
    AppendField(record, app.accessLog.LogIdentity, false);
    AppendField(record, app.forms.frmAllgemein.lblMandantName.Caption, false);
    AppendField(record, key, false);
    AppendField(record, name, false);
    AppendField(record, code, false);
    AppendField(record, number, false);
    AppendField(record, clock.DateText(now), false);
    AppendField(record, clock.TimeText(now), true);
    return record;
}

}  // namespace

void WriteAccessLog(App& app) {
    if (app.forms.frmAllgemein.chkLogging.Value == 0) return;
    // Opened and closed in every scan, so other programs can read it between
    // scans. When it cannot be opened, the next scan tries again.
    std::unique_ptr<AppendFile> file = app.platform.files->OpenAppend(app.forms.frmAllgemein.edLogFilename.Text);
    if (!file) return;

    FormDesignerVariant variant = CurrentFormVariant(app);
    const OpenObjectTable& table = app.scan.Objects;
    std::string& last = app.accessLog.LastLoggedTitle;
    // Only the front-most designer window counts; windows behind it are not looked at.
    for (int i = 0; i < table.Count; ++i) {
        const std::string& title = table.Rows[i].Title;
        if (!IsDesignerTitle(title, variant)) continue;
        // One write per whole record: a failed write leaves no partial line,
        // and the record is written again by the next scan.
        if (title != last && file->Write(BuildRecord(app, title, variant))) last = title;
        return;
    }
    if (last != kNoDesignerMark && file->Write(BuildRecord(app, {}, variant))) last = kNoDesignerMark;
}

}  // namespace brisolt
