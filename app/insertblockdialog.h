// CInsertBlockDialog: the sizes of a block the Insert menu places (a work area's interior, a
// rule's left and right box, how many rules, values, variables or instances). In a flat space
// the heights are 1 and not asked.
#pragma once

#include <QDialog>
#include <vector>

#include "document/blockstamp.h"

class QSpinBox;

class CInsertBlockDialog : public QDialog {
    Q_OBJECT

public:
    CInsertBlockDialog(const SBlockRequest& request, QWidget* parent = nullptr);

    // The request with the sizes as the dialog holds them.
    SBlockRequest Request() const;
    // The spin boxes in order: width, height, depth of each box, then the count (tests type in them).
    const std::vector<QSpinBox*>& Spins() const { return m_spins; }
    // Whether a block of this kind has sizes to ask for.
    static bool HasSizes(EInsertBlock kind);

private:
    SBlockRequest m_request;
    std::vector<QSpinBox*> m_first, m_second;
    QSpinBox* m_count = nullptr;
    std::vector<QSpinBox*> m_spins;
};
