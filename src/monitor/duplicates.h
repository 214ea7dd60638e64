#pragma once

namespace brisolt {
struct App;
// Flags every row whose designer title occurs more than once; with the alarm
// on, requests the exclamation sound once per ordered pair of such rows.
// Returns the number of requests.
long long MarkDuplicates(App& app);
}  // namespace brisolt
