#pragma once

#include <QWidget>

#include <functional>

class QToolButton;

namespace qm::qt {

// The spin arrows of an up-down control: two arrow buttons stacked; each press calls onStep
// with +1 (up) or -1 (down). Holding a button repeats.
class UpDownWidget : public QWidget {
public:
    UpDownWidget(QWidget* parent, std::function<void(int)> onStep);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace qm::qt
