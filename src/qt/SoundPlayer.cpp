#include "qt/SoundPlayer.h"

#include <QEventLoop>
#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace vornix::qt {

namespace {

constexpr int kMarginMs = 400;

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

void playSynchronously(const QString& path)
{
    const std::optional<int> length = waveLengthMs(path);
    if (!length || QMediaDevices::audioOutputs().isEmpty())
        return; // nothing to play, or nothing to play it on: the game ends silently

    QSoundEffect effect;
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&effect, &QSoundEffect::playingChanged, &loop, [&] {
        if (!effect.isPlaying() && effect.status() != QSoundEffect::Loading)
            loop.quit();
    });
    QObject::connect(&effect, &QSoundEffect::statusChanged, &loop, [&] {
        if (effect.status() == QSoundEffect::Error)
            loop.quit();
        else if (effect.status() == QSoundEffect::Ready && !effect.isPlaying())
            effect.play();
    });
    effect.setSource(QUrl::fromLocalFile(path));
    if (effect.status() == QSoundEffect::Error)
        return;
    if (effect.status() == QSoundEffect::Ready)
        effect.play();
    limit.start(*length + kMarginMs);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    effect.stop();
}

} // namespace vornix::qt
