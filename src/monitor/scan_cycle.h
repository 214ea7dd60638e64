// One tick: walk the desktop, find the client, rebuild both tables, paint.
#pragma once
#include "platform/types.h"

namespace brisolt {

struct App;

void tmr1_Timer(App& app);
void RefreshWindowList(App& app);
void ScanTopLevelWindows(App& app);
void ScanClientWindows(App& app, WindowHandle mainWindow);

}  // namespace brisolt
