#include "monitor/duplicates.h"

#include <string_view>
#include <unordered_map>

#include "monitor/designer_title.h"
#include "shell/app.h"

namespace brisolt {

long long MarkDuplicates(App& app) {
    OpenObjectTable& table = app.scan.Objects;
    FormDesignerVariant variant = CurrentFormVariant(app);

    // How often each exact title occurs. Whether a title is a designer title
    // depends on the title alone, so every row of a group shares the answer.
    std::unordered_map<std::string_view, int> occurrences;
    occurrences.reserve(static_cast<std::size_t>(table.Count));
    for (int i = 0; i < table.Count; ++i) ++occurrences[table.Rows[i].Title];

    // A row of a group of k identical designer titles is flagged and stands
    // for k - 1 ordered pairs; a group thus makes k * (k - 1) alert requests.
    long long pairs = 0;
    for (int i = 0; i < table.Count; ++i) {
        OpenObjectEntry& row = table.Rows[i];
        int k = occurrences[row.Title];
        row.Duplicate = k > 1 && IsDesignerTitle(row.Title, variant);
        if (row.Duplicate) pairs += k - 1;
    }

    if (app.forms.frmAllgemein.chkAlarm.Value != 1 || pairs == 0) return 0;
    // Overlapping exclamation sounds are heard as one; the sound service gets
    // the whole tick's requests in one call.
    app.platform.sound->Exclamation(static_cast<int>(pairs));
    return pairs;
}

}  // namespace brisolt
