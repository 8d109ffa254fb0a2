// Lays out a dialog made of one form of fields above an OK and a Cancel button.
#pragma once

class QDialog;
class QFormLayout;

void layOutFormDialog(QDialog* dialog, QFormLayout* form);
