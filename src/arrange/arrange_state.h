#pragma once
#include "platform/types.h"

namespace brisolt {

struct ArrangeState {
    // The Object Designer's placement as last read; its width is where the
    // list window goes.
    Placement ObjectDesignerPlacement;
};

}  // namespace brisolt
