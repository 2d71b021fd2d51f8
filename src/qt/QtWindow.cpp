#include "qt/QtWindow.h"

#include "qt/Artwork.h"
#include "qt/CellLabel.h"
#include "qt/MainWindow.h"
#include "qt/OptionsDialog.h"
#include "qt/SoundPlayer.h"

#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
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
    for (int n = 0; n < 64; ++n)
        main_.cell(n)->setMarks((marks.lineCells >> n) & 1U, marks.latestCross == n);
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
    QMessageBox box(&main_);
    box.setWindowTitle(QStringLiteral("Vornix"));
    box.setText(text(message).replace(QStringLiteral("\n\r"), QStringLiteral("\n")));
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

void QtWindow::beep()
{
    QApplication::beep();
}

void QtWindow::playSound(const std::filesystem::path& wave)
{
    if (closing_ || silent_)
        return;
    playSynchronously(QString::fromStdString(wave.string()));
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
}

std::optional<std::filesystem::path> QtWindow::chooseFile(FileDialogForm form)
{
    const QString folder = lastFolder_.empty() ? QString::fromStdString(programFolder().string())
                                               : QString::fromStdString(lastFolder_);
    const QString filter = QStringLiteral("Vornix Files (.VRNX) (*.VRNX)");
    const QString chosen = form == FileDialogForm::Save
        ? QFileDialog::getSaveFileName(&main_, QStringLiteral("3D Vornix"), folder, filter)
        : QFileDialog::getOpenFileName(&main_, QStringLiteral("3D Vornix"), folder, filter);
    if (chosen.isEmpty())
        return std::nullopt;
    std::filesystem::path path = chosen.toStdString();
    lastFolder_ = path.parent_path().string();
    return path;
}

std::vector<std::string> QtWindow::installedFonts() const
{
    std::vector<std::string> fonts;
    for (const QString& family : QFontDatabase::families())
        fonts.push_back(family.toStdString());
    return fonts;
}

std::filesystem::path QtWindow::programFolder() const
{
    return QCoreApplication::applicationDirPath().toStdString();
}

} // namespace vornix::qt
