#include "qt/QtHost.h"

#include "qt/FilterCells.h"
#include "qt/QtText.h"
#include "ui/Dialog.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <chrono>
#include <cstdio>

namespace qm::qt {

QtHost::QtHost() = default;

QtHost::~QtHost() {
    while (WaitCursorDepth() > 0) {
        EndWaitCursor();
    }
}

void QtHost::UseLanguage(UiLanguage language) {
    ui::Host::UseLanguage(language);
    if (!language_.Apply(language)) {
        std::fprintf(stderr,
                     "quillmark: Qt's translation %s is not in %s: message boxes and file "
                     "dialogs keep their English buttons\n",
                     qPrintable(InterfaceLanguage::TranslationName(language)),
                     qPrintable(InterfaceLanguage::TranslationFolder()));
    }
}

int QtHost::MessageBox(std::u16string_view text, std::u16string_view caption, unsigned style) {
    QMessageBox box(renderer_.ActiveWindow());
    box.setWindowTitle(caption.empty() ? QStringLiteral("Quillmark") : ToQString(caption));
    QString shown = ToQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    box.setText(shown);
    switch (style & kMbIconMask) {
    case kMbIconError:
        box.setIcon(QMessageBox::Critical);
        break;
    case kMbIconQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case kMbIconWarning:
        box.setIcon(QMessageBox::Warning);
        break;
    case kMbIconInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    const bool yesNo = (style & kMbButtonMask) == kMbYesNo;
    if (yesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
    }
    const int pressed = box.exec();
    if (yesNo) {
        return pressed == QMessageBox::Yes ? kIdYes : kIdNo;
    }
    return kIdOk;
}

bool QtHost::FileDialog(const ui::FileDialogRequest& request, ui::FileDialogResult& result) {
    QWidget* owner = renderer_.ActiveWindow();
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (request.save && (request.options & ui::kOfnOverwritePrompt) == 0) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    }
    const QStringList filters = NameFiltersFromCell(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = request.filterIndex >= 1 && request.filterIndex <= filters.size()
                              ? request.filterIndex - 1
                              : 0;
        dialog.selectNameFilter(filters[index]);
    }
    if (!request.defaultExtension.empty()) {
        dialog.setDefaultSuffix(ToQString(request.defaultExtension));
    }
    // "/folder/." names the folder itself.
    QString folder = ToQString(request.initialFolder);
    if (folder.endsWith(QStringLiteral("/."))) {
        folder.chop(1);
    } else if (folder == QStringLiteral(".")) {
        folder = QDir::currentPath();
    }
    if (!folder.isEmpty() && QFileInfo(folder).isDir()) {
        dialog.setDirectory(folder);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return false;
    }
    const QString path = dialog.selectedFiles().first();
    if (static_cast<size_t>(path.size()) + 1 > request.maxPath) {
        return false;
    }
    if ((request.options & ui::kOfnPathMustExist) != 0 && !QFileInfo(path).dir().exists()) {
        return false;
    }
    if ((request.options & ui::kOfnFileMustExist) != 0 && !QFileInfo::exists(path)) {
        return false;
    }
    result.path = FromQString(path);
    result.filterIndex = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
    if (result.filterIndex <= 0) {
        result.filterIndex = request.filterIndex;
    }
    return true;
}

int QtHost::RunModal(ui::Dialog& dialog) {
    return renderer_.RunModal(dialog);
}

void QtHost::Sleep(uint32_t ms) {
    // Keep painting (and let timers run) but take no user input while an operation waits.
    ++waiting_;
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(ms), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    --waiting_;
}

uint64_t QtHost::NowMs() {
    using namespace std::chrono;
    return static_cast<uint64_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void QtHost::BeginWaitCursor() {
    ui::Host::BeginWaitCursor();
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtHost::EndWaitCursor() {
    if (WaitCursorDepth() > 0) {
        QApplication::restoreOverrideCursor();
    }
    ui::Host::EndWaitCursor();
}

void QtHost::OnMessagePosted() {
    ScheduleDelivery(0);
}

void QtHost::ScheduleDelivery(int delayMs) {
    if (deliveryScheduled_) {
        return;
    }
    deliveryScheduled_ = true;
    QTimer::singleShot(delayMs, &context_, [this] {
        deliveryScheduled_ = false;
        if (waiting_ > 0) {
            // Posted messages reach the window from its own loop, not from inside a wait.
            ScheduleDelivery(10);
            return;
        }
        DeliverPosted();
    });
}

} // namespace qm::qt
