#pragma once

namespace brisolt {

struct ListWindowState {
    bool ListCollapsed = false;
};

}  // namespace brisolt
