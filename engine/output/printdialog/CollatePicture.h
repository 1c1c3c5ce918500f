#pragma once

#include <QWidget>

namespace vl {

// The picture beside "Collate": stacks of numbered sheets, either as whole
// copies one after the other (1 2 3, 1 2 3) or as each page's copies
// together (1 1, 2 2, 3 3).
class CollatePicture : public QWidget {
public:
    explicit CollatePicture(QWidget* parent = nullptr);

    bool collated() const { return collated_; }
    void setCollated(bool collated);
    QSize sizeHint() const override { return {100, 40}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawSheet(QPainter& painter, QPointF at, int number) const;

    bool collated_ = true;
};

} // namespace vl
