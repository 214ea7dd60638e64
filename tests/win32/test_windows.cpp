#include "test_windows.h"

namespace wintest {

namespace {

const char kPlainClass[] = "WinTestWindow";
const char kFrameClass[] = "WinTestMdiFrame";
const char kChildClass[] = "WinTestMdiChild";

HWND g_mdiClient = nullptr;

LRESULT CALLBACK FrameProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    return DefFrameProcA(w, g_mdiClient, msg, wp, lp);
}

void RegisterClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = inst;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kPlainClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = FrameProc;
    wc.lpszClassName = kFrameClass;
    RegisterClassA(&wc);
    wc.lpfnWndProc = DefMDIChildProcA;
    wc.lpszClassName = kChildClass;
    RegisterClassA(&wc);
}

}  // namespace

brisolt::win32::UniqueWindow MakeWindow(const std::string& title, int x, int y, int w, int h, HWND parent,
                                        bool visible) {
    RegisterClasses();
    DWORD style = parent ? WS_CHILD : WS_OVERLAPPEDWINDOW;
    if (visible) style |= WS_VISIBLE;
    return brisolt::win32::UniqueWindow(CreateWindowExA(0, kPlainClass, title.c_str(), style, x, y, w, h, parent,
                                                        nullptr, GetModuleHandleA(nullptr), nullptr));
}

MdiFrame MakeMdiFrame(const std::string& title, const std::vector<std::string>& childTitles) {
    RegisterClasses();
    MdiFrame f;
    f.frame = brisolt::win32::UniqueWindow(CreateWindowExA(0, kFrameClass, title.c_str(),
                                                           WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 50,
                                                           50, 600, 450, nullptr, nullptr,
                                                           GetModuleHandleA(nullptr), nullptr));
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 50000;
    f.client = CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                               580, 400, f.frame.Get(), nullptr, GetModuleHandleA(nullptr), &ccs);
    g_mdiClient = f.client;
    for (const std::string& t : childTitles) {
        MDICREATESTRUCTA mcs{};
        mcs.szClass = kChildClass;
        mcs.szTitle = t.c_str();
        mcs.hOwner = GetModuleHandleA(nullptr);
        mcs.x = mcs.y = mcs.cx = mcs.cy = CW_USEDEFAULT;
        f.children.push_back(reinterpret_cast<HWND>(SendMessageA(f.client, WM_MDICREATE, 0,
                                                                  reinterpret_cast<LPARAM>(&mcs))));
    }
    return f;
}

}  // namespace wintest
