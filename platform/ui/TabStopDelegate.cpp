#include "platform/ui/TabStopDelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QTextOption>

TabStopDelegate::TabStopDelegate(int tabStopPixels, QObject* parent)
    : QStyledItemDelegate(parent), m_tabStop(tabStopPixels) {}

void TabStopDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QString text = item.text;
    item.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    const QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    QTextOption layout(Qt::AlignLeft | Qt::AlignVCenter);
    layout.setTabStopDistance(m_tabStop);
    layout.setWrapMode(QTextOption::NoWrap);
    painter->save();
    const bool selected = (option.state & QStyle::State_Selected) != 0;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
    painter->setFont(option.font);
    painter->drawText(area, text, layout);
    painter->restore();
}
