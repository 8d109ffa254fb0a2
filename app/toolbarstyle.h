// CToolBarStyle: tighter button metrics so that the 24 toolbar buttons fit the 640-pixel frame.
#pragma once

#include <QProxyStyle>

class CToolBarStyle : public QProxyStyle {
    Q_OBJECT

public:
    CToolBarStyle();

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
};
