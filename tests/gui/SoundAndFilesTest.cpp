// The end-of-game sounds and the file dialogs, as an installed copy's player meets them.
#include "qt/MainWindow.h"
#include "qt/SoundPlayer.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

using namespace vornix;
using vornix::qt::SoundOutput;
using vornix::qt::SoundPlayer;

namespace {

constexpr int kSoundMs = 300;

// A silent wave file of kSoundMs: 8000 one-byte samples a second, mono.
QString writeWave(const QTemporaryDir& dir)
{
    const quint32 samples = 8 * kSoundMs;
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(8000) << quint16(1) << quint16(8);
    out.writeRawData("data", 4);
    out << samples;
    bytes.append(QByteArray(static_cast<qsizetype>(samples), '\x80'));
    QFile file(dir.filePath(QStringLiteral("sound.wav")));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return file.fileName();
}

// Outputs that behave as real ones do on a good day and on bad ones.
enum class Behaviour { EndsOnTime, EndsLate, NeverEnds, Stalls, CannotPlay };

} // namespace

Q_DECLARE_METATYPE(Behaviour)

namespace {

class ScriptedOutput : public SoundOutput {
public:
    explicit ScriptedOutput(Behaviour behaviour) : behaviour_(behaviour) {}
    void start(const QString&, int serial) override
    {
        switch (behaviour_) {
        case Behaviour::EndsOnTime: QTimer::singleShot(kSoundMs, this, [=, this] { emit finished(serial, true); }); break;
        case Behaviour::EndsLate: QTimer::singleShot(kSoundMs + 400, this, [=, this] { emit finished(serial, true); }); break;
        case Behaviour::NeverEnds: break;
        case Behaviour::Stalls: QThread::msleep(2500); break; // an audio server that does not answer
        case Behaviour::CannotPlay: emit finished(serial, false); break;
        }
    }

private:
    Behaviour behaviour_;
};

// Counts the paints of a widget that asks to be repainted every 20 ms.
class Repainted : public QLabel {
public:
    Repainted()
    {
        connect(&timer_, &QTimer::timeout, this, [this] { update(); });
        timer_.start(20);
        show();
    }
    int paints = 0;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        ++paints;
        QLabel::paintEvent(e);
    }

private:
    QTimer timer_;
};

// Acts on every modal file dialog that is up, every 10 ms while it lives: a dialog still reading
// its folder may not take the first answer.
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(std::function<void(QFileDialog*)> act) : act_(std::move(act))
    {
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget()))
                act_(dialog);
        });
        timer_.start(10);
    }

private:
    std::function<void(QFileDialog*)> act_;
    QTimer timer_;
};

} // namespace

class SoundAndFilesTest : public QObject {
    Q_OBJECT

private slots:
    void aSoundIsWaitedForToItsEndAndNoLonger_data()
    {
        QTest::addColumn<Behaviour>("behaviour");
        QTest::addColumn<int>("atLeastMs");
        QTest::addColumn<int>("lessThanMs");
        // Short of the second's grace wherever the output answers; a busy machine may be slow to.
        QTest::newRow("ends on time") << Behaviour::EndsOnTime << kSoundMs << kSoundMs + 900;
        QTest::newRow("ends late") << Behaviour::EndsLate << kSoundMs + 400 << kSoundMs + 900;
        QTest::newRow("never ends") << Behaviour::NeverEnds << kSoundMs + 1000 << kSoundMs + 2500;
        QTest::newRow("stalls") << Behaviour::Stalls << kSoundMs + 1000 << kSoundMs + 2500;
        QTest::newRow("cannot play") << Behaviour::CannotPlay << 0 << 500;
    }

    void aSoundIsWaitedForToItsEndAndNoLonger()
    {
        QFETCH(Behaviour, behaviour);
        QFETCH(int, atLeastMs);
        QFETCH(int, lessThanMs);
        const QTemporaryDir dir;
        const QString wave = writeWave(dir);
        QCOMPARE(qt::waveLengthMs(wave), std::optional<int>(kSoundMs));
        SoundPlayer player(std::make_unique<ScriptedOutput>(behaviour));
        Repainted window;
        QElapsedTimer clock;
        clock.start();
        player.playToEnd(wave);
        const qint64 waited = clock.elapsed();
        QVERIFY2(waited >= atLeastMs && waited < lessThanMs, qPrintable(QString::number(waited)));
        // Repainted all along (every 20 ms when the machine is idle), whatever the output did.
        QVERIFY2(window.paints >= waited / 100, qPrintable(QString::number(window.paints)));
    }

    void savingStartsBesideTheProgramRemembersTheFolderAndAddsTheExtension()
    {
        const QTemporaryDir dir;
        for (const char* name : {"a.vrnx", "B.Vrnx", "C.VRNX", "d.txt"}) {
            QFile file(dir.filePath(QString::fromLatin1(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        qt::MainWindow w;
        w.view().setSilent(true);
        w.show();

        QString firstFolder;
        {
            const FileDialogAnswer save([&](QFileDialog* dialog) {
                if (firstFolder.isEmpty())
                    firstFolder = dialog->directory().absolutePath();
                dialog->setDirectory(dir.path());
                dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("vs.morvid")); // typed
                static_cast<QDialog*>(dialog)->accept(); // as the Save button does
            });
            w.action(MenuItem::SaveGameMenu)->trigger();
        }
        QCOMPARE(firstFolder, QDir(QCoreApplication::applicationDirPath()).absolutePath());
        QCOMPARE(QFileInfo(dir.filePath(QStringLiteral("vs.morvid.VRNX"))).size(), 17186);

        QString secondFolder;
        QStringList listed;
        const FileDialogAnswer load([&](QFileDialog* dialog) {
            secondFolder = dialog->directory().absolutePath();
            // Matched as strictly as any desktop's own dialog would: case counts.
            const QString filter = dialog->nameFilters().constFirst();
            const qsizetype open = filter.lastIndexOf(u'(');
            const QString patterns = filter.mid(open + 1, filter.size() - open - 2);
            listed = QDir(dir.path()).entryList(patterns.split(u' '), QDir::Files | QDir::CaseSensitive, QDir::Name);
            dialog->reject();
        });
        w.action(MenuItem::LoadGameMenu)->trigger();
        QCOMPARE(secondFolder, QDir(dir.path()).absolutePath());
        QCOMPARE(listed, (QStringList{"B.Vrnx", "C.VRNX", "a.vrnx", "vs.morvid.VRNX"}));
    }
};

QTEST_MAIN(SoundAndFilesTest)
#include "SoundAndFilesTest.moc"
