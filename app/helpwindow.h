// CHelpWindow: shows the user's guide (docs/guide.md) for Help > Index, Using Help and F1.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

class CHelpWindow : public QWidget {
    Q_OBJECT

public:
    explicit CHelpWindow(QWidget* parent = nullptr);

    // The guide as installed beside the program, else in the source tree; empty if neither.
    static QString FindGuide();

    // Loads the guide and brings the window up; false (with a message shown) if it is missing.
    bool ShowGuide();

    QTextBrowser* Browser() const { return m_browser; }

private:
    QTextBrowser* m_browser;
};
