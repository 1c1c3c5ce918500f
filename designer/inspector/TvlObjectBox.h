#pragma once

#include <QComboBox>
#include <functional>

namespace vl {

// The inspector's object box: a sorted list of the names of the objects that
// can be inspected, refilled each time it opens. Closed, it shows the chosen
// name followed by ": " and the inspected object's class name.
class TvlObjectBox : public QComboBox {
public:
    explicit TvlObjectBox(QWidget* parent = nullptr);

    // Refills the names (called when the list opens).
    void setRefillHandler(std::function<QStringList()> handler);
    // Told the name the user chose.
    void setChosenHandler(std::function<void(const QString&)> handler);

    // Fills the list, sorted, and selects the name (none when it is empty).
    void fill(const QStringList& names, const QString& chosen);
    void selectName(const QString& name);
    void setClassName(const QString& className);
    // What the closed box shows.
    QString displayText() const;

    void showPopup() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<QStringList()> refill_;
    std::function<void(const QString&)> chosen_;
    QString className_;
};

} // namespace vl
