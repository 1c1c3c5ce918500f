#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;

namespace vl {

// An engine text by its number, for showing.
QString ResText(int id);
// The dialog's "OK" and "Cancel" buttons, wired to accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

} // namespace vl
