#include "qt/QtWindow.h"

#include "qt/Artwork.h"
#include "qt/CellLabel.h"
#include "qt/MainWindow.h"
#include "qt/OptionsDialog.h"
#include "storage/SavedGame.h"
#include "storage/Statistics.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QProgressBar>
#include <QStandardPaths>
#include <QTimer>

namespace vornix::qt {

namespace {

QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

QColor colour(Rgb c)
{
    return {c.r, c.g, c.b};
}

} // namespace

void QtWindow::showStatus(std::string_view status)
{
    main_.showStatus(text(status));
}

void QtWindow::movesChanged()
{
    main_.refreshMoves();
}

void QtWindow::setCellCaption(int cell, std::string_view caption)
{
    main_.cell(cell)->setCaption(text(caption));
}

std::string QtWindow::cellCaption(int cell) const
{
    return main_.cell(cell)->caption().toStdString();
}

void QtWindow::setCellPointer(int cell, Pointer pointer)
{
    pointers_[cell] = pointer;
    refreshCursor(cell);
}

void QtWindow::setCellCursor(int cell, PieceCursor cursor)
{
    cursors_[cell] = cursor;
    refreshCursor(cell);
}

void QtWindow::refreshCursor(int cell)
{
    static const QCursor nought = noughtCursor();
    static const QCursor cross = crossCursor();
    switch (pointers_[cell]) {
    case Pointer::Arrow: main_.cell(cell)->setCursor(Qt::ArrowCursor); break;
    case Pointer::Busy: main_.cell(cell)->setCursor(Qt::BusyCursor); break;
    case Pointer::Piece: main_.cell(cell)->setCursor(cursors_[cell] == PieceCursor::Cross ? cross : nought); break;
    }
}

void QtWindow::setCellBackground(int cell, Rgb c)
{
    main_.cell(cell)->setBackground(colour(c));
}

void QtWindow::setCellForeground(int cell, Rgb c)
{
    main_.cell(cell)->setForeground(colour(c));
}

void QtWindow::setCellFont(int cell, std::string_view face)
{
    main_.cell(cell)->setFontFace(text(face));
}

void QtWindow::setCellVisible(int cell, bool visible)
{
    main_.cell(cell)->setVisible(visible);
}

void QtWindow::showMarks(const BoardMarks& marks)
{
    const bool newHint = marks.hint >= 0 && !main_.cell(marks.hint)->isHint();
    for (int n = 0; n < 64; ++n)
        main_.cell(n)->setMarks((marks.lineCells >> n) & 1U, marks.latestCross == n, marks.hint == n);
    // The keyboard goes where a hint points, so that Enter takes it.
    if (newHint)
        main_.cell(marks.hint)->setFocus(Qt::OtherFocusReason);
}

void QtWindow::setTurnCaption(std::string_view caption)
{
    main_.turnDisplay()->setText(text(caption));
    main_.turnDisplay()->adjustSize();
}

void QtWindow::showReadyGauge(float value)
{
    main_.progress()->setValue(static_cast<int>(value));
}

void QtWindow::showMenuItem(MenuItem item, bool checked, bool enabled)
{
    main_.mirrorMenuItem(item, checked, enabled);
}

void QtWindow::showOptionText(int index, std::string_view t)
{
    main_.optionsDialog()->showText(index, text(t));
}

void QtWindow::showSecondPlayer(int option, int depthListIndex, bool depthListUsable)
{
    main_.optionsDialog()->showSecondPlayer(option, depthListIndex, depthListUsable);
}

void QtWindow::showBusy(bool busy)
{
    main_.setBusy(busy);
}

void QtWindow::messageBox(std::string_view message)
{
    if (closing_)
        return;
    // Over the window the player is in (a dialog of the game's, say), and the keyboard goes back
    // there afterwards, so that play goes on without the mouse.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const QPointer<QWidget> owner = focus ? focus->window() : &main_;
    QMessageBox box(owner);
    box.setWindowTitle(QStringLiteral("Vornix"));
    box.setText(text(message).replace(QStringLiteral("\n\r"), QStringLiteral("\n")));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    if (owner)
        owner->activateWindow();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
}

bool QtWindow::ask(std::string_view question)
{
    if (closing_)
        return false;
    const QPointer<QWidget> focus = QApplication::focusWidget();
    const QPointer<QWidget> owner = focus ? focus->window() : &main_;
    QMessageBox box(owner);
    box.setWindowTitle(QStringLiteral("Vornix"));
    box.setText(text(question));
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    const bool yes = box.exec() == QMessageBox::Yes;
    if (owner)
        owner->activateWindow();
    if (focus)
        focus->setFocus(Qt::OtherFocusReason);
    return yes;
}

void QtWindow::beep()
{
    QApplication::beep();
}

void QtWindow::playSound(const std::filesystem::path& wave)
{
    if (closing_ || silent_)
        return;
    sound_->playToEnd(QString::fromStdString(wave.string()));
}

void QtWindow::yieldToEvents()
{
    QCoreApplication::processEvents();
}

void QtWindow::pause(int milliseconds)
{
    if (closing_)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    pausing_ = &loop;
    loop.exec();
    pausing_ = nullptr;
}

void QtWindow::close()
{
    closing_ = true;
    if (pausing_)
        pausing_->quit();
    sound_->stopWaiting();
}

void QtWindow::setSoundOutput(std::unique_ptr<SoundOutput> output)
{
    sound_ = std::make_unique<SoundPlayer>(std::move(output));
}

// An installed copy finds its data by the path from its program folder to the installation's.
CopyKind QtWindow::copyKind()
{
    const QDir program(QCoreApplication::applicationDirPath());
    return QFileInfo(program.filePath(QStringLiteral(VORNIX_DATA_FROM_PROGRAM))).isDir() ? CopyKind::Installed
                                                                                          : CopyKind::Unpacked;
}

// An unpacked copy's folder while it may be written, else the player's documents or home.
QString QtWindow::firstFolderForFiles() const
{
    const QString program = QCoreApplication::applicationDirPath();
    if (copyKind() == CopyKind::Unpacked && QFileInfo(program).isWritable())
        return program;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::optional<std::filesystem::path> QtWindow::chooseFile(FileDialogForm form)
{
    // Files saved on other systems may spell the extension in any case.
    QFileDialog dialog(&main_, QStringLiteral("3D Vornix"), lastFolder_.isEmpty() ? firstFolderForFiles() : lastFolder_,
                       QStringLiteral("Vornix Files (.VRNX) (*.[Vv][Rr][Nn][Xx])"));
    dialog.setObjectName(QStringLiteral("fileDialog"));
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    if (form == FileDialogForm::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const std::filesystem::path chosen = dialog.selectedFiles().constFirst().toStdString();
    if (form == FileDialogForm::Open)
        return chosen;
    // The dialog asked about the name typed; a name it did not see is asked about here.
    const std::filesystem::path named = withSavedGameExtension(chosen);
    if (named != chosen && QFileInfo::exists(QString::fromStdString(named.string()))) {
        const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                                     .arg(QString::fromStdString(named.filename().string()));
        if (QMessageBox::question(&main_, QStringLiteral("3D Vornix"), question) != QMessageBox::Yes)
            return std::nullopt;
    }
    return named;
}

void QtWindow::fileWorked(const std::filesystem::path& file)
{
    lastFolder_ = QFileInfo(QString::fromStdString(file.string())).absolutePath();
}

std::vector<std::string> QtWindow::installedFonts() const
{
    std::vector<std::string> fonts;
    for (const QString& family : QFontDatabase::families())
        fonts.push_back(family.toStdString());
    return fonts;
}

std::filesystem::path QtWindow::statisticsFile() const
{
    return statisticsLocation(QCoreApplication::applicationDirPath().toStdString(),
                              QStandardPaths::writableLocation(QStandardPaths::AppDataLocation).toStdString(),
                              copyKind());
}

// Beside the program (an unpacked copy or a build), else in the data folder it was installed with.
std::filesystem::path QtWindow::soundFile(std::string_view name) const
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QString file = text(name);
    for (const QString& folder : {program.path(), program.filePath(QStringLiteral(VORNIX_DATA_FROM_PROGRAM))}) {
        const QString path = QDir(folder).filePath(file);
        if (QFileInfo::exists(path))
            return path.toStdString();
    }
    const QString installed = QStandardPaths::locate(QStandardPaths::AppDataLocation, file);
    return (installed.isEmpty() ? program.filePath(file) : installed).toStdString();
}

} // namespace vornix::qt
