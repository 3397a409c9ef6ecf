// Menus held as data and shown as Qt pop-up menus: the system menu and the menu resources.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/ui/CWnd.h"

inline constexpr UINT MF_STRING = 0x0;
inline constexpr UINT MF_ENABLED = 0x0;
inline constexpr UINT MF_BYCOMMAND = 0x0;
inline constexpr UINT MF_GRAYED = 0x1;
inline constexpr UINT MF_DISABLED = 0x2;
inline constexpr UINT MF_POPUP = 0x10;
inline constexpr UINT MF_BYPOSITION = 0x400;
inline constexpr UINT MF_SEPARATOR = 0x800;

inline constexpr UINT TPM_LEFTALIGN = 0x0;
inline constexpr UINT TPM_RIGHTBUTTON = 0x2;
inline constexpr UINT TPM_RETURNCMD = 0x100;

class CMenu {
public:
    CMenu() = default;
    ~CMenu();
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // Builds the menu from the menu resource `nID`: one pop-up holding its items.
    BOOL LoadMenu(UINT nID);
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT nIDNewItem = 0, const char* lpszNewItem = nullptr);
    CMenu* GetSubMenu(int nPos) const;
    int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
    // The item's command id; 0 for a separator, -1 (as UINT) for a pop-up.
    UINT GetMenuItemID(int nPos) const;
    std::string GetMenuString(int nPos) const;
    // The MF_ flags of the item `nID` (MF_BYCOMMAND) or at `nID` (MF_BYPOSITION); -1 if none.
    UINT GetMenuState(UINT nID, UINT nFlags) const;
    // Sets MF_GRAYED/MF_DISABLED of an item; returns its previous state, -1 if none.
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable);

    // Shows the menu with its top-left corner at (x, y), screen coordinates, and waits until
    // it closes. A chosen item reaches `pWnd` as WM_COMMAND, or with TPM_RETURNCMD is
    // returned instead. Without TPM_RETURNCMD the result is nonzero when the menu was shown.
    int TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const CRect* lpRect = nullptr);

private:
    struct Item {
        UINT nFlags = 0;
        UINT nID = 0;
        std::string text;
        std::unique_ptr<CMenu> pPopup;
    };
    Item* FindItem(UINT nID, UINT nFlags);
    const Item* FindItem(UINT nID, UINT nFlags) const;

    std::vector<Item> m_items;
    bool m_bCreated = false;
};
