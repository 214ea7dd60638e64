#include "dialogs/list_page.h"

#include "listwin/list_window.h"
#include "shell/app.h"

namespace brisolt {

void frmFensterliste_Load(App& app) {
    ComboBox& cb = app.forms.frmFensterliste.cbFont;
    cb.Items.clear();
    for (const ListFont& f : kListFonts) cb.Items.push_back(f.entryText);
    // (The drop-down height is the native combo box's own business.)
    cb.ListIndex = 1;
}

void cbFont_Click(App& app) {
    FrmFensterliste& page = app.forms.frmFensterliste;
    ApplyListFont(app, page.cbFont.ListIndex);

    Canvas& list = app.platform.listWindow->Surface();
    Label* previews[] = {&page.lblPreview1, &page.lblPreview2, &page.lblPreview3};
    for (Label* p : previews) {
        p->FontName = list.FontName();
        p->FontSize = list.FontSize();
    }

    // Three rows that touch, their block centred on the alarm button's top edge.
    TextMeasure& measure = *app.platform.textMeasure;
    Label& first = page.lblPreview1;
    const double w = measure.TextWidth(first.FontName, first.FontSize, first.Caption + ".") / app.platform.twipsPerPixelX;
    const double h = measure.TextHeight(first.FontName, first.FontSize, first.Caption) / app.platform.twipsPerPixelY;
    for (Label* p : previews) {
        p->Width = w;
        p->Height = h;
    }
    page.lblPreview1.Top = page.cmdColorAlarm.Top - h * 3 / 2;
    page.lblPreview2.Top = page.lblPreview1.Top + h;
    page.lblPreview3.Top = page.lblPreview2.Top + h;
}

void chkDynamicFonts_Click(App& app) {
    FrmFensterliste& page = app.forms.frmFensterliste;
    page.cbFont.Enabled = page.chkDynamicFonts.Value != 1;
}

}  // namespace brisolt

namespace brisolt {

void cmdColorNormal_Click(App& app) {
    app.platform.ui->ChooseColor(app.shell.FarbeNormal, app.shell.CustomColors, kChooseColorFlags);
    app.forms.frmFensterliste.lblPreview2.BackColor = app.shell.FarbeNormal;
}

void cmdColorAlarm_Click(App& app) {
    app.platform.ui->ChooseColor(app.shell.FarbeAlarm, app.shell.CustomColors, kChooseColorFlags);
    app.forms.frmFensterliste.lblPreview1.BackColor = app.shell.FarbeAlarm;
    app.forms.frmFensterliste.lblPreview3.BackColor = app.shell.FarbeAlarm;
}

}  // namespace brisolt
