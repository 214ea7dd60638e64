#include "win32/language_dialog.h"

#include "form_ids.h"
#include "program/language.h"
#include "program/texts.h"
#include "win32/control_error.h"
#include "win32/icons.h"

namespace brisolt::win32 {

namespace {

struct Context {
    HINSTANCE instance;
    App& app;
    EventDispatcher& dispatcher;
    UniqueIcon bigIcon, smallIcon;
};

void SetControlText(HWND dialog, int id, const std::string& text) {
    Check(SetDlgItemTextA(dialog, id, text.c_str()) != FALSE, "Setting a caption");
}

void Load(HWND dialog, Context& c) {
    SetControlText(dialog, IDC_cmdLangEng, texts::kContinueInEnglish);
    SetControlText(dialog, IDC_cmdLangGer, texts::kContinueInGerman);
    SetControlText(dialog, IDC_lbl2, texts::kChooseLanguageEnglish);
    SetControlText(dialog, IDC_lbl3, texts::kChooseLanguageGerman);
    // The dialog stands alone on the taskbar: it shows the program's icon.
    c.bigIcon = LoadProgramIcon(c.instance, ":ico", GetSystemMetrics(SM_CXICON));
    c.smallIcon = LoadProgramIcon(c.instance, ":ico", GetSystemMetrics(SM_CXSMICON));
    SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(c.bigIcon.Get()));
    SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(c.smallIcon.Get()));
}

INT_PTR CALLBACK LanguageProc(HWND dialog, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_INITDIALOG) {
        SetWindowLongPtrA(dialog, DWLP_USER, lp);
        Context& c = *reinterpret_cast<Context*>(lp);
        c.dispatcher.Run([&] { Load(dialog, c); });
        return TRUE;
    }
    auto* c = reinterpret_cast<Context*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!c) return FALSE;
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wp) != BN_CLICKED) return FALSE;
            switch (LOWORD(wp)) {
                case IDC_cmdLangEng: c->dispatcher.Run([&] { ChooseEnglish(c->app); }); break;
                case IDC_cmdLangGer: c->dispatcher.Run([&] { ChooseGerman(c->app); }); break;
                case IDCANCEL: break;  // Esc: closed without a choice
                default: return FALSE;
            }
            EndDialog(dialog, 0);
            return TRUE;
        case WM_CLOSE:
            EndDialog(dialog, 0);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void RunLanguageDialog(HINSTANCE instance, App& app, EventDispatcher& dispatcher) {
    Context context{instance, app, dispatcher, {}, {}};
    const INT_PTR r = DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_FRMLANGUAGE), nullptr, &LanguageProc,
                                      reinterpret_cast<LPARAM>(&context));
    Check(r != -1, "Showing the language dialog");
}

}  // namespace brisolt::win32
