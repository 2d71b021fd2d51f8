#include "qt/SoundPlayer.h"

#include <QAudioDevice>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QThread>
#include <QTimer>
#include <QUrl>

namespace vornix::qt {

namespace {

// How much longer than its length a sound may keep the game waiting when the output is slow.
constexpr int kLateMs = 1000;

quint32 little32(const QByteArray& bytes, qsizetype at)
{
    return static_cast<quint8>(bytes[at]) | static_cast<quint32>(static_cast<quint8>(bytes[at + 1])) << 8
        | static_cast<quint32>(static_cast<quint8>(bytes[at + 2])) << 16
        | static_cast<quint32>(static_cast<quint8>(bytes[at + 3])) << 24;
}

} // namespace

std::optional<int> waveLengthMs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(1 << 16);
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    quint32 byteRate = 0;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = little32(bytes, at + 4);
        if (id == "fmt " && at + 20 <= bytes.size())
            byteRate = little32(bytes, at + 16);
        if (id == "data") {
            if (byteRate == 0)
                return std::nullopt;
            const quint64 available = static_cast<quint64>(file.size()) - static_cast<quint64>(at + 8);
            const quint64 dataBytes = qMin<quint64>(size, available);
            return static_cast<int>(dataBytes * 1000 / byteRate);
        }
        at += 8 + static_cast<qsizetype>(size) + (size & 1U);
    }
    return std::nullopt;
}

SpeakerOutput::SpeakerOutput() = default;
SpeakerOutput::~SpeakerOutput() = default;

void SpeakerOutput::start(const QString& path, int serial)
{
    effect_.reset();
    if (QMediaDevices::audioOutputs().isEmpty()) {
        emit finished(serial, false); // nothing to play it on: the game ends silently
        return;
    }
    effect_ = std::make_unique<QSoundEffect>();
    QSoundEffect* effect = effect_.get();
    connect(effect, &QSoundEffect::statusChanged, this, [this, effect, serial] {
        if (effect->status() == QSoundEffect::Error)
            emit finished(serial, false);
    });
    // The effect is never stopped: it ends by itself once its last sample has been played.
    connect(effect, &QSoundEffect::playingChanged, this, [this, effect, serial] {
        if (!effect->isPlaying())
            emit finished(serial, true);
    });
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
}

void SpeakerOutput::release()
{
    effect_.reset();
}

SoundPlayer::SoundPlayer(std::unique_ptr<SoundOutput> output)
    : thread_(std::make_unique<QThread>()), output_(std::move(output))
{
    output_->moveToThread(thread_.get());
    thread_->start();
}

SoundPlayer::~SoundPlayer()
{
    stopWaiting();
    QMetaObject::invokeMethod(output_.get(), [output = output_.get()] { output->release(); });
    thread_->quit();
    if (!thread_->wait(kLateMs)) {
        // An audio server that never answers keeps the thread: leave both to the end of the process
        // rather than hold up the window's closing.
        (void)thread_.release();
        (void)output_.release();
    }
}

void SoundPlayer::playToEnd(const QString& path)
{
    const std::optional<int> length = waveLengthMs(path);
    if (!length)
        return;
    const int serial = ++serial_;
    QEventLoop loop;
    QElapsedTimer clock;
    bool playedOut = false;
    auto quitOnceOver = [&] {
        if (playedOut && clock.elapsed() >= *length)
            loop.quit();
    };
    QObject::connect(output_.get(), &SoundOutput::finished, &loop, [&](int finishedSerial, bool played) {
        if (finishedSerial != serial)
            return; // an earlier sound, given up on, that has ended only now
        if (!played) {
            loop.quit();
            return;
        }
        playedOut = true;
        quitOnceOver();
    });
    QTimer::singleShot(*length, &loop, quitOnceOver);
    QTimer::singleShot(*length + kLateMs, &loop, &QEventLoop::quit);
    clock.start();
    QMetaObject::invokeMethod(output_.get(), [output = output_.get(), path, serial] { output->start(path, serial); });
    waiting_ = &loop;
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    waiting_ = nullptr;
}

void SoundPlayer::stopWaiting()
{
    if (waiting_)
        waiting_->quit();
}

} // namespace vornix::qt
