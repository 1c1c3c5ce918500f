#pragma once

#include "engine/script/StreamIO.h"

#include <QDialog>
#include <string>

class QListWidget;

namespace vl {

class TvlDataDictionary;
struct TvlChooserMemory;

// "Variables": the dictionary's categories and "System variables", and the
// variables of the selected category. The result is a variable name.
class TvlVarForm : public QDialog {
    Q_OBJECT
public:
    // Opens on the category memory holds and leaves the chosen one there.
    TvlVarForm(const TvlDataDictionary& dictionary, TvlChooserMemory& memory,
               QWidget* parent = nullptr);

    // The selected dictionary variable (empty when none), or the built-in
    // name of the selected system variable (PAGE# when none).
    std::string result() const;
    void done(int result) override;

    // The built-in names of the system variables, in list order.
    static const StringList& SystemVariableNames();

private:
    bool systemSelected() const;
    void listVariables();

    const TvlDataDictionary& dictionary_;
    TvlChooserMemory& memory_;
    QListWidget* categories_;
    QListWidget* variables_;
};

} // namespace vl
