#pragma once

#include <QObject>
#include <QString>
#include <optional>

class Clock;
class QGroupBox;

// Tells screen readers of the status caption by making it the status
// frame's accessible name, which sends them a NameChanged event. The frame's
// title changes every second while the countdown runs, and Qt reports each
// change; with the name kept, they carry nothing new to say. A caption that
// only counts on from the one before, differing from it in its figures alone
// (the countdown, a run's "3 of 12"), becomes the name at most once a minute
// on the monotonic clock; any other caption at once.
class CaptionAnnouncer : public QObject {
public:
    static constexpr qint64 CountingGapMs = 60'000;

    // Watches frame, whose child it becomes; the clock outlives it.
    CaptionAnnouncer(QGroupBox& frame, const Clock& clock);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void captionChanged();

    QGroupBox& m_frame;
    const Clock& m_clock;
    QString m_lastShape; // the caption before, its figures masked
    std::optional<qint64> m_toldAtMs;
};
