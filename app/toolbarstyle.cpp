// Toolbar metrics: 16-pixel images in 22-pixel buttons with no spacing between them, as on
// the classic toolbars the layout was designed for.
#include "app/toolbarstyle.h"

#include <QApplication>
#include <QStyleOptionToolButton>

CToolBarStyle::CToolBarStyle() : QProxyStyle(QApplication::style()->name()) {}

int CToolBarStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const
{
    switch (metric) {
    case PM_ToolBarItemSpacing: return 0;
    case PM_ToolBarItemMargin: return 1;
    case PM_ToolBarSeparatorExtent: return 7;
    default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

QSize CToolBarStyle::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                      const QWidget* widget) const
{
    if (type == CT_ToolButton)
        if (const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option))
            if (button->toolButtonStyle == Qt::ToolButtonIconOnly) return button->iconSize + QSize(6, 6);
    return QProxyStyle::sizeFromContents(type, option, size, widget);
}
