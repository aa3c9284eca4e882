#pragma once

#include "model/AppModel.h"

#include <QWidget>

class AttemptCard;
class PhaseLabel;
class PictureFeed;
class PictureView;
class Placeholder;
class PracticeSettingsView;
class QLabel;
class QLayout;
class QPushButton;
class QShortcut;
class QSplitter;
class QStackedLayout;
class QToolButton;
class WaveformView;

// The detail column while a file is open: the current sentence with its place, times (between
// buttons that move either edge by 50 ms), hard mark and transcript (faded where recognition was
// unsure of it, with a note and a way to show it plainly when the whole file's text is doubtful),
// the waveforms of the original and of the user's attempt, the practice controls and the settings
// panel; above them, for a video, its picture in step with the sound (an audio file's cover;
// nothing for audio without one), which a dragged divider or a double-click makes larger and Esc
// small again. It reads the model and calls one model operation per action. Space is the loop
// button's key anywhere in the window, except on a focused button, check box or combo box (and in
// text fields), which keep it.
class PracticeView final : public QWidget {
    Q_OBJECT

public:
    explicit PracticeView(AppModel& model, QWidget* parent = nullptr);

    // "Sentence 1 of 12"
    static QString placeText(qsizetype current, qsizetype count);
    // "0:01.00 – 0:03.55"
    static QString timesText(const Sentence& sentence);

    const Placeholder* placeholder() const { return m_placeholder; }
    QLabel* placeLabel() const { return m_place; }
    QLabel* timesLabel() const { return m_times; }
    // Start earlier, start later, end earlier, end later.
    const std::vector<QToolButton*>& edgeButtons() const { return m_edgeButtons; }
    QLabel* transcript() const { return m_transcript; }
    QLabel* uncertaintyNote() const { return m_uncertaintyNote; }
    QPushButton* plainTextButton() const { return m_plainText; }
    PhaseLabel* phaseLabel() const { return m_phase; }
    QPushButton* hardButton() const { return m_hard; }
    QPushButton* previousButton() const { return m_previous; }
    QPushButton* loopButton() const { return m_loop; }
    QPushButton* nextButton() const { return m_next; }
    QPushButton* recordButton() const { return m_record; }
    QPushButton* compareButton() const { return m_compare; }
    WaveformView* originalWaveform() const { return m_original; }
    AttemptCard* attemptCard() const { return m_attempt; }
    PracticeSettingsView* settingsView() const { return m_settings; }
    PictureView* pictureView() const { return m_picture; }
    PictureFeed& pictureFeed() const { return *m_feed; }
    QLabel* pictureNotice() const { return m_pictureNotice; }
    QSplitter* pictureSplit() const { return m_pictureSplit; }

protected:
    // A new palette (the desktop's colour scheme changed): the colours worked out from it again.
    void changeEvent(QEvent* event) override;

private:
    QWidget* makeContent();
    QLayout* makeTimesRow(QWidget* column);
    // The picture above the content, the two parted by a divider.
    QWidget* withPicture(QWidget* content);
    // Shows the open file's picture when the learner wants it and the file has one, and gives
    // the feed the sentence being practised.
    void showPicture();
    void setPictureEnlarged(bool enlarged);
    QLayout* makeUncertaintyNote(QWidget* column);
    void refresh();
    // Fades doubtful recognised text, unless the learner chose to see it plainly, and says why
    // when the whole file's text is doubtful.
    void showCertainty(const Session& session, const Sentence& sentence);

    AppModel& m_model;
    QStackedLayout* m_stack;
    Placeholder* m_placeholder;
    QLabel* m_place;
    QLabel* m_times;
    std::vector<QToolButton*> m_edgeButtons;
    PhaseLabel* m_phase;
    QPushButton* m_hard;
    QLabel* m_transcript;
    QLabel* m_uncertaintyNote;
    QPushButton* m_plainText;
    WaveformView* m_original;
    AttemptCard* m_attempt;
    QPushButton* m_previous;
    QPushButton* m_loop;
    QPushButton* m_next;
    QPushButton* m_record;
    QPushButton* m_compare;
    PracticeSettingsView* m_settings;
    // The content below the picture, scrolled when the window is too small for it.
    QWidget* m_page;
    PictureFeed* m_feed;
    PictureView* m_picture;
    QSplitter* m_pictureSplit;
    QLabel* m_pictureNotice;
    QShortcut* m_leaveEnlarged;
    // The divider's place before a double-click made the picture larger; none when it is not.
    std::optional<QList<int>> m_sizesBeforeEnlarging;
    bool m_pictureShown = false;
    bool m_built = false; // every part made: a palette change may come while they are being made
};
