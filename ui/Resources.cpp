#include "ui/Resources.h"

#include "platform/ui/Afx.h"
#include "ui/PlayerIcon.h"
#include "ui/Resource.h"

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

constexpr DialogItem kPlayerItems[] = {
    {ControlClass::ListBox, IDC_TRACKLIST, "", 13, 18, 208, 61,
     kChild | WS_BORDER | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_SORT | LBS_USETABSTOPS |
         LBS_NOINTEGRALHEIGHT},
    {ControlClass::Button, IDC_OPEN, "&Open", 239, 7, 56, 14,
     kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {ControlClass::Button, IDC_PAUSE, "&Pause", 239, 24, 56, 14,
     kChild | WS_TABSTOP | BS_PUSHBUTTON},
    {ControlClass::Button, IDC_SAVE, "&Save", 239, 41, 56, 14,
     kChild | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {ControlClass::Button, IDCANCEL, "E&xit", 239, 58, 56, 14, kChild | WS_TABSTOP | BS_PUSHBUTTON},
    {ControlClass::Static, IDC_STATUS, "", 7, 92, 220, 11, kChild | WS_GROUP | SS_LEFT | SS_SUNKEN},
    {ControlClass::Button, IDC_STATIC, "Tracks", 7, 6, 220, 79, kChild | BS_GROUPBOX},
};

constexpr DialogTemplate kPlayerTemplate = {
    IDD_PLAYER,
    "Marivenn Music Player",
    0,
    0,
    302,
    111,
    WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_SETFONT,
    WS_EX_APPWINDOW,
    "MS Sans Serif",
    8,
    kPlayerItems,
};

constexpr DialogItem kAboutItems[] = {
    {ControlClass::Static, IDC_STATIC, "", 11, 17, 20, 20, kChild | SS_ICON, IDI_PLAYER},
    {ControlClass::Static, IDC_STATIC, "Marivenn Music Player v1.0", 40, 10, 119, 8,
     kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX},
    {ControlClass::Button, IDOK, "OK", 178, 7, 32, 14,
     kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {ControlClass::Static, IDC_MEMORY_LABEL, "Free Memory:", 40, 37, 44, 8,
     kChild | WS_GROUP | SS_LEFT},
    {ControlClass::Static, IDC_MEMORY_VALUE, "", 85, 37, 72, 11, kChild | WS_GROUP | SS_LEFT},
};

constexpr DialogTemplate kAboutTemplate = {
    IDD_ABOUT,
    "About Marivenn Music Player",
    0,
    0,
    217,
    55,
    WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT,
    0,
    "MS Sans Serif",
    8,
    kAboutItems,
};

constexpr const DialogTemplate* kDialogs[] = {&kPlayerTemplate, &kAboutTemplate};

constexpr MenuItemTemplate kPopupItems[] = {
    {ID_EDIT_CUT, "Cu&t"},
    {ID_EDIT_COPY, "&Copy"},
    {ID_EDIT_PASTE, "&Paste"},
};
constexpr MenuTemplate kPopupMenu = {IDR_POPUP, "_POPUP_", kPopupItems};
constexpr const MenuTemplate* kMenus[] = {&kPopupMenu};

const IconEntry kIcons[] = {{IDI_PLAYER, &kPlayerIcon}};

constexpr StringResource kStrings[] = {
    {IDS_ABOUT_ITEM, "&About Marivenn Music Player"},
    {IDS_MEMORY_KB, "%lu KB"},
    {IDS_PLAYING_TRACK, "Playing Track: %s"},
};
}  // namespace

const ResourceSet kPlayerResources = {kDialogs, kMenus, kIcons, kStrings};
