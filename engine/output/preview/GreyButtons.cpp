#include "engine/output/preview/GreyButtons.h"

#include <QAbstractButton>
#include <QEvent>
#include <QGraphicsColorizeEffect>

namespace vl {

namespace {

void colour(QAbstractButton& button, bool grey) {
    if (!grey) {
        button.setGraphicsEffect(nullptr);
        return;
    }
    auto* effect = new QGraphicsColorizeEffect(&button);
    effect->setColor(QColor(128, 128, 128));
    button.setGraphicsEffect(effect);
}

// Lives as a child of its button: grey while the mouse is away.
class GreyFilter : public QObject {
public:
    explicit GreyFilter(QAbstractButton& button) : QObject(&button), button_(button) {
        setObjectName(QStringLiteral("GreyFilter"));
        button.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Enter) colour(button_, false);
        if (event->type() == QEvent::Leave) colour(button_, true);
        return false;
    }

private:
    QAbstractButton& button_;
};

GreyFilter* filterOf(const QAbstractButton& button) {
    return button.findChild<GreyFilter*>(QStringLiteral("GreyFilter"), Qt::FindDirectChildrenOnly);
}

} // namespace

void SetButtonGrey(QAbstractButton& button, bool grey) {
    delete filterOf(button);
    colour(button, grey);
    if (grey) new GreyFilter(button);
}

bool ButtonGrey(const QAbstractButton& button) {
    return filterOf(button) != nullptr;
}

} // namespace vl
