#pragma once

#include "engine/model/TvlPicture.h"

#include <QDialog>
#include <functional>

class QPushButton;

namespace vl {

class TvlPictureView;

// The picture editor: shows a copy of a picture object's picture, loads
// another from a file or the clipboard, or clears it; OK gives the copy to
// the object.
class TvlGEditorForm : public QDialog {
    Q_OBJECT
public:
    explicit TvlGEditorForm(QWidget* parent = nullptr);
    ~TvlGEditorForm() override;

    // Runs the dialog on the object; on OK beforeChange runs and the object
    // takes the picture. Returns the modal result (1 OK, 2 Cancel).
    int ShowEditor(TvlPictureView& view, const std::function<void()>& beforeChange);

    // The picture being edited.
    TvlPicture& picture() { return copy_; }
    // Loads a picture file into the copy; false (and a message) when it
    // cannot be read.
    bool loadFile(const QString& path);
    // Takes the clipboard's picture, if it holds one.
    void paste();
    void clear();
    // The open-file dialog, replaceable: the chosen file or empty.
    void setFileChooser(std::function<QString()> choose) { chooseFile_ = std::move(choose); }
    // Where messages about unreadable files go.
    void setErrorHandler(std::function<void(const QString&)> handler) {
        error_ = std::move(handler);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    class PictureArea;
    TvlPicture copy_;
    PictureArea* area_;
    std::function<QString()> chooseFile_;
    std::function<void(const QString&)> error_;
};

} // namespace vl
