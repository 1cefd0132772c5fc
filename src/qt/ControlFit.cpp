#include "qt/ControlFit.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>
#include <climits>

namespace qm::qt {

namespace {

bool RowsMeet(const QRect& a, const QRect& b) {
    return a.top() <= b.bottom() && b.top() <= a.bottom();
}

bool ColumnsMeet(const QRect& a, const QRect& b) {
    return a.left() <= b.right() && b.left() <= a.right();
}

// The room an entry may take: its group box's inside (the innermost box holding its centre),
// else the dialog.
QRect Room(const std::vector<ControlFit::Entry>& entries, size_t self, QSize dialog) {
    QRect room(QPoint(0, INT_MIN / 4), QPoint(dialog.width() - 1, INT_MAX / 4));
    const QPoint centre = entries[self].rect.center();
    int smallest = INT_MAX;
    for (const auto& e : entries) {
        if (!e.container || !e.rect.contains(centre)) {
            continue;
        }
        const int area = e.rect.width() * e.rect.height();
        if (area < smallest) {
            smallest = area;
            room = e.rect.adjusted(ControlFit::kFrameInset, 0, -ControlFit::kFrameInset,
                                   -ControlFit::kFrameInset / 2);
        }
    }
    return room;
}

} // namespace

QRect ControlFit::Ink(const QRect& rect, QSize natural, Align align) {
    if (natural.isEmpty()) {
        return QRect();
    }
    const int width = std::min(natural.width(), rect.width());
    const int height = std::min(natural.height(), rect.height());
    int x = rect.left();
    if (align == Align::kRight) {
        x = rect.right() + 1 - width;
    } else if (align == Align::kCentre) {
        x = rect.left() + (rect.width() - width) / 2;
    }
    return QRect(x, rect.top() + (rect.height() - height) / 2, width, height);
}

std::vector<QMargins> ControlFit::Fit(const std::vector<Entry>& entries, QSize dialog,
                                      const WrapMeasure& wrap) {
    std::vector<QMargins> grow(entries.size());
    // What every other control covers: the ink of a text control, the whole of any other.
    std::vector<QRect> ink(entries.size());
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        if (e.obstacle && !e.container) {
            // An empty label covers nothing.
            ink[i] = e.textInk ? Ink(e.rect, e.natural, e.align) : e.rect;
        }
    }
    for (size_t i = 0; i < entries.size(); ++i) {
        const Entry& e = entries[i];
        if (e.natural.isEmpty()) {
            continue;
        }
        const QRect room = Room(entries, i, dialog);
        QRect r = e.rect;
        // How far the row lets it go left and right, and the column up and down.
        auto limits = [&](const QRect& probe, int& left, int& right) {
            left = std::min(room.left(), r.left());
            right = std::max(room.right(), r.right());
            for (size_t j = 0; j < entries.size(); ++j) {
                if (j == i || ink[j].isNull() || !RowsMeet(probe, ink[j])) {
                    continue;
                }
                if (ink[j].left() > r.left()) {
                    right = std::min(right, std::max(r.right(), ink[j].left() - 1 - kGap));
                } else if (ink[j].right() < r.right()) {
                    left = std::max(left, std::min(r.left(), ink[j].right() + 1 + kGap));
                }
            }
        };
        // A text whose start lies under a neighbour (a row of tabs grown wider than drawn for)
        // moves along its row when the room beyond it is free.
        {
            int left = 0;
            int right = 0;
            limits(r, left, right);
            const QRect start = Ink(r, e.natural, e.align);
            int shift = 0;
            for (size_t j = 0; j < entries.size(); ++j) {
                if (j != i && !ink[j].isNull() && ink[j].intersects(start) &&
                    ink[j].left() < start.left()) {
                    shift = std::max(shift, ink[j].right() + 1 + kGap - r.left());
                }
            }
            if (shift > 0 && r.right() + shift <= room.right()) {
                r.translate(shift, 0);
            }
        }
        if (e.natural.width() > r.width()) {
            int left = 0;
            int right = 0;
            limits(r, left, right);
            int missing = e.natural.width() - r.width();
            if (e.align == Align::kLeft) {
                const int take = std::min(missing, right - r.right());
                r.setRight(r.right() + take);
                missing -= take;
                r.setLeft(r.left() - std::min(missing, r.left() - left));
            } else if (e.align == Align::kRight) {
                const int take = std::min(missing, r.left() - left);
                r.setLeft(r.left() - take);
                missing -= take;
                r.setRight(r.right() + std::min(missing, right - r.right()));
            } else {
                const int toLeft = std::min(missing / 2, r.left() - left);
                const int toRight = std::min(missing - toLeft, right - r.right());
                r.setLeft(r.left() - toLeft);
                r.setRight(r.right() + toRight);
                missing -= toLeft + toRight;
                r.setLeft(r.left() - std::min(missing, r.left() - left));
            }
        }
        int neededHeight = e.natural.height();
        if (e.wraps && e.natural.width() > r.width()) {
            neededHeight = std::max(neededHeight, wrap(i, r.width()));
        }
        if (neededHeight > r.height()) {
            int top = room.top();
            int bottom = room.bottom();
            for (size_t j = 0; j < entries.size(); ++j) {
                if (j == i || ink[j].isNull() || !ColumnsMeet(r, ink[j])) {
                    continue;
                }
                // The room between two rows is shared: each may take half of it.
                if (ink[j].top() > r.bottom()) {
                    const int half = (ink[j].top() - 1 - r.bottom()) / 2;
                    bottom = std::min(bottom, r.bottom() + half);
                } else if (ink[j].top() > r.top()) {
                    bottom = std::min(bottom, r.bottom());
                } else if (ink[j].bottom() < r.top()) {
                    const int half = (r.top() - 1 - ink[j].bottom()) / 2;
                    top = std::max(top, r.top() - half);
                } else if (ink[j].bottom() < r.bottom()) {
                    top = std::max(top, r.top());
                }
            }
            int missing = neededHeight - r.height();
            // A label's text starts at its top: it grows downwards first. Buttons and lists
            // centre their text: they grow both ways.
            const int down = e.wraps ? std::min(missing, bottom - r.bottom())
                                     : std::min((missing + 1) / 2, bottom - r.bottom());
            r.setBottom(r.bottom() + down);
            missing -= down;
            const int up = std::min(missing, r.top() - top);
            r.setTop(r.top() - up);
            missing -= up;
            r.setBottom(r.bottom() + std::min(missing, bottom - r.bottom()));
        }
        grow[i] = QMargins(e.rect.left() - r.left(), e.rect.top() - r.top(),
                           r.right() - e.rect.right(), r.bottom() - e.rect.bottom());
    }
    return grow;
}

QSize ControlFit::NaturalSize(const QWidget* widget) {
    const QFontMetrics fm(widget->font());
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
        if (label->text().isEmpty()) {
            return QSize();
        }
        const QRect text = fm.boundingRect(QRect(0, 0, 100000, 100000),
                                           Qt::AlignLeft | Qt::AlignTop, label->text());
        const QMargins frame = label->contentsMargins();
        return QSize(text.width() + frame.left() + frame.right() + 1,
                     text.height() + frame.top() + frame.bottom());
    }
    if (qobject_cast<const QCheckBox*>(widget) != nullptr ||
        qobject_cast<const QRadioButton*>(widget) != nullptr) {
        const auto* button = static_cast<const QAbstractButton*>(widget);
        if (button->text().isEmpty()) {
            return QSize();
        }
        // The box and the text side by side: the height is the taller of the two.
        const int indicator =
            widget->style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, widget);
        return QSize(button->sizeHint().width(), std::max(fm.height(), indicator));
    }
    if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
        if (button->text().isEmpty()) {
            return QSize();
        }
        const QSize text = fm.size(Qt::TextShowMnemonic, button->text());
        const QStyle* style = widget->style();
        const int margin = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, widget) +
                           style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, widget);
        return QSize(text.width() + 2 * margin, text.height() + 4);
    }
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        int widest = 0;
        for (int i = 0; i < combo->count(); ++i) {
            widest = std::max(widest, fm.horizontalAdvance(combo->itemText(i)));
        }
        if (widest == 0) {
            return QSize();
        }
        QStyleOptionComboBox option;
        option.initFrom(combo);
        option.rect = QRect(0, 0, 1000, combo->height());
        option.frame = true;
        const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                           QStyle::SC_ComboBoxEditField, combo);
        // The field loses a few pixels to its own inner margin when drawn.
        constexpr int kFieldInner = 4;
        return QSize(widest + (1000 - field.width()) + kFieldInner, combo->height());
    }
    return QSize();
}

} // namespace qm::qt
