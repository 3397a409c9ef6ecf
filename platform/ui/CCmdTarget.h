// Typed message maps. Each class that handles messages keeps a static table of entries,
// written with the ON_ macros between BEGIN_MESSAGE_MAP and END_MESSAGE_MAP; a message is
// looked up from the most derived class's table through its bases'. The window framework
// translates Qt's signals and events into these messages in one place (CWnd.cpp).
#pragma once

#include <span>

#include "platform/ui/Afx.h"

class CWnd;
struct IconHandle;
using HICON = IconHandle*;  // shared icons owned by the framework, never destroyed by windows

struct CPoint {
    int x = 0;
    int y = 0;
    bool operator==(const CPoint&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CPoint TopLeft() const { return {left, top}; }
    bool operator==(const CRect&) const = default;
};

// Messages that reach message maps or pre-translation.
inline constexpr UINT WM_PAINT = 0x000F;
inline constexpr UINT WM_QUERYDRAGICON = 0x0037;
inline constexpr UINT WM_CONTEXTMENU = 0x007B;
inline constexpr UINT WM_KEYDOWN = 0x0100;
inline constexpr UINT WM_COMMAND = 0x0111;
inline constexpr UINT WM_SYSCOMMAND = 0x0112;
inline constexpr UINT WM_MOUSEMOVE = 0x0200;
inline constexpr UINT WM_LBUTTONDOWN = 0x0201;
inline constexpr UINT WM_LBUTTONUP = 0x0202;
inline constexpr UINT WM_RBUTTONDOWN = 0x0204;
inline constexpr UINT WM_RBUTTONUP = 0x0205;

// Control notifications carried by WM_COMMAND.
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT LBN_DBLCLK = 2;

// System commands; the low four bits are the system's own.
inline constexpr UINT SC_SIZE = 0xF000;
inline constexpr UINT SC_MOVE = 0xF010;
inline constexpr UINT SC_MINIMIZE = 0xF020;
inline constexpr UINT SC_MAXIMIZE = 0xF030;
inline constexpr UINT SC_CLOSE = 0xF060;
inline constexpr UINT SC_RESTORE = 0xF120;

// The framework's Help command, raised by F1.
inline constexpr UINT ID_HELP = 0xE146;

// Virtual keys and modifier bits of a WM_KEYDOWN.
inline constexpr UINT VK_F1 = 0x70;
inline constexpr UINT VK_F10 = 0x79;
inline constexpr UINT VK_APPS = 0x5D;
inline constexpr UINT MOD_ALT = 0x1;
inline constexpr UINT MOD_CONTROL = 0x2;
inline constexpr UINT MOD_SHIFT = 0x4;

// A message offered for pre-translation: the event as the message loop saw it.
struct MSG {
    CWnd* pWnd = nullptr;       // window the event is for (the control, or the dialog)
    UINT message = 0;           // one of the WM_ values above, or 0 for other events
    UINT nKey = 0;              // virtual key of a WM_KEYDOWN
    UINT nModifiers = 0;        // MOD_ bits held
    CPoint pt;                  // pointer position, screen coordinates
    void* pNative = nullptr;    // the window system's event
    void* pReceiver = nullptr;  // the window system's object it is delivered to
};

class CCmdTarget;

struct MessageEntry {
    UINT nMessage = 0;
    UINT nCode = 0;                             // notification code of a WM_COMMAND
    UINT nID = 0;                               // command or control id of a WM_COMMAND
    void (*pfnCommand)(CCmdTarget&) = nullptr;  // WM_COMMAND, WM_PAINT
    void (*pfnContextMenu)(CCmdTarget&, CWnd*, CPoint) = nullptr;
    void (*pfnSysCommand)(CCmdTarget&, UINT) = nullptr;
    HICON (*pfnQueryIcon)(CCmdTarget&) = nullptr;
};

struct MessageMap {
    const MessageMap* pBaseMap;
    std::span<const MessageEntry> (*pfnEntries)();
};

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    virtual const MessageMap* GetMessageMap() const { return &messageMap; }

    // Runs the handler of command `nID` with notification `nCode`; TRUE when one ran.
    virtual BOOL OnCmdMsg(UINT nID, UINT nCode);

    // The first entry for `nMessage` (and, for WM_COMMAND, `nCode` and `nID`), searched
    // from this class's map through its bases'; null when none.
    const MessageEntry* FindMessageEntry(UINT nMessage, UINT nCode = 0, UINT nID = 0) const;

    static const MessageMap messageMap;
};

// Runs a message handler the way the framework runs every handler: when memory runs out
// inside it, the user sees "Out of memory." and the program goes on.
void AfxCallHandler(void (*pfn)(void*), void* context);
template <typename F>
void AfxCallHandler(F&& handler) {
    AfxCallHandler([](void* p) { (*static_cast<F*>(p))(); }, &handler);
}

#define DECLARE_MESSAGE_MAP()                                     \
public:                                                           \
    const MessageMap* GetMessageMap() const override;             \
    static const MessageMap messageMap;                           \
                                                                  \
private:                                                          \
    static std::span<const MessageEntry> GetThisMessageEntries(); \
                                                                  \
public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const MessageMap* theClass::GetMessageMap() const {                         \
        return &theClass::messageMap;                                           \
    }                                                                           \
    const MessageMap theClass::messageMap = {&baseClass::messageMap,            \
                                             &theClass::GetThisMessageEntries}; \
    std::span<const MessageEntry> theClass::GetThisMessageEntries() {           \
        using ThisClass [[maybe_unused]] = theClass;                            \
        static const MessageEntry entries[] = {
#define END_MESSAGE_MAP()                                                        \
    MessageEntry {}                                                              \
    }                                                                            \
    ;                                                                            \
    return std::span<const MessageEntry>(entries).first(std::size(entries) - 1); \
    }

#define ON_COMMAND(id, memberFxn)              \
    MessageEntry{.nMessage = WM_COMMAND,       \
                 .nCode = BN_CLICKED,          \
                 .nID = static_cast<UINT>(id), \
                 .pfnCommand = [](CCmdTarget& t) { static_cast<ThisClass&>(t).memberFxn(); }},
#define ON_BN_CLICKED(id, memberFxn) ON_COMMAND(id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn)           \
    MessageEntry{.nMessage = WM_COMMAND,       \
                 .nCode = LBN_DBLCLK,          \
                 .nID = static_cast<UINT>(id), \
                 .pfnCommand = [](CCmdTarget& t) { static_cast<ThisClass&>(t).memberFxn(); }},
#define ON_WM_CONTEXTMENU()                                               \
    MessageEntry{.nMessage = WM_CONTEXTMENU,                              \
                 .pfnContextMenu = [](CCmdTarget& t, CWnd* w, CPoint p) { \
                     static_cast<ThisClass&>(t).OnContextMenu(w, p);      \
                 }},
#define ON_WM_SYSCOMMAND()                                                               \
    MessageEntry{.nMessage = WM_SYSCOMMAND, .pfnSysCommand = [](CCmdTarget& t, UINT n) { \
                     static_cast<ThisClass&>(t).OnSysCommand(n);                         \
                 }},
#define ON_WM_PAINT()                  \
    MessageEntry{.nMessage = WM_PAINT, \
                 .pfnCommand = [](CCmdTarget& t) { static_cast<ThisClass&>(t).OnPaint(); }},
#define ON_WM_QUERYDRAGICON()                                                      \
    MessageEntry{.nMessage = WM_QUERYDRAGICON, .pfnQueryIcon = [](CCmdTarget& t) { \
                     return static_cast<ThisClass&>(t).OnQueryDragIcon();          \
                 }},
