// The program runs its message loop until no window of it is left: each of
// its windows registers here while it exists; when the last one is destroyed
// the loop is told to end (WM_QUIT).
#pragma once

namespace brisolt::win32 {

class ProgramWindows {
public:
    void Opened() { ++open_; }
    // Posts WM_QUIT when the last window has gone.
    void Closed();
    int Open() const { return open_; }

private:
    int open_ = 0;
};

}  // namespace brisolt::win32
