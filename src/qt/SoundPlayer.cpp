#include "qt/SoundPlayer.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

namespace vornix::qt {

namespace {

// How much longer than its length a sound may keep the game waiting when the output is slow.
constexpr int kLateMs = 1000;
// How much sound the output is handed ahead, and the silence played after a sound so that closing
// the stream, which drops what the server still holds, cuts nothing of it.
constexpr int kBufferMs = 100;
constexpr int kTailMs = 2 * kBufferMs;
constexpr int kWatchMs = 20;
// Far beyond the game's own sounds: a larger file is not read.
constexpr qint64 kMaxWaveBytes = 16 * 1024 * 1024;
constexpr quint16 kPcm = 1;

quint32 little32(const QByteArray& bytes, qsizetype at)
{
    return static_cast<quint8>(bytes[at]) | static_cast<quint32>(static_cast<quint8>(bytes[at + 1])) << 8
        | static_cast<quint32>(static_cast<quint8>(bytes[at + 2])) << 16
        | static_cast<quint32>(static_cast<quint8>(bytes[at + 3])) << 24;
}

quint16 little16(const QByteArray& bytes, qsizetype at)
{
    return static_cast<quint16>(static_cast<quint8>(bytes[at]) | static_cast<quint8>(bytes[at + 1]) << 8);
}

// A PCM wave file's format and samples, or nothing when it is not one.
struct Wave {
    QAudioFormat format;
    QByteArray samples;
};

std::optional<Wave> readWave(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxWaveBytes)
        return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;
    Wave wave;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const quint32 size = little32(bytes, at + 4);
        if (id == "fmt " && at + 24 <= bytes.size() && little16(bytes, at + 8) == kPcm) {
            wave.format.setChannelCount(little16(bytes, at + 10));
            wave.format.setSampleRate(static_cast<int>(little32(bytes, at + 12)));
            const quint16 bits = little16(bytes, at + 22);
            wave.format.setSampleFormat(bits == 8    ? QAudioFormat::UInt8
                                            : bits == 16 ? QAudioFormat::Int16
                                            : bits == 32 ? QAudioFormat::Int32
                                                         : QAudioFormat::Unknown);
        }
        if (id == "data") {
            if (!wave.format.isValid() || wave.format.bytesPerFrame() == 0)
                return std::nullopt;
            wave.samples = bytes.mid(at + 8, size); // a file cut short plays what it has
            return wave;
        }
        at += 8 + static_cast<qsizetype>(size) + (size & 1U);
    }
    return std::nullopt;
}

} // namespace

std::optional<int> waveLengthMs(const QString& path)
{
    const std::optional<Wave> wave = readWave(path);
    if (!wave)
        return std::nullopt;
    return static_cast<int>(wave->format.durationForBytes(static_cast<qint32>(wave->samples.size())) / 1000);
}

bool soundPlayedOut(qint64 playedMicroseconds, qint64 soundMicroseconds, bool sinkIdle, bool allHandedOver)
{
    return playedMicroseconds >= soundMicroseconds || (sinkIdle && allHandedOver);
}

SpeakerOutput::SpeakerOutput() = default;
SpeakerOutput::~SpeakerOutput() = default;

void SpeakerOutput::start(const QString& path, int serial)
{
    release();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    std::optional<Wave> wave = readWave(path);
    if (device.isNull() || !wave || !device.isFormatSupported(wave->format)) {
        emit finished(serial, false); // nothing to play it on, or nothing to play: the game ends silently
        return;
    }
    // The audio server drops whatever it still holds when a stream closes: silence after the
    // sound, as long as the server's buffer, lets the sound itself play to its end.
    const char silence = wave->format.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0';
    const qsizetype soundBytes = wave->samples.size();
    wave->samples.append(QByteArray(wave->format.bytesForDuration(kTailMs * 1000), silence));
    samples_ = std::make_unique<QBuffer>();
    samples_->setData(wave->samples);
    samples_->open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, wave->format);
    // A short buffer, so that the sink has taken the last of the sound soon after it was played.
    sink_->setBufferSize(wave->format.bytesForDuration(kBufferMs * 1000));
    const qint64 soundMicroseconds = wave->format.durationForBytes(static_cast<qint32>(soundBytes));
    auto finish = [this, serial](bool played) {
        emit finished(serial, played);
        release();
    };
    // How much the sink has played tells when the sound itself is over, with only silence left to
    // cut; the sink does not always say when it has run dry, and running dry for a moment, when
    // the process stalls, is no end.
    auto watch = [this, finish, soundMicroseconds] {
        if (sink_->error() != QAudio::NoError && sink_->error() != QAudio::UnderrunError)
            finish(false);
        else if (soundPlayedOut(sink_->processedUSecs(), soundMicroseconds, sink_->state() == QAudio::IdleState,
                                samples_->atEnd()))
            finish(true);
    };
    connect(sink_.get(), &QAudioSink::stateChanged, this, watch);
    connect(&watch_, &QTimer::timeout, this, watch);
    watch_.start(kWatchMs);
    sink_->start(samples_.get());
}

void SpeakerOutput::prepare()
{
    // Connecting to the audio server takes a while, best spent before a game ends.
    (void)QMediaDevices::defaultAudioOutput();
}

void SpeakerOutput::release()
{
    watch_.stop();
    watch_.disconnect(this);
    if (sink_) {
        // Stopping inside the sink's own signal is allowed; deleting it there is not.
        sink_->disconnect(this);
        sink_->stop();
        sink_.release()->deleteLater();
    }
    samples_.reset();
}

SoundPlayer::SoundPlayer(std::unique_ptr<SoundOutput> output)
    : thread_(std::make_unique<QThread>()), output_(std::move(output))
{
    output_->moveToThread(thread_.get());
    thread_->start();
    QMetaObject::invokeMethod(output_.get(), [output = output_.get()] { output->prepare(); });
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
