#pragma once

#include <QMargins>
#include <QRect>
#include <QSize>

#include <functional>
#include <vector>

class QWidget;

namespace qm::qt {

// Makes a dialog's controls show their texts whole in the font they are drawn in. The layouts
// were drawn for one font; a translation or a wider face may need more room than a control's
// rectangle gives. A control that is too narrow widens into the free room of its column (to
// the next control on its row, its group box's frame or the dialog's edge: to the right,
// or to the left when its text is right-aligned, both ways when centred); a label that still
// does not fit wraps onto further lines below it when the room is free; a control that is too
// low for the font's line grows into half of the free room above and below (the other half is
// its neighbour's); a text whose start lies under a neighbour (the row of tabs) moves along its
// row when the room beyond is free. Nothing here moves or grows a control onto another one.
class ControlFit {
public:
    enum class Align { kLeft, kCentre, kRight };

    struct Entry {
        QRect rect;    // as laid out (pixels)
        QSize natural; // what the text needs on one line (empty: no text)
        Align align = Align::kLeft;
        bool obstacle = true;   // other controls must not grow over it
        bool container = false; // a group box: its frame bounds the controls inside it
        bool wraps = false;     // a label whose text may take further lines
        bool textInk = false;   // only its text (and box) covers anything, not its rectangle
    };

    // The height a wrapping entry's text needs at a width.
    using WrapMeasure = std::function<int(size_t entry, int width)>;

    // Room kept free between a grown control and its neighbour or frame.
    static constexpr int kGap = 2;
    static constexpr int kFrameInset = 6;

    // The margins by which each entry grows (all zero for entries that fit or have no text).
    static std::vector<QMargins> Fit(const std::vector<Entry>& entries, QSize dialog,
                                     const WrapMeasure& wrap);

    // The part of a control's rectangle its content covers: the natural size placed by the
    // alignment (left, centred, right; vertically centred), within the rectangle.
    static QRect Ink(const QRect& rect, QSize natural, Align align);

    // The natural one-line size of a control's widget in its current font (empty: no text).
    static QSize NaturalSize(const QWidget* widget);
};

} // namespace qm::qt
