// Draws list lines with tab characters expanded at fixed stops.
#pragma once

#include <QStyledItemDelegate>

class TabStopDelegate final : public QStyledItemDelegate {
public:
    TabStopDelegate(int tabStopPixels, QObject* parent);
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

private:
    int m_tabStop;
};
