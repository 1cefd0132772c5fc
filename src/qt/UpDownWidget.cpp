#include "qt/UpDownWidget.h"

#include <QToolButton>

namespace qm::qt {

UpDownWidget::UpDownWidget(QWidget* parent, std::function<void(int)> onStep)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    QObject::connect(up_, &QToolButton::clicked, this, [onStep] { onStep(+1); });
    QObject::connect(down_, &QToolButton::clicked, this, [onStep] { onStep(-1); });
}

void UpDownWidget::resizeEvent(QResizeEvent*) {
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

} // namespace qm::qt
