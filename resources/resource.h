// Resource ids of brisolt.exe, shared by brisolt.rc and the program.
#pragma once

// Icons: ":ico" is the program icon (first icon, so the shell shows it),
// ":KsAlert" the alert icon of the notification area.
#define IDI_ICO 101
#define IDI_KSALERT 102
