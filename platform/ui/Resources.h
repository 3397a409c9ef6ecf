// Resources held as data: dialog templates, menus, icons and the string table, with the
// window styles the templates use. Window-system-free, so ui/ describes its windows here
// and the framework builds them.
#pragma once

#include <span>
#include <string>

#include "platform/ui/Afx.h"

struct IconResource;

// Window styles. WS_GROUP/WS_MINIMIZEBOX and WS_TABSTOP/WS_MAXIMIZEBOX share their bits:
// the first name applies to controls, the second to windows with a caption.
inline constexpr DWORD WS_POPUP = 0x80000000;
inline constexpr DWORD WS_CHILD = 0x40000000;
inline constexpr DWORD WS_VISIBLE = 0x10000000;
inline constexpr DWORD WS_CAPTION = 0x00C00000;
inline constexpr DWORD WS_BORDER = 0x00800000;
inline constexpr DWORD WS_VSCROLL = 0x00200000;
inline constexpr DWORD WS_SYSMENU = 0x00080000;
inline constexpr DWORD WS_THICKFRAME = 0x00040000;
inline constexpr DWORD WS_GROUP = 0x00020000;
inline constexpr DWORD WS_TABSTOP = 0x00010000;
inline constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
inline constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
inline constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

// Dialog styles.
inline constexpr DWORD DS_SETFONT = 0x40;
inline constexpr DWORD DS_MODALFRAME = 0x80;

// Button styles; the low four bits are the kind of button.
inline constexpr DWORD BS_PUSHBUTTON = 0x0;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x1;
inline constexpr DWORD BS_GROUPBOX = 0x7;
inline constexpr DWORD BS_TYPEMASK = 0xF;

// Static styles; the low five bits are the kind of static.
inline constexpr DWORD SS_LEFT = 0x0;
inline constexpr DWORD SS_ICON = 0x3;
inline constexpr DWORD SS_TYPEMASK = 0x1F;
inline constexpr DWORD SS_NOPREFIX = 0x80;
inline constexpr DWORD SS_SUNKEN = 0x1000;

// List box styles.
inline constexpr DWORD LBS_NOTIFY = 0x1;
inline constexpr DWORD LBS_SORT = 0x2;
inline constexpr DWORD LBS_USETABSTOPS = 0x80;
inline constexpr DWORD LBS_NOINTEGRALHEIGHT = 0x100;

inline constexpr int IDC_STATIC = -1;

enum class ControlClass { Button, Static, ListBox };

// One control of a dialog template; the rectangle is in dialog units.
struct DialogItem {
    ControlClass kind;
    int nID;
    const char* pszText;  // caption, or empty
    int x, y, cx, cy;
    DWORD dwStyle;
    UINT nIcon = 0;  // icon resource shown by an SS_ICON static
};

struct DialogTemplate {
    UINT nID;
    const char* pszCaption;
    int x, y, cx, cy;  // dialog units
    DWORD dwStyle;
    DWORD dwExStyle;
    const char* pszFont;  // face name asked for; the desktop's sans font stands in for it
    int nPointSize;
    std::span<const DialogItem> items;  // template order, which is the tab order
};

struct MenuItemTemplate {
    UINT nID;
    const char* pszText;
};

// A menu resource: one pop-up whose caption is never shown, holding text items.
struct MenuTemplate {
    UINT nID;
    const char* pszPopup;
    std::span<const MenuItemTemplate> items;
};

struct StringResource {
    UINT nID;
    const char* pszText;
};

struct IconEntry {
    UINT nID;
    const IconResource* pIcon;
};

// Everything the application's windows load by id.
struct ResourceSet {
    std::span<const DialogTemplate* const> dialogs;
    std::span<const MenuTemplate* const> menus;
    std::span<const IconEntry> icons;
    std::span<const StringResource> strings;
};

// The application's resources; installed once, before any window is built.
void AfxSetResources(const ResourceSet* resources);
const DialogTemplate* AfxFindDialogTemplate(UINT nID);
const MenuTemplate* AfxFindMenu(UINT nID);
const IconResource* AfxFindIcon(UINT nID);

// The string `nID` of the string table, or empty when there is none.
std::string AfxLoadString(UINT nID);
// printf-style formatting into a std::string.
std::string AfxFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
