// The window base of the program's native windows, and the owning handles.
#include <memory>
#include <string>
#include <utility>

#include "check.h"
#include "control_ids.h"
#include "program/app.h"
#include "test_windows.h"
#include "win32/base/native_window.h"

using namespace brisolt;
using namespace brisolt::win32;

namespace {

// A window or dialog that writes down what reaches it.
class Probe : public NativeWindow {
public:
    Probe(ProgramWindows& windows, std::string& log) : NativeWindow(&windows), log_(log) {}

    void Open(bool dialog, HWND parent, int templateId = IDD_LANGUAGE_DIALOG) {
        if (dialog) {
            CreateDialogFrom(GetModuleHandleA(nullptr), templateId, parent, "Creating the probe dialog");
            return;
        }
        WindowArgs args;
        args.className = "BrisoltTestProbe";
        args.style = parent ? WS_CHILD : WS_POPUP;
        args.parent = parent;
        args.what = "Creating the probe window";
        Create(GetModuleHandleA(nullptr), args);
    }
    using NativeWindow::DestroyQuietly;

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == WM_NCCREATE || msg == WM_INITDIALOG) log_ += Hwnd() ? "created " : "created-without-window ";
        if (msg == WM_APP) log_ += "app ";
        if (msg == WM_DESTROY) log_ += "destroy ";
        return Default(msg, wp, lp);
    }
    void OnDestroyed() override { log_ += Hwnd() ? "gone-but-held" : "gone"; }

    std::string& log_;
};

}  // namespace

WIN_TEST(NativeWindow_SeesItsWindowFromCreationToTheEnd) {
    enum Ending { kDestroyedFromOutside, kQuietly, kObjectDeleted };
    const struct {
        bool dialog;
        Ending ending;
        const char* log;
    } cases[] = {
        {false, kDestroyedFromOutside, "created app destroy gone"},
        {true, kDestroyedFromOutside, "created app destroy gone"},
        {false, kQuietly, "created app gone"},
        {true, kQuietly, "created app gone"},
        // What derives from the base is gone before the window: it hears nothing.
        {false, kObjectDeleted, "created app "},
        {true, kObjectDeleted, "created app "},
    };
    for (const auto& c : cases) {
        ProgramWindows windows;
        std::string log;
        auto probe = std::make_unique<Probe>(windows, log);
        probe->Open(c.dialog, nullptr);
        const HWND w = probe->Hwnd();
        CHECK(IsWindow(w));
        CHECK_EQ(1, windows.Open());
        SendMessageA(w, WM_APP, 0, 0);
        switch (c.ending) {
            case kDestroyedFromOutside: DestroyWindow(w); break;
            case kQuietly: probe->DestroyQuietly(); break;
            case kObjectDeleted: probe.reset(); break;
        }
        CHECK(!IsWindow(w));
        CHECK(!probe || probe->Hwnd() == nullptr);
        CHECK_EQ(0, windows.Open());
        CHECK_EQ(std::string(c.log), log);
    }
}

WIN_TEST(NativeWindow_FailedCreationThrowsNamingTheOperation) {
    HWND gone = wintest::MakeWindow("gone", 0, 0, 10, 10).Release();
    DestroyWindow(gone);
    const struct {
        bool dialog;
        HWND parent;
        int templateId;
        const char* report;
    } cases[] = {
        {false, gone, 0, "Creating the probe window failed: "},
        {true, nullptr, 9999, "Creating the probe dialog failed: "},  // no such template
    };
    for (const auto& c : cases) {
        ProgramWindows windows;
        std::string log;
        Probe probe(windows, log);
        std::string report = "nothing thrown";
        try {
            probe.Open(c.dialog, c.parent, c.templateId);
        } catch (const ControlError& e) {
            report = e.what();
        }
        CHECK_EQ(std::string(c.report), report.substr(0, std::string(c.report).size()));
        CHECK(probe.Hwnd() == nullptr);
        CHECK_EQ(0, windows.Open());
    }
}

WIN_TEST(Handles_OwnershipMovesAndIsGivenBackOnce) {
    // Windows: moved along, destroyed by the last owner only.
    UniqueWindow first = wintest::MakeWindow("first", 0, 0, 10, 10);
    const HWND w = first.Get();
    UniqueWindow second(std::move(first));
    CHECK(!first.Valid());
    first.Reset();
    CHECK(IsWindow(w));
    second = wintest::MakeWindow("replacement", 0, 0, 10, 10);  // the old one goes
    CHECK(!IsWindow(w));
    DestroyWindow(second.Get());  // gone before its owner lets go: harmless
    second.Reset();

    // Kernel handles: CreateFile's INVALID_HANDLE_VALUE holds nothing.
    CHECK(!UniqueHandle(INVALID_HANDLE_VALUE).Valid());
    DWORD flags = 0;
    UniqueHandle a(CreateEventA(nullptr, TRUE, FALSE, nullptr)), b(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    const HANDLE ha = a.Get(), hb = b.Get();
    a = std::move(b);
    CHECK(!GetHandleInformation(ha, &flags));  // closed when replaced
    CHECK(GetHandleInformation(hb, &flags));
    {
        const UniqueHandle last(std::move(a));
    }
    CHECK(!GetHandleInformation(hb, &flags));

    // Handed over: the new owner closes it.
    UniqueMenu menu(CreatePopupMenu());
    const HMENU m = menu.Release();
    menu.Reset();
    CHECK(IsMenu(m));
    DestroyMenu(m);
}
