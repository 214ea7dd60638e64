#include "team/presence.h"

#include <algorithm>

namespace brisolt::team {

bool Presence::Update(std::vector<ObjectId> open, std::int64_t nowUtc) {
    open.erase(std::remove_if(open.begin(), open.end(), [](const ObjectId& id) { return !IsValidObject(id); }),
               open.end());
    std::sort(open.begin(), open.end());
    open.erase(std::unique(open.begin(), open.end()), open.end());

    std::vector<OpenObject> next;
    next.reserve(open.size());
    auto before = objects_.begin();
    for (ObjectId& id : open) {
        while (before != objects_.end() && before->id < id) ++before;
        const bool known = before != objects_.end() && before->id == id;
        next.push_back({std::move(id), known ? before->sinceUtc : nowUtc});
    }
    const bool changed = next.size() != objects_.size() ||
                         !std::equal(next.begin(), next.end(), objects_.begin(),
                                     [](const OpenObject& a, const OpenObject& b) { return a.id == b.id; });
    objects_ = std::move(next);
    return changed;
}

}  // namespace brisolt::team
