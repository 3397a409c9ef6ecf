#include "platform/ui/CListBox.h"

#include <QListWidget>

#include "platform/ui/QtConvert.h"

namespace {
QListWidget* ListOf(QWidget* widget) {
    return qobject_cast<QListWidget*>(widget);
}
}  // namespace

int CListBox::AddString(const std::string& text) {
    QListWidget* list = ListOf(m_pWidget);
    if (list == nullptr) {
        return LB_ERR;
    }
    const QString line = ToQt(text);
    int at = list->count();
    if ((m_dwStyle & LBS_SORT) != 0) {
        // After the lines that sort before it or equal it, ignoring case.
        at = 0;
        while (at < list->count() &&
               QString::compare(list->item(at)->text(), line, Qt::CaseInsensitive) <= 0) {
            ++at;
        }
    }
    list->insertItem(at, line);
    return at;
}

int CListBox::GetCount() const {
    QListWidget* list = ListOf(m_pWidget);
    return list != nullptr ? list->count() : LB_ERR;
}

int CListBox::GetCurSel() const {
    QListWidget* list = ListOf(m_pWidget);
    if (list == nullptr || list->currentItem() == nullptr || !list->currentItem()->isSelected()) {
        return LB_ERR;
    }
    return list->currentRow();
}

int CListBox::SetCurSel(int nSelect) {
    QListWidget* list = ListOf(m_pWidget);
    if (list == nullptr) {
        return LB_ERR;
    }
    if (nSelect < 0 || nSelect >= list->count()) {
        list->clearSelection();
        return LB_ERR;
    }
    list->setCurrentRow(nSelect, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(nSelect));
    return nSelect;
}

std::string CListBox::GetText(int nIndex) const {
    QListWidget* list = ListOf(m_pWidget);
    if (list == nullptr || nIndex < 0 || nIndex >= list->count()) {
        return {};
    }
    return FromQt(list->item(nIndex)->text());
}

int CListBox::SetItemData(int nIndex, DWORD_PTR dwItemData) {
    QListWidget* list = ListOf(m_pWidget);
    if (list == nullptr || nIndex < 0 || nIndex >= list->count()) {
        return LB_ERR;
    }
    list->item(nIndex)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(dwItemData));
    return 0;
}

DWORD_PTR CListBox::GetItemData(int nIndex) const {
    QListWidget* list = ListOf(m_pWidget);
    if (list == nullptr || nIndex < 0 || nIndex >= list->count()) {
        return static_cast<DWORD_PTR>(LB_ERR);
    }
    return static_cast<DWORD_PTR>(list->item(nIndex)->data(Qt::UserRole).toULongLong());
}
