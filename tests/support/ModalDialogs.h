#pragma once

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace vl::test {

// Answers the modal windows a test expects, in the order they come. A
// window that opens while nothing is expected of that kind is rejected and
// reported, so that a test fails instead of waiting for a click that never
// comes; an expected window that never opens is reported by unanswered().
// The watch ends with the object, so it cannot act on a later test's
// windows.
class ModalDialogs {
public:
    ModalDialogs() {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start();
    }
    ~ModalDialogs() { timer_.stop(); }
    ModalDialogs(const ModalDialogs&) = delete;
    ModalDialogs& operator=(const ModalDialogs&) = delete;

    // The next modal window is to be a Window, answered by answer; the
    // answer closes it or leaves it to open the next one.
    template <typename Window> void expect(std::function<void(Window&)> answer) {
        expected_.push_back({Window::staticMetaObject.className(), [answer](QWidget& w) {
                                 // windows without Q_OBJECT of their own too
                                 auto* window = dynamic_cast<Window*>(&w);
                                 if (!window) return false;
                                 answer(*window);
                                 return true;
                             }});
    }
    // Any modal window, whatever its kind.
    void expectAny(std::function<void(QWidget&)> answer) {
        expected_.push_back({"a modal window", [answer](QWidget& w) {
                                 answer(w);
                                 return true;
                             }});
    }

    // Windows of that kind come and go by themselves (progress windows):
    // they are neither answered nor refused.
    template <typename Window> void leaveAlone() {
        passing_.push_back([](QWidget& w) { return dynamic_cast<Window*>(&w) != nullptr; });
    }

    // What went otherwise than expected: windows that did not come, came
    // as another kind or came unexpected. Empty when all went as expected.
    std::string unanswered() const {
        std::string text = problems_;
        for (const Expected& e : expected_)
            text += std::string(text.empty() ? "" : "; ") + e.kind + " did not open";
        return text;
    }
    int answered() const { return answered_; }

private:
    struct Expected {
        std::string kind;
        std::function<bool(QWidget&)> answer;
    };

    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || seen(modal)) return;
        // An outer window whose inner one closed is active again: it is
        // not a new window.
        seen_.push_back(modal);
        for (const auto& passing : passing_)
            if (passing(*modal)) return;
        if (expected_.empty()) {
            refuse(*modal, "unexpected ");
            return;
        }
        Expected next = std::move(expected_.front());
        expected_.pop_front();
        // Answered from the event queue, not from the timer: an answer that
        // opens the next window waits in that window's loop, and Qt does
        // not fire a timer again while its own slot still runs.
        QMetaObject::invokeMethod(
            &timer_,
            [this, window = QPointer<QWidget>(modal), next = std::move(next)] {
                if (!window) {
                    problems_ += std::string(problems_.empty() ? "" : "; ") + next.kind +
                                 " closed before it was answered";
                    return;
                }
                if (next.answer(*window))
                    ++answered_;
                else
                    refuse(*window, next.kind + " expected, but ");
            },
            Qt::QueuedConnection);
    }
    bool seen(QWidget* modal) {
        seen_.erase(std::remove_if(seen_.begin(), seen_.end(),
                                   [](const QPointer<QWidget>& w) { return w.isNull(); }),
                    seen_.end());
        return std::find(seen_.begin(), seen_.end(), modal) != seen_.end();
    }
    void refuse(QWidget& modal, const std::string& why) {
        problems_ += std::string(problems_.empty() ? "" : "; ") + why +
                     modal.metaObject()->className() + " \"" + modal.windowTitle().toStdString() +
                     "\" opened";
        if (auto* dialog = qobject_cast<QDialog*>(&modal))
            dialog->reject();
        else
            modal.close();
    }

    QTimer timer_;
    std::deque<Expected> expected_;
    std::vector<std::function<bool(QWidget&)>> passing_;
    std::vector<QPointer<QWidget>> seen_;
    std::string problems_;
    int answered_ = 0;
};

} // namespace vl::test
