#include "engine/build/BuildRun.h"
#include "engine/build/TvlBand.h"
#include "engine/build/TvlEngine.h"
#include "engine/build/TvlPage.h"
#include "engine/model/TvlView.h"

#include <algorithm>

namespace vl {

// A band too tall for the room left is cut at the bottom of each page or
// column; every object keeps its place relative to the band, and objects
// that grow while they are cut push down the objects below them.
namespace {

struct SplitObject {
    TvlView* view;
    int left, top, width, height; // as designed, restored at the end
    bool pending = true;
    bool deferred = false;
    bool moved = false; // moved whole to the top of a new page or column
};

} // namespace

class BandSplitter {
public:
    explicit BandSplitter(TvlBand& band) : band_(band) {
        for (TvlView* view : band.Objects) {
            objects_.push_back({view, view->Left, view->Top, view->Width, view->Height});
            if (view->BandAlign == baBottom)
                view->Top = std::max(band.NeededHeight, band.Height) - view->Height;
        }
    }
    ~BandSplitter() {
        for (const SplitObject& o : objects_) {
            o.view->Top = o.top;
            o.view->Height = o.height;
        }
    }
    BandSplitter(const BandSplitter&) = delete;
    BandSplitter& operator=(const BandSplitter&) = delete;

    void run() {
        TvlPage& page = band_.OwnerPage;
        if (!band_.FitOrBreak(band_.Top, band_.PrintedHeight, true)) {
            band_.OutputObjects();
        } else {
            bool noRoomBefore = false;
            while (anyPending() && !band_.Run().stopDue()) {
                const int room = page.BottomLimit - page.ColumnFooterHeight() - band_.Top - 2;
                if (room <= 0) {
                    // Not even a new page or column has room: what is left
                    // can never be written.
                    if (noRoomBefore) break;
                    noRoomBefore = true;
                    band_.FitOrBreak(band_.Top, 10000, false);
                    band_.Top = page.CurY;
                    continue;
                }
                noRoomBefore = false;
                lowest_ = 0;
                for (SplitObject& o : objects_)
                    if (o.pending) place(o, room, freshRoom());
                moveToNextPage(room);
                band_.Top = page.CurY;
            }
            band_.PrintedHeight = lowest_;
        }
        for (SplitObject& o : objects_) {
            if (!o.deferred) continue;
            o.view->Height = band_.PrintedHeight;
            band_.OutputObject(*o.view);
        }
    }

private:
    bool anyPending() const {
        return std::any_of(objects_.begin(), objects_.end(),
                           [](const SplitObject& o) { return o.pending; });
    }

    void output(TvlView& view) { band_.OutputObject(view); }

    // The room a split band has at the top of an empty page or column (less
    // when that page prints a header first).
    int freshRoom() const {
        const TvlPage& page = band_.OwnerPage;
        return page.BottomLimit - page.ColumnFooterHeight() - page.TopEdge() - 2;
    }

    // What one object does on the current page. An unstretchable object
    // that does not fit moves whole to the next page; one that would not fit
    // there either is written clipped at the page bottom, so that content
    // taller than any page cannot keep the split going.
    void place(SplitObject& o, int room, int fresh) {
        TvlView& v = *o.view;
        auto* stretchable = dynamic_cast<TvlStretcheable*>(&v);
        const int top = v.Top;
        const int height = v.Height;
        if (top >= 0 && top < room) {
            if (top + height < room) {
                outputWhole(o, top + height);
            } else if (stretchable) {
                cutAtBottom(o, *stretchable, room);
            } else if ((o.moved && top == 0) || top + fresh <= room) {
                v.Height = room - top;
                outputWhole(o, room);
                v.Height = height;
            } else {
                v.Top = room; // moves whole to the next page
                o.moved = true;
            }
        } else if (top < 0 && stretchable && top + height >= 0) {
            if (top + height < room)
                finishPart(o, *stretchable);
            else
                outputMiddle(o, *stretchable, room);
        }
    }

    void outputWhole(SplitObject& o, int bottom) {
        output(*o.view);
        lowest_ = std::max(lowest_, bottom);
        o.pending = false;
    }

    void cutAtBottom(SplitObject& o, TvlStretcheable& s, int room) {
        TvlView& v = *o.view;
        const int height = v.Height;
        v.Height = room - v.Top + 1;
        const int rest = s.LeftoverHeight();
        if (s.MinimumHeight() < v.Height) {
            s.OutputPass = opPart;
            output(v);
        }
        v.Height = height;
        pushDown(v, rest);
        v.Height += rest;
    }

    // The lower part of an object whose upper part is on an earlier page.
    void finishPart(SplitObject& o, TvlStretcheable& s) {
        TvlView& v = *o.view;
        v.Height = v.Top + v.Height;
        v.Top = 0;
        lowest_ = std::max(lowest_, v.Height);
        s.OutputPass = opPart;
        o.pending = false;
        if (v.isStretched()) {
            o.deferred = true;
        } else {
            output(v);
        }
    }

    // A page's worth from the middle of an object taller than the page. One
    // that could show nothing in a whole page (a line taller than the page)
    // ends there.
    void outputMiddle(SplitObject& o, TvlStretcheable& s, int room) {
        TvlView& v = *o.view;
        const int top = v.Top;
        const int height = v.Height;
        v.Top = 0;
        v.Height = room;
        const int rest = s.LeftoverHeight();
        s.OutputPass = opPart;
        output(v);
        v.Top = top;
        v.Height = height;
        if (rest >= room) {
            o.pending = false;
            return;
        }
        pushDown(v, rest);
        v.Height += rest;
    }

    void pushDown(const TvlView& split, int by) {
        if (by == 0) return;
        const int bottom = split.Top + split.Height;
        for (SplitObject& o : objects_) {
            TvlView& v = *o.view;
            if (&v == &split || v.Top < bottom) continue;
            if (v.Left >= split.Left && v.Left <= split.Left + split.Width) v.Top += by;
        }
    }

    void moveToNextPage(int room) {
        bool moved = false;
        for (SplitObject& o : objects_) {
            if (!o.pending) continue;
            o.view->Top -= room;
            moved = true;
        }
        if (moved) band_.FitOrBreak(band_.Top, 10000, false);
    }

    TvlBand& band_;
    std::vector<SplitObject> objects_;
    int lowest_ = 0;
};

void TvlBand::OutputSplit() {
    {
        BandSplitter splitter(*this);
        splitter.run();
    }
    OwnerPage.CurY += PrintedHeight;
}

} // namespace vl
