// A single-selection list box that sorts and expands tabs as its styles ask.
#pragma once

#include <string>

#include "platform/ui/CWnd.h"

inline constexpr int LB_ERR = -1;

// A single-selection list box. With LBS_SORT lines are kept in case-insensitive order;
// with LBS_USETABSTOPS tab characters align at stops every 32 dialog units.
class CListBox : public CWnd {
public:
    // Adds a line and returns its position, LB_ERR when the list is not created.
    int AddString(const std::string& text);
    int GetCount() const;
    // The selected position, LB_ERR when nothing is selected.
    int GetCurSel() const;
    // Selects `nSelect`, or clears the selection with -1; LB_ERR when out of range.
    int SetCurSel(int nSelect);
    std::string GetText(int nIndex) const;
    int SetItemData(int nIndex, DWORD_PTR dwItemData);
    DWORD_PTR GetItemData(int nIndex) const;
};
