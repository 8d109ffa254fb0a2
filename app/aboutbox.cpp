// The About box, laid out as a small fixed dialog in an 8-point sans-serif font.
#include "app/aboutbox.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "app/resources.h"
#include "app/toolbaricons.h"

CAboutBox::CAboutBox(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(RES_ABOUT_TITLE);
    QFont font("Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    setFont(font);

    auto* icon = new QLabel;
    icon->setObjectName("aboutIcon");
    icon->setPixmap(ApplicationIcon().pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* lines = new QVBoxLayout;
    auto* line1 = new QLabel(RES_ABOUT_LINE1);
    auto* line2 = new QLabel(RES_ABOUT_LINE2);
    line1->setObjectName("aboutLine1");
    line2->setObjectName("aboutLine2");
    lines->addWidget(line1);
    lines->addWidget(line2);
    lines->addStretch();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, Qt::Vertical);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout(this);
    row->addWidget(icon);
    row->addSpacing(12);
    row->addLayout(lines, 1);
    row->addWidget(buttons);
    setLayout(row);
    setSizeGripEnabled(false);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}
