// The program runs its message loop until no window of it is left: each of
// its windows counts itself here while it exists, and the loop looks at the
// count after every message. (No WM_QUIT: a message box open at that moment,
// such as the report of a failed start-up step, would close at once.)
#pragma once

namespace brisolt::win32 {

class ProgramWindows {
public:
    void Opened() { ++open_; }
    void Closed() {
        if (open_ > 0) --open_;
    }
    int Open() const { return open_; }

private:
    int open_ = 0;
};

}  // namespace brisolt::win32
