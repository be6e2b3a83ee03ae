#pragma once

#include <QWidget>

class Clock;
class FileSystem;
class QCheckBox;
class QFrame;
class QLabel;
class Preferences;
class StopRequest;

// The splash window: the first picture of the program folder's Splash folder,
// framed, with "Hide this at next startup" along its bottom edge. Once shown
// it stays loaded, hidden, for the rest of the run.
class Splash : public QWidget {
    Q_OBJECT
public:
    static constexpr int Seconds = 4;

    explicit Splash(Preferences& preferences, QWidget* parent = nullptr);

    // Shows the splash for 4 seconds while events run, unless "ShowAgain"
    // says otherwise or there is no loadable picture; returns when done, or at
    // once when the program is asked to stop meanwhile.
    void showAtStartUp(
        const FileSystem& files, const Clock& clock, const StopRequest& stop, const QString& programFolder);

    QLabel* picture;
    QCheckBox* hideNextTimeCheck;
    QFrame* leftEdge;
    QFrame* topEdge;
    QFrame* rightEdge;
    QFrame* bottomEdge;

private:
    void storeHideChoice();

    Preferences& m_preferences;
};

// The splash picture: the first file of programFolder/Splash by name, or "".
QString splashPicturePath(const FileSystem& files, const QString& programFolder);
