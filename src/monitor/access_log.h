#pragma once

namespace brisolt {
struct App;
// Appends a record when the front-most designer window changed (and once when
// the last one has gone), while logging is on.
void WriteAccessLog(App& app);
}  // namespace brisolt
