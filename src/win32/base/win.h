// <windows.h> for this program. The platform interfaces have members named
// DrawText and MessageBox; the A/W-selecting macros of
// <windows.h> would rename them in the Windows sources only, so they go here
// and the Windows sources call the ...A functions by their full names.
#pragma once
#include <windows.h>
#include <commdlg.h>
#include <shellapi.h>

#undef DrawText
#undef MessageBox
#undef ChooseColor
