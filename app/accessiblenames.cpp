// Accessible names and roles the widgets do not have by themselves.
#include "app/accessiblenames.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include "app/commandids.h"

namespace {
QAccessibleInterface* ViewInterface(const QString& className, QObject* object)
{
    if (className != QLatin1String("CTesseraView") || !object || !object->isWidgetType()) return nullptr;
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Canvas, "Space view");
}
}  // namespace

void InstallViewAccessibility()
{
    static bool installed = false;
    if (installed) return;
    installed = true;
    QAccessible::installFactory(ViewInterface);
}

void NameToolbarButtons(QToolBar* toolbar)
{
    for (QAction* action : toolbar->actions()) {
        QWidget* button = toolbar->widgetForAction(action);
        const int id = action->data().toInt();
        if (!button) continue;
        const QString words = action->text().remove('&').toLower();
        if (id >= ID_MOVECURSOR_UP && id <= ID_MOVECURSOR_FRONT) button->setAccessibleName("Cursor " + words);
        else if (id >= ID_MOVEEYE_UP && id <= ID_MOVEEYE_RIGHT) button->setAccessibleName("Eye " + words);
    }
}

void FollowStatusMessages(QStatusBar* bar, QLabel* idle)
{
    auto follow = [bar, idle](const QString& message) {
        const QString shown = message.isEmpty() ? idle->text() : message;
        bar->setAccessibleName(shown);
        idle->setAccessibleName(shown);
    };
    QObject::connect(bar, &QStatusBar::messageChanged, bar, follow);
    follow(QString());
}
