#include "program/team_page.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>

#include "program/app.h"
#include "program/pages.h"
#include "program/texts.h"
#include "team/team_channel.h"
#include "titles/object_types.h"

namespace brisolt {

namespace {

bool IsDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The search box's words, in lower case.
std::vector<std::string> Words(std::string_view text, const LowerCase& lower) {
    std::vector<std::string> words;
    std::string word;
    for (char c : std::string(text) + ' ') {
        if (c != ' ' && c != '\t') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(lower(word));
            word.clear();
        }
    }
    return words;
}

class Filter {
public:
    Filter(std::string_view text, const LowerCase& lower) : words_(Words(text, lower)), lower_(lower) {}
    // A word holds no blank, so it matches within one part of the row's text
    // (the texts in lower case made only when a word needs them).
    bool Matches(const team::OpenObject& o, std::string_view typeWord, std::string_view who) const {
        std::string texts;
        for (const std::string& w : words_) {
            if (IsDigits(w)) {
                if (std::string_view(o.id.number).substr(0, w.size()) != w) return false;
                continue;
            }
            if (texts.empty()) texts = lower_(std::string(typeWord) + '\n' + o.id.number + '\n' + o.name + '\n' + std::string(who));
            if (texts.find(w) == std::string::npos) return false;
        }
        return true;
    }

private:
    std::vector<std::string> words_;
    const LowerCase& lower_;
};

std::string Who(const team::Record& r) { return r.user + " @ " + r.computer; }

std::string ObjectText(const team::OpenObject& o) {
    std::string text(TypeWordOf(o.id.typeCode));
    text += o.id.number;
    if (!o.name.empty()) text += ' ' + o.name;
    return text;
}

std::string Text(const Bilingual& t, Language language) {
    const char* s = Pick(t, language);
    return s ? s : "";
}

}  // namespace

TeamRows BuildTeamRows(const std::vector<team::Record>& others, const std::vector<team::ObjectId>& openHere,
                       std::string_view filter, const std::function<std::string(std::int64_t)>& timeOfDay,
                       const LowerCase& lower) {
    TeamRows rows;
    const Filter words(filter, lower);
    struct Kept {
        const team::OpenObject* object;
        std::size_t who;  // index into whos
        bool digits;      // the number is all digits
    };
    std::vector<std::string> whos;
    std::vector<Kept> kept;
    for (const team::Record& r : others) {
        whos.push_back(Who(r));
        rows.people.push_back({whos.back(), r.startedUtc > 0 ? timeOfDay(r.startedUtc) : std::string()});
        for (const team::OpenObject& o : r.objects) {
            ++rows.objectsOpen;
            if (words.Matches(o, TypeWordOf(o.id.typeCode), whos.back()))
                kept.push_back({&o, whos.size() - 1, IsDigits(o.id.number)});
        }
    }
    std::sort(rows.people.begin(), rows.people.end(),
              [](const TeamPersonRow& a, const TeamPersonRow& b) {
                  return std::tie(a.who, a.since) < std::tie(b.who, b.since);
              });

    std::sort(kept.begin(), kept.end(), [&whos](const Kept& a, const Kept& b) {
        const team::ObjectId &x = a.object->id, &y = b.object->id;
        if (x.typeCode != y.typeCode) return x.typeCode < y.typeCode;
        if (x.number != y.number) {
            // Numbers in numeric order ("80" before "5000"), anything else as text after them.
            if (a.digits != b.digits) return a.digits;
            if (a.digits && x.number.size() != y.number.size()) return x.number.size() < y.number.size();
            return x.number < y.number;
        }
        return std::tie(a.object->sinceUtc, whos[a.who]) < std::tie(b.object->sinceUtc, whos[b.who]);
    });
    std::vector<team::ObjectId> here = openHere;
    std::sort(here.begin(), here.end());
    rows.objects.reserve(kept.size());
    // Objects opened in the same second show the same time: each is made once.
    std::unordered_map<std::int64_t, std::string> times;
    auto timeText = [&](std::int64_t utc) -> const std::string& {
        auto found = times.find(utc);
        return found != times.end() ? found->second : times.emplace(utc, timeOfDay(utc)).first->second;
    };
    for (const Kept& k : kept)
        rows.objects.push_back({ObjectText(*k.object), whos[k.who], timeText(k.object->sinceUtc),
                                std::binary_search(here.begin(), here.end(), k.object->id)});
    return rows;
}

bool TeamPageShown(const App& app) { return app.view.visible && app.settings.selectedPage == kTeamPage; }

void UpdateTeamPage(App& app) {
    TeamPageView& page = app.view.team;
    if (!TeamPageShown(app)) {
        // Nothing is kept up to date out of sight; the page is built anew when it shows.
        page.current = false;
        if (!page.rows.people.empty() || !page.rows.objects.empty()) page.rows = {};
        if (page.history.index) {
            page.history.index.reset();
            page.history.shown.clear();
            ++page.history.generation;  // never back: the native page tells a change by it
        }
        return;
    }
    // Back on screen with the history chosen: it is asked for again.
    if (!page.current && page.historyShown && app.platform.team) app.platform.team->RequestHistory();
    page.current = true;
    const Language lang = app.settings.language;
    const std::shared_ptr<const team::TeamState>& state = app.team.latest;
    const team::FolderLook& look = app.team.look;
    page.mode = app.team.folder.empty()                            ? TeamPageMode::Off
                : state && (look.networkError || !look.othersShown) ? TeamPageMode::Failing
                                                                    : TeamPageMode::Shown;
    if (page.mode != TeamPageMode::Shown) {
        page.rows = {};
        page.count.clear();
        page.message = Text(page.mode == TeamPageMode::Off ? texts::kTeamOff : texts::kTeamFailing, lang);
        return;
    }
    page.message.clear();
    std::vector<team::ObjectId> here;
    for (const ClientRow& row : app.scan.clientWindows)
        if (row.designer.IsDesigner())
            here.push_back({row.designer.typeCode, std::string(row.designer.Number(row.title))});
    Clock& clock = *app.platform.clock;
    CodePage& codePage = *app.platform.codePage;
    const LowerCase lower = [&codePage](std::string_view text) { return codePage.Lower(text); };
    // (Before the exchange's first look there is nobody to show.)
    page.rows = BuildTeamRows(state ? state->others : std::vector<team::Record>{}, here, page.filter,
                              [&clock](std::int64_t utc) { return clock.TimeOfDayText(utc); }, lower);
    if (page.historyShown) return UpdateTeamHistory(app);
    const std::string open = std::to_string(page.rows.objectsOpen);
    page.count = Words(page.filter, lower).empty()
                     ? open + Text(texts::kTeamDesignersElsewhere, lang)
                     : std::to_string(page.rows.objects.size()) + Text(texts::kTeamOf, lang) + open +
                           Text(texts::kTeamShown, lang);
}

void SearchTeam(App& app) { UpdateTeamPage(app); }

void GoToOptionsPage(App& app) { app.settings.selectedPage = kOptionsPage; }

}  // namespace brisolt
