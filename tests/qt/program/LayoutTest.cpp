// Every dialog and page, in the four languages and for a model of each family: every text
// fits its control in the font it is drawn in (its full line height included), and no two
// visible controls cover each other. Measured here with the widgets' own fonts and the style's
// text areas, independently of how the renderer makes room.

#include "ProgramTestSupport.h"
#include "QtTestApp.h"

#include "resources/ComSettingsTemplate.h"
#include "resources/MainWindowTemplate.h"
#include "selfinfo/CDlgSelfInfo.h"
#include "settings/ModelTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using qm::qt::DialogWidget;
using qm::qt::QtHost;
using namespace qm::qt::test;

namespace {

QString Plain(QString text) {
    text.remove(QRegularExpression(QStringLiteral("&(?=.)")));
    return text;
}

// What a control shows and where (in its dialog's coordinates); an empty rect covers nothing.
struct Shown {
    QString name;
    QRect ink;
};

// Checks one rendered dialog; adds a line per problem.
void CheckDialog(DialogWidget& dialog, const QString& where, QStringList& problems) {
    std::vector<Shown> shown;
    for (const auto& control : dialog.Model()->Controls()) {
        QWidget* w = dialog.WidgetFor(*control);
        if (w == nullptr || !control->IsVisible()) {
            continue;
        }
        const QFontMetrics fm(w->font());
        const QString id = QStringLiteral("%1 control %2").arg(where).arg(control->Id());
        auto report = [&](const QString& text, const QString& why) {
            problems << QStringLiteral("%1 \"%2\": %3").arg(id, text, why);
        };
        QRect ink = w->geometry();
        if (auto* picture = qobject_cast<QLabel*>(w);
            picture != nullptr && !picture->pixmap().isNull()) {
            // Drawn at the screen's scale from the SVG, not a scaled-up bitmap.
            const QPixmap pixmap = picture->pixmap();
            if (pixmap.devicePixelRatio() != picture->devicePixelRatioF() ||
                pixmap.width() < std::lround(pixmap.deviceIndependentSize().width() *
                                             picture->devicePixelRatioF())) {
                report(QStringLiteral("picture"),
                       QStringLiteral("drawn at scale %1 on a screen of scale %2")
                           .arg(pixmap.devicePixelRatio())
                           .arg(picture->devicePixelRatioF()));
            }
        }
        if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && label->pixmap().isNull()) {
            const QString text = label->text();
            if (text.isEmpty()) {
                continue;
            }
            const QRect inside = label->contentsRect();
            const QRect need = fm.boundingRect(QRect(0, 0, inside.width(), 100000),
                                               Qt::TextWordWrap | Qt::AlignLeft, text);
            if (need.width() > inside.width() || need.height() > inside.height()) {
                report(text, QStringLiteral("needs %1 x %2, has %3 x %4")
                                 .arg(need.width())
                                 .arg(need.height())
                                 .arg(inside.width())
                                 .arg(inside.height()));
            }
            const QRect placed =
                fm.boundingRect(inside, Qt::TextWordWrap | label->alignment(), text);
            ink = placed.intersected(inside).translated(label->pos());
        } else if (auto* box = qobject_cast<QAbstractButton*>(w);
                   box != nullptr && qobject_cast<QPushButton*>(w) == nullptr) {
            QStyleOptionButton option;
            option.initFrom(box);
            option.text = box->text();
            const bool radio = qobject_cast<QRadioButton*>(w) != nullptr;
            const QRect contents = box->style()->subElementRect(
                radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, box);
            const QString text = Plain(box->text());
            if (!text.isEmpty()) {
                const int need = fm.horizontalAdvance(text);
                if (need > contents.width() || fm.height() > box->height()) {
                    report(text, QStringLiteral("needs %1 x %2, has %3 x %4")
                                     .arg(need)
                                     .arg(fm.height())
                                     .arg(contents.width())
                                     .arg(box->height()));
                }
                ink = QRect(box->pos(),
                            QSize(std::min(contents.left() + need, box->width()), box->height()));
            }
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            option.text = button->text();
            const QRect contents =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            const QString text = Plain(button->text());
            const int need = fm.horizontalAdvance(text);
            if (need > contents.width() || fm.height() > contents.height()) {
                report(text, QStringLiteral("needs %1 x %2, has %3 x %4")
                                 .arg(need)
                                 .arg(fm.height())
                                 .arg(contents.width())
                                 .arg(contents.height()));
            }
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.frame = true;
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            for (int i = 0; i < combo->count(); ++i) {
                const int need = fm.horizontalAdvance(combo->itemText(i));
                if (need > field.width() || fm.height() > field.height()) {
                    report(combo->itemText(i), QStringLiteral("entry needs %1 x %2, has %3 x %4")
                                                   .arg(need)
                                                   .arg(fm.height())
                                                   .arg(field.width())
                                                   .arg(field.height()));
                }
            }
        } else if (qobject_cast<QGroupBox*>(w) != nullptr) {
            continue; // a frame around others
        } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
            QRect row; // the pages lie in its body: only the row of tabs covers anything
            for (int i = 0; i < tabs->count(); ++i) {
                row |= tabs->tabBar()->tabRect(i);
            }
            ink = row.translated(tabs->pos() + tabs->tabBar()->pos());
        }
        if (!ink.isEmpty()) {
            shown.push_back({id, ink});
        }
    }
    for (size_t i = 0; i < shown.size(); ++i) {
        for (size_t j = i + 1; j < shown.size(); ++j) {
            if (shown[i].ink.intersects(shown[j].ink)) {
                problems << QStringLiteral("%1 and %2 overlap (%3,%4 %5x%6 and %7,%8 %9x%10)")
                                .arg(shown[i].name, shown[j].name)
                                .arg(shown[i].ink.x())
                                .arg(shown[i].ink.y())
                                .arg(shown[i].ink.width())
                                .arg(shown[i].ink.height())
                                .arg(shown[j].ink.x())
                                .arg(shown[j].ink.y())
                                .arg(shown[j].ink.width())
                                .arg(shown[j].ink.height());
            }
        }
    }
}

void CheckWindowAndPages(QtHost& host, DialogWidget& window, const QString& where,
                         QStringList& problems) {
    CheckDialog(window, where + " main window", problems);
    for (qm::ui::Dialog* page : window.Model()->Children()) {
        if (DialogWidget* w = host.GetRenderer().WidgetOf(*page)) {
            CheckDialog(*w, where + QStringLiteral(" page %1").arg(page->Template().id), problems);
        }
    }
}

// Runs check on the next modal dialog above the main window once it is shown and laid out.
void OnNextDialog(DialogWidget& main, std::function<void(DialogWidget&)> check) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, &main, check] {
        auto* dialog = dynamic_cast<DialogWidget*>(QApplication::activeModalWidget());
        if (dialog == nullptr || dialog == &main) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        QTest::qWait(5);
        check(*dialog);
    });
    timer->start();
}

// The contact sheet of one language: every tab and dialog, half size, three to a row.
void SaveContactSheet(const QList<QPixmap>& shots, const QString& name) {
    if (shots.isEmpty()) {
        return;
    }
    constexpr int kColumns = 3;
    QSize cell;
    for (const QPixmap& shot : shots) {
        cell = cell.expandedTo(shot.deviceIndependentSize().toSize() / 2);
    }
    const int rows = (static_cast<int>(shots.size()) + kColumns - 1) / kColumns;
    QImage sheet(QSize(cell.width() * kColumns, cell.height() * rows), QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int i = 0; i < shots.size(); ++i) {
        const QSize size = shots[i].deviceIndependentSize().toSize() / 2;
        painter.drawPixmap(
            QRect(QPoint((i % kColumns) * cell.width(), (i / kColumns) * cell.height()), size),
            shots[i]);
    }
    painter.end();
    QDir().mkpath(QStringLiteral(QM_SCREENSHOT_DIR));
    EXPECT_TRUE(sheet.save(QStringLiteral(QM_SCREENSHOT_DIR "/%1.png").arg(name)));
}

// The first model of each family.
std::vector<int> ModelPerFamily() {
    std::vector<int> models;
    std::set<qm::ModelFamily> seen;
    for (int m = 0; m < qm::kModelCount; ++m) {
        if (seen.insert(qm::ModelTable::Row(m).family).second) {
            models.push_back(m);
        }
    }
    return models;
}

class LayoutTest : public qm::qt::test::ProgramHomeTest {};

} // namespace

TEST_F(LayoutTest, EveryTextFitsAndNothingOverlapsInFourLanguagesAndEveryFamily) {
    QtHost host;
    QStringList problems;
    int checked = 0;
    Answerer answerer; // Yes to every question
    const std::vector<int> models = ModelPerFamily();
    ASSERT_EQ(models.size(), 15u);
    RunProgramWith(host, [&](DialogWidget& window) {
        for (int language = 0; language < qm::kUiLanguageCount; ++language) {
            Pick(window, qm::res::kIdLanguage, language);
            QList<QPixmap> shots;
            for (int model : models) {
                Pick(window, qm::res::kIdModel, model);
                QTest::qWait(5);
                if (model == models.front()) {
                    auto* tabs = qobject_cast<QTabWidget*>(window.WidgetFor(qm::res::kIdTab));
                    QTabBar* bar = tabs->tabBar();
                    for (int tab = 0; tab < tabs->count(); ++tab) {
                        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
                        QTest::qWait(10);
                        shots << window.grab();
                    }
                    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
                }
                CheckWindowAndPages(host, window,
                                    QStringLiteral("language %1 model %2").arg(language).arg(model),
                                    problems);
                ++checked;
            }
            // The COM Settings dialog and the Self Information dialog in this language.
            const QString where = QStringLiteral("language %1 ").arg(language);
            OnNextDialog(window, [&](DialogWidget& com) {
                CheckDialog(com, where + "COM Settings", problems);
                shots << com.grab();
                QTest::mouseClick(com.WidgetFor(qm::res::kIdComCancel), Qt::LeftButton);
            });
            Click(window, qm::res::kIdRadioCom);
            Click(window, qm::res::kIdDetail);
            qm::CDlgSelfInfo selfInfo(
                u"~!!\r\n\x02\x1b~A\r\nModel Number\t:\tVexa Gorse\r\nEND\r\n",
                u"~!!\r\n\x02\x1b~A\r\nPRINT SPEED\t:\t6 IPS\r\nEND\r\n");
            OnNextDialog(window, [&](DialogWidget& dlg) {
                CheckDialog(dlg, where + "Self Information", problems);
                shots << dlg.grab();
                QTest::keyClick(&dlg, Qt::Key_Escape);
            });
            selfInfo.DoModal(host);
            if (qFuzzyCompare(window.devicePixelRatioF(), 1.0)) {
                const char* names[] = {"english", "japanese", "chinese", "korean"};
                SaveContactSheet(shots, QStringLiteral("contact-%1").arg(names[language]));
            }
        }
        Pick(window, qm::res::kIdLanguage, 0);
        QTest::mouseClick(window.WidgetFor(qm::res::kIdExit), Qt::LeftButton);
    });
    EXPECT_EQ(checked, 60);
    EXPECT_TRUE(problems.isEmpty()) << problems.size() << " problems, the first ones:\n"
                                    << problems.mid(0, 60).join('\n').toStdString();
}
