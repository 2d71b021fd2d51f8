// The end-of-game sounds, played to their end on a thread of their own: an audio server that stalls
// holds up that thread, never the window.
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

class QAudioSink;
class QBuffer;
class QEventLoop;
class QThread;

namespace vornix::qt {

// The length of a PCM wave file in milliseconds, or nothing when it is not one.
std::optional<int> waveLengthMs(const QString& path);

// Whether a sound is over: all of it played, or all of it handed to a sink that has gone idle. A
// sink idle with samples still to take has only run dry for a moment.
bool soundPlayedOut(qint64 playedMicroseconds, qint64 soundMicroseconds, bool sinkIdle, bool allHandedOver);

// Plays wave files on the thread it lives in.
class SoundOutput : public QObject {
    Q_OBJECT

public:
    // Starts a file, ending whatever played before; finished() follows once it has played out, or
    // at once with played false when it cannot be played.
    virtual void start(const QString& path, int serial) = 0;
    // Gets the audio device ready, so that the first sound starts at once.
    virtual void prepare() {}
    // Lets go of the audio device; runs on the output's own thread before it ends.
    virtual void release() {}

signals:
    void finished(int serial, bool played);
};

// The machine's default audio output.
class SpeakerOutput : public SoundOutput {
public:
    SpeakerOutput();
    ~SpeakerOutput() override;
    void start(const QString& path, int serial) override;
    void prepare() override;
    void release() override;

private:
    std::unique_ptr<QBuffer> samples_;
    std::unique_ptr<QAudioSink> sink_;
    QTimer watch_{this}; // a child, so that it moves to the output's thread with it
};

class SoundPlayer {
public:
    explicit SoundPlayer(std::unique_ptr<SoundOutput> output = std::make_unique<SpeakerOutput>());
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Returns once the sound has played to its end, or a second after its length at the latest,
    // or at once when it cannot be played. The window keeps repainting meanwhile; the user's input
    // waits until the sound is over.
    void playToEnd(const QString& path);
    // Ends a wait at once (the window is closing).
    void stopWaiting();

private:
    std::unique_ptr<QThread> thread_;
    std::unique_ptr<SoundOutput> output_;
    QEventLoop* waiting_ = nullptr;
    int serial_ = 0;
};

} // namespace vornix::qt
