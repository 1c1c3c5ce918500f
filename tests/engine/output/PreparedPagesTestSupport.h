#pragma once

#include "engine/build/TvlEngine.h"
#include "engine/model/TvlView.h"
#include "engine/model/ViewDrawing.h"
#include "engine/model/ViewState.h"
#include "engine/output/PageSettings.h"
#include "engine/output/TvlEMFPages.h"
#include "engine/output/TvlPrinter.h"
#include "engine/script/CodePage.h"
#include "engine/script/StreamIO.h"
#include "engine/script/TextUtils.h"
#include "tests/support/ThreadEngine.h"

#include <QFont>
#include <QPainter>
#include <memory>

namespace vl::test {

// An add-in object that writes its lines as text. It counts the instances
// alive and the draws, and with "AutoWidth" it takes the width of its text
// whenever it is drawn for output.
class StampView : public TvlView {
public:
    static constexpr const char* kClassName = "TvlTestStamp";
    static inline int alive = 0;
    static inline int draws = 0;

    StampView() {
        ++alive;
        Typ = otAddIn;
        BaseName = "Stamp";
    }
    ~StampView() override { --alive; }
    std::string className() const override { return kClassName; }

    Variant GetProperty(std::string_view name) override {
        if (SameText(name, "AutoWidth")) return autoWidth;
        return TvlView::GetProperty(name);
    }
    void SaveToStream(Stream& stream) override {
        TvlView::SaveToStream(stream);
        WriteByte(stream, autoWidth ? 1 : 0);
    }
    void LoadFromStream(Stream& stream) override {
        TvlView::LoadFromStream(stream);
        autoWidth = ReadByte(stream) != 0;
    }
    void Draw(const TvlDrawContext& context) override {
        ++draws;
        PrepareDraw(context);
        if (autoWidth && context.mode == rmOutput)
            Width = 10 * static_cast<int>(Memo.empty() ? 0 : Memo.front().size());
        ScaleForOutput();
        if (Canvas) {
            Canvas->save();
            QFont font(QStringLiteral("DejaVu Sans"));
            font.setPixelSize(std::max(1, Nearest(12 * ScaleY)));
            Canvas->setFont(font);
            Canvas->setPen(Qt::black);
            std::string text;
            for (const std::string& line : Memo)
                text += line + "\n";
            Canvas->drawText(QRect(DRect.Left, DRect.Top, DRect.width(), DRect.height()),
                             Qt::AlignLeft | Qt::AlignTop, ToQt(text));
            Canvas->restore();
        }
        RestoreGeometry();
    }

    bool autoWidth = false;
};

inline void RegisterStamp() {
    ViewState().addIns.add({StampView::kClassName, [] { return std::make_unique<StampView>(); },
                            nullptr, QImage(), "stamp"});
}

// A paper of the virtual printer with its metrics.
inline PageSettings Paper(int code = 9, int width = 2100, int height = 2970, int orientation = 0,
                          bool paperCoordinates = true) {
    TvlPrinter& printer = GlobalPrinter();
    printer.SetPaper(code, width, height, -1, orientation, true);
    PageSettings s;
    s.PaperSize = static_cast<std::int16_t>(code);
    s.PaperWidth = width;
    s.PaperHeight = height;
    s.Orientation = static_cast<std::uint8_t>(orientation);
    s.PaperBin = -1;
    s.PaperCoordinates = paperCoordinates;
    printer.FillMetrics(s.Metrics);
    return s;
}

// Appends an object's prepared record to page i, as the band engine does.
inline void Put(TvlEMFPages& pages, int i, TvlView& view) {
    MemoryStream& stream = pages.PageAt(i).Stream;
    view.WriteMode = wmPrepared;
    view.EvaluatedText = view.Memo;
    WriteByte(stream, view.Typ);
    if (view.Typ == otAddIn) WriteString(stream, view.className());
    view.SaveToStream(stream);
    view.WriteMode = wmTemplate;
}

template <class T>
std::unique_ptr<T> Make(const char* name, int left, int top, int width, int height) {
    auto view = std::make_unique<T>();
    view->Name = name;
    view->SetBounds(left, top, width, height);
    return view;
}

inline std::unique_ptr<StampView> Stamp(const char* name, int left, int top, const char* text) {
    auto view = Make<StampView>(name, left, top, 200, 20);
    view->Memo = {text};
    return view;
}

} // namespace vl::test
