#pragma once

#include <QDialog>
#include <cstdint>

class QCheckBox;

namespace vl {

// "Object's restrictions": one box per designer lock of an object.
class TvlRestrictionsForm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kLocks = 7;

    explicit TvlRestrictionsForm(QWidget* parent = nullptr);
    void setRestrictions(std::uint16_t restrictions);
    std::uint16_t restrictions() const;
    QCheckBox* box(int bit) const { return boxes_[bit]; }

private:
    QCheckBox* boxes_[kLocks] = {};
};

} // namespace vl
