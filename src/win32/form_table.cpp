#include "win32/form_table.h"

#include "dialogs/general_page.h"
#include "dialogs/info_page.h"
#include "dialogs/list_page.h"
#include "form_ids.h"
#include "shell/app.h"
#include "shell/commands.h"

namespace brisolt::win32 {

namespace {

Binding Base(HWND parent, int id) {
    Binding b;
    b.parent = parent;
    b.id = id;
    return b;
}

// A frame's or label's caption.
Binding CaptionOf(HWND parent, int id, std::string& caption) {
    Binding b = Base(parent, id);
    b.caption = &caption;
    return b;
}

Binding LabelOf(HWND parent, int id, Label& label) {
    Binding b = CaptionOf(parent, id, label.Caption);
    b.geometry = {&label.Left, &label.Top, &label.Width, &label.Height};
    return b;
}

// A colour preview: its back colour, font and position are the program's.
Binding PreviewOf(HWND parent, int id, Label& label) {
    Binding b = LabelOf(parent, id, label);
    b.look = &label;
    return b;
}

Binding ButtonOf(HWND parent, int id, Button& button, std::function<void()> click) {
    Binding b = CaptionOf(parent, id, button.Caption);
    b.geometry = {&button.Left, &button.Top, &button.Width, &button.Height};
    b.onClick = std::move(click);
    return b;
}

Binding CheckOf(HWND parent, int id, CheckBox& check, std::function<void()> click = nullptr) {
    Binding b = CaptionOf(parent, id, check.Caption);
    b.value = &check.Value;
    b.enabled = &check.Enabled;
    b.onClick = std::move(click);
    return b;
}

Binding OptionOf(HWND parent, int id, OptionButton& option) {
    Binding b = CaptionOf(parent, id, option.Caption);
    b.value = &option.Value;
    return b;
}

Binding TextOf(HWND parent, int id, TextBox& box) {
    Binding b = Base(parent, id);
    b.text = &box.Text;
    return b;
}

// A text box whose key releases run a handler.
Binding TypedTextOf(HWND parent, int id, TextBox& box, std::function<void()> keyUp) {
    Binding b = TextOf(parent, id, box);
    b.onKeyUp = std::move(keyUp);
    return b;
}

// A label whose tooltip the program sets as the mouse moves over it.
Binding HoverLabelOf(HWND parent, int id, Label& label, std::function<void()> mouseMove) {
    Binding b = LabelOf(parent, id, label);
    b.toolTip = &label.ToolTip;
    b.onMouseMove = std::move(mouseMove);
    return b;
}

Binding ComboOf(HWND parent, int id, ComboBox& combo, std::function<void()> click) {
    Binding b = Base(parent, id);
    b.combo = &combo;
    b.onClick = std::move(click);
    return b;
}

// A read-only text box that opens a link when a mouse button goes down on it.
Binding LinkOf(HWND parent, int id, TextBox& box, std::function<void(int)> mouseDown) {
    Binding b = TextOf(parent, id, box);
    b.toolTip = &box.ToolTip;
    b.onMouseDown = std::move(mouseDown);
    return b;
}

}  // namespace

std::vector<Binding> FormTable(App& app, const FormWindows& f) {
    Forms& forms = app.forms;
    FrmMain& m = forms.frmMain;
    FrmAllgemein& g = forms.frmAllgemein;
    FrmFensterliste& l = forms.frmFensterliste;
    FrmOptions& o = forms.frmOptions;
    FrmInfo& i = forms.frmInfo;
    auto run = [&app](void (*handler)(App&)) { return [&app, handler] { handler(app); }; };

    return {
        // frmMain
        ButtonOf(f.frmMain, IDC_cmdOK, m.cmdOK, run(cmdOK_Click)),
        ButtonOf(f.frmMain, IDC_cmdHelp, m.cmdHelp, run(cmdHelp_Click)),
        ButtonOf(f.frmMain, IDC_cmdCancel, m.cmdCancel, run(cmdCancel_Click)),

        // frmAllgemein
        CaptionOf(f.frmAllgemein, IDC_frIdent, g.frIdent.Caption),
        LabelOf(f.frmAllgemein, IDC_lblSubstring, g.lblSubstring),
        TextOf(f.frmAllgemein, IDC_edParent, g.edParent),
        LabelOf(f.frmAllgemein, IDC_lblMandantLabel, g.lblMandantLabel),
        HoverLabelOf(f.frmAllgemein, IDC_lblMandantName, g.lblMandantName, run(lblMandantName_MouseMove)),
        CaptionOf(f.frmAllgemein, IDC_frOptions, g.frOptions.Caption),
        CheckOf(f.frmAllgemein, IDC_chkAlarm, g.chkAlarm),
        LabelOf(f.frmAllgemein, IDC_lblIntervall, g.lblIntervall),
        TypedTextOf(f.frmAllgemein, IDC_edIntervall, g.edIntervall, run(edIntervall_KeyUp)),
        LabelOf(f.frmAllgemein, IDC_lblIntervall2, g.lblIntervall2),
        CaptionOf(f.frmAllgemein, IDC_frLog, g.frLog.Caption),
        CheckOf(f.frmAllgemein, IDC_chkLogging, g.chkLogging),
        TextOf(f.frmAllgemein, IDC_edLogFilename, g.edLogFilename),
        ButtonOf(f.frmAllgemein, IDC_cmdLogBrowse, g.cmdLogBrowse, run(cmdLogBrowse_Click)),
        LabelOf(f.frmAllgemein, IDC_lblLogView, g.lblLogView),
        ButtonOf(f.frmAllgemein, IDC_cmdLogView, g.cmdLogView, run(cmdLogView_Click)),
        CaptionOf(f.frmAllgemein, IDC_frPos, g.frPos.Caption),
        CheckOf(f.frmAllgemein, IDC_chkGlueObjDes, g.chkGlueObjDes),
        CheckOf(f.frmAllgemein, IDC_chkGlueProperties, g.chkGlueProperties),
        CheckOf(f.frmAllgemein, IDC_chkGlueHauptmenu, g.chkGlueHauptmenu),
        CheckOf(f.frmAllgemein, IDC_chkGlueFensterliste, g.chkGlueFensterliste),
        CheckOf(f.frmAllgemein, IDC_chkGlueToolbox, g.chkGlueToolbox),
        CheckOf(f.frmAllgemein, IDC_chkGlueFieldMenu, g.chkGlueFieldMenu),

        // frmFensterliste
        CaptionOf(f.frmFensterliste, IDC_frCol, l.frCol.Caption),
        PreviewOf(f.frmFensterliste, IDC_lblPreview1, l.lblPreview1),
        PreviewOf(f.frmFensterliste, IDC_lblPreview2, l.lblPreview2),
        PreviewOf(f.frmFensterliste, IDC_lblPreview3, l.lblPreview3),
        ButtonOf(f.frmFensterliste, IDC_cmdColorNormal, l.cmdColorNormal, run(cmdColorNormal_Click)),
        ButtonOf(f.frmFensterliste, IDC_cmdColorAlarm, l.cmdColorAlarm, run(cmdColorAlarm_Click)),
        CaptionOf(f.frmFensterliste, IDC_frZeichensatz, l.frZeichensatz.Caption),
        LabelOf(f.frmFensterliste, IDC_lblFont, l.lblFont),
        ComboOf(f.frmFensterliste, IDC_cbFont, l.cbFont, run(cbFont_Click)),
        CheckOf(f.frmFensterliste, IDC_chkDynamicFonts, l.chkDynamicFonts, run(chkDynamicFonts_Click)),
        TextOf(f.frmFensterliste, IDC_edDyn1, l.edDyn1),
        LabelOf(f.frmFensterliste, IDC_lbl5, l.lbl5),
        TextOf(f.frmFensterliste, IDC_edDyn2, l.edDyn2),
        LabelOf(f.frmFensterliste, IDC_lbl6, l.lbl6),
        CaptionOf(f.frmFensterliste, IDC_frAnzeige, l.frAnzeige.Caption),
        CheckOf(f.frmFensterliste, IDC_chkShowParents, l.chkShowParents),
        LabelOf(f.frmFensterliste, IDC_lblParents, l.lblParents),
        CheckOf(f.frmFensterliste, IDC_chkShowClients, l.chkShowClients),
        LabelOf(f.frmFensterliste, IDC_lblClients, l.lblClients),
        CheckOf(f.frmFensterliste, IDC_chkShortNames, l.chkShortNames),

        // frmOptions
        CaptionOf(f.frmOptions, IDC_frFormDesigner, o.frFormDesigner.Caption),
        LabelOf(f.frmOptions, IDC_lblFormDesigner, o.lblFormDesigner),
        OptionOf(f.frmOptions, IDC_optFormDesigner, o.optFormDesigner),
        OptionOf(f.frmOptions, IDC_optFormularDesigner, o.optFormularDesigner),

        // frmInfo (img1 shows the program icon by its template)
        CaptionOf(f.frmInfo, IDC_frProductInfo, i.frProductInfo.Caption),
        LabelOf(f.frmInfo, IDC_lblAppName, i.lblAppName),
        LabelOf(f.frmInfo, IDC_lblProductName, i.lblProductName),
        LabelOf(f.frmInfo, IDC_lblVersion, i.lblVersion),
        LabelOf(f.frmInfo, IDC_lblCopyright, i.lblCopyright),
        LabelOf(f.frmInfo, IDC_lbl1, i.lbl1),
        LinkOf(f.frmInfo, IDC_edEMail, i.edEMail, [&app](int button) { edEMail_MouseDown(app, button); }),
        LinkOf(f.frmInfo, IDC_edWWW, i.edWWW, [&app](int button) { edWWW_MouseDown(app, button); }),
        LabelOf(f.frmInfo, IDC_lblInfoHeadline, i.lblInfoHeadline),
        LabelOf(f.frmInfo, IDC_lblInformation, i.lblInformation),
    };
}

}  // namespace brisolt::win32
