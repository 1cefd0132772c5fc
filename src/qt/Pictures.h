#pragma once

#include <QPixmap>
#include <QSize>

namespace qm::qt {

// Pictures are SVG files kept under their resource numbers (":/pictures/<n>.svg").
class Pictures {
public:
    // True when a picture with this number exists.
    static bool Exists(int resource);
    // The picture drawn at size (its own size when size is empty), sharp at the given device
    // pixel ratio; a null pixmap when there is no such picture.
    static QPixmap Render(int resource, QSize size, qreal devicePixelRatio = 1.0);
    // Resource path of a picture.
    static QString Path(int resource);
    // The program icon.
    static QPixmap Icon(int size);
};

} // namespace qm::qt
