#include "qt/Pictures.h"

#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

namespace qm::qt {

QString Pictures::Path(int resource) {
    return QStringLiteral(":/pictures/%1.svg").arg(resource);
}

bool Pictures::Exists(int resource) {
    return QFile::exists(Path(resource));
}

QPixmap Pictures::Render(int resource, QSize size, qreal devicePixelRatio) {
    if (!Exists(resource)) {
        return QPixmap();
    }
    QSvgRenderer svg(Path(resource));
    if (!svg.isValid()) {
        return QPixmap();
    }
    if (size.isEmpty()) {
        size = svg.defaultSize();
    }
    QPixmap pixmap(size * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

QPixmap Pictures::Icon(int size) {
    QSvgRenderer svg(QStringLiteral(":/pictures/quillmark.svg"));
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    if (svg.isValid()) {
        QPainter painter(&pixmap);
        painter.setRenderHint(QPainter::Antialiasing);
        svg.render(&painter);
    }
    return pixmap;
}

} // namespace qm::qt
