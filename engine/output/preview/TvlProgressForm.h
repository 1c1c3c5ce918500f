#pragma once

#include "engine/build/ProgressWindow.h"

#include <QDialog>
#include <atomic>
#include <exception>
#include <functional>
#include <memory>

class QEventLoop;
class QLabel;
class QPushButton;

namespace vl {

// The progress window of builds and print runs: two centred lines and a
// Cancel button. It runs its work inside its own modal loop, so the window
// is up and answers while the work runs; the work shows its progress
// through SetFirstLine, which also lets pending events (a click on
// Cancel) through.
class TvlProgressForm : public QDialog {
public:
    // Cancel sets stop, the stop flag of the engine whose work runs.
    explicit TvlProgressForm(std::atomic<bool>& stop, QWidget* parent = nullptr);

    // Shows the window modally, runs start once it is up and returns the
    // result it was closed with (TvlProgressWindow::kOk or kCancel). An
    // exception of start is raised again after the window closed.
    int Run(const QString& caption, const QString& firstLine, const std::function<void()>& start);
    void SetFirstLine(const QString& line);
    void SetSecondLine(const QString& line);
    // Ends the run with that result once the work returns.
    void Close(int modalResult);
    // Sets the stop flag and closes with kCancel.
    void Cancel();
    bool Running() const { return loop_ != nullptr; }

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* CancelBtn = nullptr;

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void runStart(const std::function<void()>& start);

    std::atomic<bool>& stop_;
    QEventLoop* loop_ = nullptr;
    int result_ = 0;
    bool closed_ = false;
    std::exception_ptr error_;
};

// The engine's progress window over TvlProgressForm: each run opens a new
// form on the active window and releases it afterwards, so nothing of it
// outlives the application object.
class WidgetProgressWindow : public TvlProgressWindow {
public:
    // stop: the stop flag of the engine the window serves.
    explicit WidgetProgressWindow(std::atomic<bool>& stop) : stop_(stop) {}
    int RunWithProgress(const std::string& caption, const std::string& progressText,
                        const std::function<void()>& start) override;
    void SetFirstLine(const std::string& line) override;
    void Close(int modalResult) override;
    bool Shown() const override;
    void SetShown(bool shown) override;

    // The form of the run in progress; none between runs.
    TvlProgressForm* form() const { return form_; }

private:
    std::atomic<bool>& stop_;
    TvlProgressForm* form_ = nullptr;
};

} // namespace vl
