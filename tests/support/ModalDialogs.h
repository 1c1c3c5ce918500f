#pragma once

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QPointer>
#include <QWindow>
#include <algorithm>
#include <cstdlib>
#include <cxxabi.h>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace vl::test {

// Answers the modal windows a test expects, in the order they come. A
// window that opens while nothing is expected of that kind is rejected and
// reported, so that a test fails instead of waiting for a click that never
// comes; an expected window that never opens is reported by unanswered().
// The watch ends with the object, so it cannot act on a later test's
// windows.
//
// A window counts from the moment it shows, not from when a poll happens
// to find it: one that comes and goes quickly (a short build's progress
// window) is still seen, and one opened twice is answered twice. It is
// answered as a person would: once it is on the screen and has done what
// it queued on appearing (the designer places its tool windows then). An
// answer that leaves its window waiting for a click that will not come is
// reported, and the window closed, rather than waited for.
class ModalDialogs {
public:
    ModalDialogs() : watch_(*this) {
        qApp->installEventFilter(&watch_);
        QObject::connect(QAbstractEventDispatcher::instance(),
                         &QAbstractEventDispatcher::aboutToBlock, &watch_, [this] { idle(); });
    }
    ~ModalDialogs() { qApp->removeEventFilter(&watch_); }
    ModalDialogs(const ModalDialogs&) = delete;
    ModalDialogs& operator=(const ModalDialogs&) = delete;

    // The next modal window is to be a Window, answered by answer; the
    // answer closes it or leaves it to close by itself.
    template <typename Window> void expect(std::function<void(Window&)> answer) {
        expected_.push_back({nameOf(typeid(Window)), [answer](QWidget& w) {
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
    // as another kind, came unexpected or were not answered. Empty when
    // all went as expected.
    std::string unanswered() const {
        std::string text = problems_;
        const auto add = [&text](const std::string& line) {
            text += std::string(text.empty() ? "" : "; ") + line;
        };
        for (const auto& open : open_)
            if (!open->kind.empty()) add(open->kind + " opened but was not answered");
        for (const Expected& e : expected_)
            add(e.kind + " did not open");
        return text;
    }
    int answered() const { return answered_; }

private:
    struct Expected {
        std::string kind;
        std::function<bool(QWidget&)> answer;
    };
    // A window that showed and waits for its answer (or its refusal, with
    // no kind).
    struct Open {
        QPointer<QWidget> window;
        std::string kind;
        std::function<void(QWidget&)> act;
        bool onScreen = false;
    };

    // Sees windows show, appear and close; the queued answers are sent to
    // it, so they go with the object as well.
    class Watch : public QObject {
    public:
        explicit Watch(ModalDialogs& owner) : owner_(owner) {}
        bool eventFilter(QObject* object, QEvent* event) override {
            // a window restored or minimized by the window system neither
            // opens nor closes
            switch (event->type()) {
            case QEvent::Show:
            case QEvent::Hide:
                if (!event->spontaneous() && object->isWidgetType()) {
                    auto* widget = static_cast<QWidget*>(object);
                    if (!widget->isWindow()) break;
                    if (event->type() == QEvent::Hide)
                        owner_.hidden(*widget);
                    else if (widget->isModal())
                        owner_.shown(*widget);
                }
                break;
            case QEvent::Expose:
                if (auto* window = qobject_cast<QWindow*>(object); window && window->isExposed())
                    owner_.exposed(*window);
                break;
            default:
                break;
            }
            return false;
        }
        bool event(QEvent* event) override {
            if (event->type() != Answer::type()) return QObject::event(event);
            static_cast<Answer*>(event)->run();
            return true;
        }

    private:
        ModalDialogs& owner_;
    };
    class Answer : public QEvent {
    public:
        explicit Answer(std::function<void()> work) : QEvent(type()), run(std::move(work)) {}
        static Type type() {
            static const Type registered = static_cast<Type>(registerEventType());
            return registered;
        }
        const std::function<void()> run;
    };

    // The class's own name: many windows have no Q_OBJECT of their own, so
    // their meta object would call them QDialog.
    static std::string nameOf(const std::type_info& type) {
        int status = 0;
        char* name = abi::__cxa_demangle(type.name(), nullptr, nullptr, &status);
        const std::string text = status == 0 ? name : type.name();
        std::free(name);
        return text;
    }

    void shown(QWidget& modal) {
        for (const auto& passing : passing_)
            if (passing(modal)) return;
        auto open = std::make_shared<Open>();
        open->window = &modal;
        if (expected_.empty()) {
            // said now, as the window may be gone before it is closed
            problem("unexpected " + describe(modal) + " opened");
            open->act = close;
        } else {
            Expected next = std::move(expected_.front());
            expected_.pop_front();
            open->kind = next.kind;
            open->act = [this, next = std::move(next)](QWidget& window) {
                if (next.answer(window)) {
                    ++answered_;
                    return;
                }
                problem(next.kind + " expected, but " + describe(window) + " opened");
                close(window);
            };
        }
        open_.push_back(std::move(open));
    }
    void exposed(QWindow& screen) {
        for (const auto& open : open_) {
            if (open->onScreen || !open->window || open->window->windowHandle() != &screen)
                continue;
            open->onScreen = true;
            // Low priority: what the window queued on appearing comes first.
            // Never from inside show() either: a window closed there would
            // open empty once its loop starts, and wait for good.
            QCoreApplication::postEvent(&watch_, new Answer([this, open] { answer(open); }),
                                        Qt::LowEventPriority);
        }
    }
    void answer(const std::shared_ptr<Open>& open) {
        forget(open.get());
        if (!open->window || !open->window->isVisible()) {
            if (!open->kind.empty()) problem(open->kind + " closed before it was answered");
            return;
        }
        open->act(*open->window);
        // a window that closes by itself (a progress window) may stay
        if (open->window && open->window->isVisible()) left_.push_back(open);
    }
    // The loop waits for events: an answered window still on top gets
    // none, as its answer is over.
    void idle() {
        for (const auto& open : left_) {
            if (!open->window || !open->window->isVisible() ||
                open->window != QApplication::activeModalWidget())
                continue;
            problem((open->kind.empty() ? describe(*open->window) : open->kind) +
                    " was left open by its answer");
            // closed from the queue, not from the dispatcher's signal
            QMetaObject::invokeMethod(
                &watch_,
                [window = open->window] {
                    if (window) close(*window);
                },
                Qt::QueuedConnection);
        }
        left_.erase(std::remove_if(left_.begin(), left_.end(),
                                   [](const auto& open) {
                                       return !open->window || !open->window->isVisible() ||
                                              open->window == QApplication::activeModalWidget();
                                   }),
                    left_.end());
    }
    void hidden(QWidget& window) {
        const auto found = std::find_if(open_.begin(), open_.end(), [&window](const auto& open) {
            return open->window == &window && !open->onScreen;
        });
        if (found == open_.end()) return;
        if (!(*found)->kind.empty()) problem((*found)->kind + " closed before it was answered");
        open_.erase(found);
    }
    void forget(const Open* open) {
        open_.erase(std::remove_if(open_.begin(), open_.end(),
                                   [open](const auto& o) { return o.get() == open; }),
                    open_.end());
    }
    void problem(const std::string& text) {
        problems_ += std::string(problems_.empty() ? "" : "; ") + text;
    }
    static std::string describe(const QWidget& modal) {
        return nameOf(typeid(modal)) + " \"" + modal.windowTitle().toStdString() + "\"";
    }
    static void close(QWidget& modal) {
        if (auto* dialog = qobject_cast<QDialog*>(&modal))
            dialog->reject();
        else
            modal.close();
    }

    Watch watch_;
    std::deque<Expected> expected_;
    std::vector<std::function<bool(QWidget&)>> passing_;
    std::vector<std::shared_ptr<Open>> open_;
    // answered, but still open when their answers ended
    std::vector<std::shared_ptr<Open>> left_;
    std::string problems_;
    int answered_ = 0;
};

} // namespace vl::test
