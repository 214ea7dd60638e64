#include "program/history_page.h"

#include "accesslog/access_log.h"
#include "program/app.h"
#include "program/team_page.h"
#include "program/texts.h"
#include "team/team_channel.h"
#include "titles/object_types.h"

namespace brisolt {

namespace {

constexpr unsigned kOfnOverwritePrompt = 0x2;
constexpr unsigned kOfnPathMustExist = 0x800;

std::string Text(const Bilingual& t, Language language) {
    const char* s = Pick(t, language);
    return s ? s : "";
}

// "Codeunit 80"
std::string ObjectKey(const team::HistoryIndex::Object& o) { return std::string(TypeWordOf(o.id.typeCode)) + o.id.number; }

}  // namespace

std::string HistoryCell(const TeamHistoryView& history, std::size_t row, int column) {
    if (!history.index || row >= history.shown.size()) return {};
    const team::HistoryIndex& index = *history.index;
    const team::HistoryIndex::Entry& e = index.sessions[history.shown[row]];
    const team::HistoryIndex::Object& o = index.objects[e.object];
    const team::HistoryIndex::Person& p = index.people[e.person];
    switch (column) {
        case 0: return o.name.empty() ? ObjectKey(o) : ObjectKey(o) + ' ' + o.name;
        case 1: return p.user + " @ " + p.computer;
        case 2:
        case 3: {
            if (!history.date || !history.timeOfDay) return {};
            const std::string from = history.date(e.fromUtc);
            if (column == 2) return from + ' ' + history.timeOfDay(e.fromUtc);
            const std::string to = history.date(e.toUtc);
            return to == from ? history.timeOfDay(e.toUtc) : to + ' ' + history.timeOfDay(e.toUtc);
        }
        default: return {};
    }
}

std::string HistoryCsv(const TeamHistoryView& history, const std::function<std::string(std::int64_t)>& date,
                       const std::function<std::string(std::int64_t)>& time) {
    std::string csv;
    if (!history.index) return csv;
    const team::HistoryIndex& index = *history.index;
    for (std::uint32_t i : history.shown) {
        const team::HistoryIndex::Entry& e = index.sessions[i];
        const team::HistoryIndex::Object& o = index.objects[e.object];
        const team::HistoryIndex::Person& p = index.people[e.person];
        const std::string fields[] = {p.user, p.computer, ObjectKey(o), o.name, std::to_string(o.id.typeCode),
                                      o.id.number, date(e.fromUtc), time(e.fromUtc), date(e.toUtc), time(e.toUtc)};
        for (std::size_t f = 0; f < std::size(fields); ++f) AppendLogField(csv, fields[f], f + 1 == std::size(fields));
    }
    return csv;
}

void UpdateTeamHistory(App& app) {
    TeamPageView& page = app.view.team;
    TeamHistoryView& history = page.history;
    const Language lang = app.settings.language;
    const team::TeamChannel::History latest =
        app.platform.team ? app.platform.team->LatestHistory() : team::TeamChannel::History{};
    if (latest.index != history.index || page.filter != history.searchedFor) {
        CodePage& codePage = *app.platform.codePage;
        history.index = latest.index;
        history.searchedFor = page.filter;
        history.shown = history.index ? team::SearchHistory(*history.index, page.filter,
                                                            [&codePage](std::string_view s) { return codePage.Lower(s); })
                                      : std::vector<std::uint32_t>();
        ++history.generation;
    }
    if (!history.date) {
        Clock& clock = *app.platform.clock;
        history.date = [&clock](std::int64_t utc) { return clock.DateText(clock.LocalTime(utc)); };
        history.timeOfDay = [&clock](std::int64_t utc) { return clock.TimeOfDayText(utc); };
    }
    const std::size_t all = history.index ? history.index->sessions.size() : 0;
    if (latest.reading)
        page.count = Text(texts::kHistoryReading, lang);
    else if (latest.failed && !history.index)
        page.count = Text(texts::kHistoryNotRead, lang);
    else if (history.shown.size() == all)
        page.count = std::to_string(all) + Text(texts::kHistorySessions, lang);
    else
        page.count = std::to_string(history.shown.size()) + Text(texts::kTeamOf, lang) + std::to_string(all) +
                     Text(texts::kHistorySessionsShown, lang);
}

void ShowOpenDesigners(App& app) {
    app.view.team.historyShown = false;
    UpdateTeamPage(app);
}

void ShowDesignerHistory(App& app) {
    app.view.team.historyShown = true;
    if (app.platform.team) app.platform.team->RequestHistory();
    UpdateTeamPage(app);
}

void ExportHistory(App& app) {
    const TeamHistoryView& history = app.view.team.history;
    if (!history.index || history.shown.empty()) return;
    OpenFileRequest request;
    request.flags = kOfnOverwritePrompt | kOfnPathMustExist;
    request.filter = "CSV (*.csv)|*.csv|All files|*.*";
    request.defaultExt = "csv";
    if (!app.platform.ui->SaveFile(request)) return;
    Clock& clock = *app.platform.clock;
    const std::string csv = HistoryCsv(history, [&clock](std::int64_t utc) { return clock.DateText(clock.LocalTime(utc)); },
                                       [&clock](std::int64_t utc) { return clock.TimeText(clock.LocalTime(utc)); });
    if (!app.platform.files->Replace(request.fileName, csv)) {
        const Language lang = app.settings.language;
        app.platform.ui->MessageBox(Text(texts::kExportFailedBefore, lang) + request.fileName +
                                        Text(texts::kExportFailedAfter, lang),
                                    kMbIconStop);
    }
}

}  // namespace brisolt
