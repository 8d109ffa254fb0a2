// CInsertBlockDialog: one row of width, height and depth per box the block has, and a count
// where the block repeats; what each kind asks for is in the table below.
#include "app/insertblockdialog.h"

#include "app/formdialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>

namespace {
struct SFields {
    const char* title;
    const char* first;   // the row of the first box, or null
    const char* second;  // the row of the second box, or null
    const char* count;   // the count's label, or null
    int countMin;
};

const SFields& FieldsOf(EInsertBlock kind)
{
    static const SFields fields[INSERT_BLOCK_COUNT] = {
        {"Work Area", "&Interior:", nullptr, nullptr, 1},
        {"Rule", "&Left box:", "&Right box:", nullptr, 1},
        {"Rule Group", "&Left boxes:", "&Right boxes:", "&Rules:", 1},
        {"Sequence", "&Each frame:", nullptr, "&Values:", 0},
        {"Transparent Color", nullptr, nullptr, nullptr, 1},
        {"Variables", "&Each variable:", nullptr, "&Variables:", 1},
        {"Receive", "&Message:", nullptr, nullptr, 1},
        {"Own Key", "&Key icon:", "&Value frame:", nullptr, 1},
        {"Reply Key", "&Key icon:", "&Value frame:", nullptr, 1},
        {"Sub-Program", "&Name:", "&Rule frame and each instance:", "&Instances:", 0},
    };
    return fields[int(kind)];
}

// Width, height and depth in one row; the height is left out in a flat space.
QWidget* BoxRow(const SBoxSize& size, bool flat, const QString& name, std::vector<QSpinBox*>& spins)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    const struct {
        int value;
        const char* axis;
    } axes[] = {{size.x, "width"}, {size.y, "height"}, {size.z, "depth"}};
    for (const auto& axis : axes) {
        auto* spin = new QSpinBox;
        spin->setRange(1, STAMP_MAX_SIZE);
        spin->setValue(axis.value);
        spin->setAccessibleName(name + ' ' + axis.axis);
        spins.push_back(spin);
        if (flat && spins.size() % 3 == 2) {
            spin->setValue(1);
            spin->hide();
            continue;
        }
        layout->addWidget(new QLabel(QString(axis.axis) + ':'));
        layout->addWidget(spin);
    }
    return row;
}
}  // namespace

bool CInsertBlockDialog::HasSizes(EInsertBlock kind) { return FieldsOf(kind).first != nullptr; }

CInsertBlockDialog::CInsertBlockDialog(const SBlockRequest& request, QWidget* parent)
    : QDialog(parent), m_request(request)
{
    const SFields& f = FieldsOf(request.kind);
    setWindowTitle(QString("Insert ") + f.title);
    auto* form = new QFormLayout;
    auto addBox = [&](const char* label, const SBoxSize& size, std::vector<QSpinBox*>& spins) {
        if (!label) return;
        QString name = QString(label).remove('&');
        name.chop(1);  // the colon
        QWidget* row = BoxRow(size, request.flat, name, spins);
        form->addRow(label, row);
        // The label's mnemonic goes to the row's first spin box.
        if (auto* buddy = qobject_cast<QLabel*>(form->labelForField(row))) buddy->setBuddy(spins.front());
        m_spins.insert(m_spins.end(), spins.begin(), spins.end());
    };
    addBox(f.first, request.first, m_first);
    addBox(f.second, request.second, m_second);
    if (f.count) {
        m_count = new QSpinBox;
        m_count->setRange(f.countMin, STAMP_MAX_COUNT);
        m_count->setValue(std::max(request.count, f.countMin));
        m_count->setAccessibleName(QString(f.count).remove('&').chopped(1));
        form->addRow(f.count, m_count);
        m_spins.push_back(m_count);
    }
    layOutFormDialog(this, form);
    if (!m_spins.empty()) {
        m_spins.front()->setFocus();
        m_spins.front()->selectAll();
    }
}

SBlockRequest CInsertBlockDialog::Request() const
{
    SBlockRequest r = m_request;
    auto read = [](const std::vector<QSpinBox*>& spins, SBoxSize& size) {
        if (spins.size() != 3) return;
        size = {spins[0]->value(), spins[1]->value(), spins[2]->value()};
    };
    read(m_first, r.first);
    read(m_second, r.second);
    if (m_count) r.count = m_count->value();
    return r;
}
