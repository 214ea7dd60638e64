#include "win32/windows/language_dialog.h"

#include "control_ids.h"
#include "program/language.h"
#include "program/texts.h"
#include "win32/base/control_error.h"
#include "win32/windows/icons.h"
#include "win32/base/native_window.h"

namespace brisolt::win32 {

namespace {

class LanguageDialog : public NativeWindow {
public:
    LanguageDialog(HINSTANCE instance, App& app, EventDispatcher& dispatcher)
        : instance_(instance), app_(app), dispatcher_(dispatcher) {}

    void Run() { RunDialogFrom(instance_, IDD_LANGUAGE_DIALOG, nullptr, "Showing the language dialog"); }

private:
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void ShowTexts();
    void SetControlText(int id, const std::string& text) {
        Check(SetDlgItemTextA(Hwnd(), id, text.c_str()) != FALSE, "Setting a caption");
    }

    HINSTANCE instance_;
    App& app_;
    EventDispatcher& dispatcher_;
    UniqueIcon bigIcon_, smallIcon_;
};

void LanguageDialog::ShowTexts() {
    Check(SetWindowTextA(Hwnd(), texts::kLanguageDialogCaption) != FALSE, "Setting a caption");
    SetControlText(IDC_CONTINUE_IN_ENGLISH, texts::kContinueInEnglish);
    SetControlText(IDC_CONTINUE_IN_GERMAN, texts::kContinueInGerman);
    SetControlText(IDC_CHOOSE_LANGUAGE_ENGLISH, texts::kChooseLanguageEnglish);
    SetControlText(IDC_CHOOSE_LANGUAGE_GERMAN, texts::kChooseLanguageGerman);
    // The dialog stands alone on the taskbar: it shows the program's icon.
    bigIcon_ = LoadProgramIcon(instance_, ":ico", GetSystemMetrics(SM_CXICON));
    smallIcon_ = LoadProgramIcon(instance_, ":ico", GetSystemMetrics(SM_CXSMICON));
    SendMessageA(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.Get()));
    SendMessageA(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.Get()));
}

LRESULT LanguageDialog::OnMessage(UINT msg, WPARAM wp, LPARAM) {
    switch (msg) {
        case WM_INITDIALOG:
            dispatcher_.Run([&] { ShowTexts(); });
            return TRUE;
        case WM_COMMAND:
            if (HIWORD(wp) != BN_CLICKED) return FALSE;
            switch (LOWORD(wp)) {
                case IDC_CONTINUE_IN_ENGLISH: dispatcher_.Run([&] { OnEnglishChosen(app_); }); break;
                case IDC_CONTINUE_IN_GERMAN: dispatcher_.Run([&] { OnGermanChosen(app_); }); break;
                case IDCANCEL: break;  // Esc: closed without a choice
                default: return FALSE;
            }
            EndDialog(Hwnd(), 0);
            return TRUE;
        case WM_CLOSE:
            EndDialog(Hwnd(), 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void RunLanguageDialog(HINSTANCE instance, App& app, EventDispatcher& dispatcher) {
    LanguageDialog(instance, app, dispatcher).Run();
}

}  // namespace brisolt::win32
