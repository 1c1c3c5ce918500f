#pragma once

#include "designer/editors/EditorSupport.h"

#include <QString>

class QDialog;
class QDialogButtonBox;

namespace vl {

// The dialog's "OK" and "Cancel" buttons, wired to accept and reject.
QDialogButtonBox* OkCancelButtons(QDialog* dialog);

} // namespace vl
