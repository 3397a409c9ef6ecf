#include "platform/ui/CMenu.h"

#include <QMenu>

#include "platform/ui/QtConvert.h"

namespace {
constexpr UINT kPopupItemId = static_cast<UINT>(-1);

void Fill(QMenu& menu, const CMenu& source) {
    for (int i = 0; i < source.GetMenuItemCount(); ++i) {
        const UINT state = source.GetMenuState(static_cast<UINT>(i), MF_BYPOSITION);
        if ((state & MF_SEPARATOR) != 0) {
            menu.addSeparator();
        } else if (CMenu* popup = source.GetSubMenu(i)) {
            Fill(*menu.addMenu(ToQt(source.GetMenuString(i))), *popup);
        } else {
            QAction* action = menu.addAction(ToQt(source.GetMenuString(i)));
            action->setData(source.GetMenuItemID(i));
            action->setEnabled((state & (MF_GRAYED | MF_DISABLED)) == 0);
        }
    }
}
}  // namespace

CMenu::~CMenu() = default;

BOOL CMenu::LoadMenu(UINT nID) {
    const MenuTemplate* tmpl = AfxFindMenu(nID);
    if (tmpl == nullptr) {
        return FALSE;
    }
    DestroyMenu();
    m_bCreated = true;
    auto popup = std::make_unique<CMenu>();
    popup->CreatePopupMenu();
    for (const MenuItemTemplate& item : tmpl->items) {
        popup->AppendMenu(MF_STRING, item.nID, item.pszText);
    }
    m_items.push_back({MF_POPUP, kPopupItemId, tmpl->pszPopup, std::move(popup)});
    return TRUE;
}

BOOL CMenu::CreatePopupMenu() {
    DestroyMenu();
    m_bCreated = true;
    return TRUE;
}

BOOL CMenu::DestroyMenu() {
    const bool created = m_bCreated;
    m_items.clear();
    m_bCreated = false;
    return created ? TRUE : FALSE;
}

BOOL CMenu::AppendMenu(UINT nFlags, UINT nIDNewItem, const char* lpszNewItem) {
    if (!m_bCreated) {
        return FALSE;
    }
    Item item;
    item.nFlags = nFlags;
    item.nID = (nFlags & MF_SEPARATOR) != 0 ? 0 : nIDNewItem;
    item.text = lpszNewItem != nullptr ? lpszNewItem : "";
    m_items.push_back(std::move(item));
    return TRUE;
}

CMenu* CMenu::GetSubMenu(int nPos) const {
    if (nPos < 0 || nPos >= GetMenuItemCount()) {
        return nullptr;
    }
    return m_items[static_cast<std::size_t>(nPos)].pPopup.get();
}

UINT CMenu::GetMenuItemID(int nPos) const {
    if (nPos < 0 || nPos >= GetMenuItemCount()) {
        return kPopupItemId;
    }
    return m_items[static_cast<std::size_t>(nPos)].nID;
}

std::string CMenu::GetMenuString(int nPos) const {
    if (nPos < 0 || nPos >= GetMenuItemCount()) {
        return {};
    }
    return m_items[static_cast<std::size_t>(nPos)].text;
}

const CMenu::Item* CMenu::FindItem(UINT nID, UINT nFlags) const {
    if ((nFlags & MF_BYPOSITION) != 0) {
        return nID < m_items.size() ? &m_items[nID] : nullptr;
    }
    for (const Item& item : m_items) {
        if ((item.nFlags & (MF_SEPARATOR | MF_POPUP)) == 0 && item.nID == nID) {
            return &item;
        }
    }
    return nullptr;
}

CMenu::Item* CMenu::FindItem(UINT nID, UINT nFlags) {
    return const_cast<Item*>(static_cast<const CMenu*>(this)->FindItem(nID, nFlags));
}

UINT CMenu::GetMenuState(UINT nID, UINT nFlags) const {
    const Item* item = FindItem(nID, nFlags);
    return item != nullptr ? item->nFlags : static_cast<UINT>(-1);
}

UINT CMenu::EnableMenuItem(UINT nIDEnableItem, UINT nEnable) {
    Item* item = FindItem(nIDEnableItem, nEnable & MF_BYPOSITION);
    if (item == nullptr) {
        return static_cast<UINT>(-1);
    }
    const UINT previous = item->nFlags & (MF_GRAYED | MF_DISABLED);
    item->nFlags =
        (item->nFlags & ~(MF_GRAYED | MF_DISABLED)) | (nEnable & (MF_GRAYED | MF_DISABLED));
    return previous;
}

int CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, const CRect*) {
    QWidget* owner =
        pWnd != nullptr && pWnd->GetSafeHwnd() != nullptr ? pWnd->GetSafeHwnd()->window() : nullptr;
    QMenu menu(owner);
    Fill(menu, *this);
    const QAction* chosen = menu.exec(QPoint(x, y));
    const UINT id = chosen != nullptr ? chosen->data().toUInt() : 0;
    if ((nFlags & TPM_RETURNCMD) != 0) {
        return static_cast<int>(id);
    }
    if (id != 0 && pWnd != nullptr) {
        pWnd->SendCommand(id);
    }
    return TRUE;
}
