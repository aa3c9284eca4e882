#include "ui/SplitStatus.h"

#include "ui/Style.h"
#include "ui/Symbols.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum Page { nothing, listening, opening, method };

constexpr int progressSteps = 1000;

} // namespace

SplitStatus::SplitStatus(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(6);

    m_line = new QStackedWidget(this);
    m_line->addWidget(new QWidget(m_line));

    auto* listeningPage = new QWidget(m_line);
    auto* listeningLayout = new QVBoxLayout(listeningPage);
    listeningLayout->setContentsMargins(0, 0, 0, 0);
    listeningLayout->setSpacing(3);
    m_listeningLabel = new QLabel(listeningPage);
    m_listeningLabel->setObjectName(QStringLiteral("listeningLabel"));
    m_listeningLabel->setWordWrap(true);
    Style::apply(m_listeningLabel, Style::Text::caption, Style::primary(this));
    listeningLayout->addWidget(m_listeningLabel);
    m_progress = new QProgressBar(listeningPage);
    m_progress->setObjectName(QStringLiteral("listeningProgress"));
    m_progress->setRange(0, progressSteps);
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(8);
    listeningLayout->addWidget(m_progress);
    m_listeningValue = new QLabel(listeningPage);
    m_listeningValue->setObjectName(QStringLiteral("listeningValue"));
    m_listeningValue->setWordWrap(true);
    Style::apply(m_listeningValue, Style::Text::caption2, Style::secondary(this));
    listeningLayout->addWidget(m_listeningValue);
    m_line->addWidget(listeningPage);

    m_spinner = new QProgressBar(m_line);
    m_spinner->setObjectName(QStringLiteral("openingSpinner"));
    m_spinner->setRange(0, 0);
    m_spinner->setTextVisible(false);
    m_spinner->setMaximumSize(80, 8);
    m_line->addWidget(m_spinner);

    auto* methodPage = new QWidget(m_line);
    auto* methodLayout = new QHBoxLayout(methodPage);
    methodLayout->setContentsMargins(0, 0, 0, 0);
    methodLayout->setSpacing(6);
    m_methodSymbol = new QLabel(methodPage);
    methodLayout->addWidget(m_methodSymbol, 0, Qt::AlignTop);
    m_methodText = new QLabel(methodPage);
    m_methodText->setObjectName(QStringLiteral("methodText"));
    m_methodText->setWordWrap(true);
    Style::apply(m_methodText, Style::Text::caption, Style::secondary(this));
    methodLayout->addWidget(m_methodText, 1);
    // The symbol sits centred on the first line of the text, however many lines follow; the
    // page is as tall as the tallest status, so both keep to its top.
    m_methodSymbol->setFixedHeight(m_methodText->fontMetrics().height());
    m_methodSymbol->setAlignment(Qt::AlignCenter);
    m_methodText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_line->addWidget(methodPage);
    layout->addWidget(m_line);

    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("notice"));
    m_notice->setWordWrap(true);
    m_notice->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Style::apply(m_notice, Style::Text::caption, Style::secondary(this));
    m_notice->hide();
    layout->addWidget(m_notice);

    showNothing();
}

void SplitStatus::showListening(double heard, double duration, const QString& languageName) {
    showProgress(listeningLabel(languageName), heard, duration);
}

void SplitStatus::showAligning(double aligned, double duration) {
    showProgress(tr("Aligning the transcript to the sound…"), aligned, duration);
}

void SplitStatus::showProgress(const QString& label, double done, double duration) {
    m_listeningLabel->setText(label);
    m_progress->setValue(static_cast<int>(std::lround(fraction(done, duration) * progressSteps)));
    m_listeningValue->setText(listeningValue(done, duration));
    m_line->setCurrentIndex(listening);
    m_line->show();
}

void SplitStatus::showOpening() {
    m_line->setCurrentIndex(opening);
    m_line->show();
}

void SplitStatus::showMethod(qsizetype count, const SplitMethod& splitMethod,
                             const QString& languageName) {
    const QString symbol =
        splitMethod.isPauses() ? QStringLiteral("waveform") : QStringLiteral("text.bubble");
    m_methodSymbol->setPixmap(Symbols::icon(symbol, Style::secondary(this)).pixmap(QSize(14, 14)));
    m_methodText->setText(methodText(count, splitMethod, languageName));
    m_line->setCurrentIndex(method);
    m_line->show();
}

void SplitStatus::showNothing() {
    m_line->setCurrentIndex(nothing);
    m_line->hide();
}

void SplitStatus::setNotice(const std::optional<QString>& notice) {
    m_notice->setText(notice.value_or(QString()));
    m_notice->setVisible(notice.has_value());
}

double SplitStatus::fraction(double heard, double duration) {
    if (!(heard > 0))
        return 0;
    return std::min(heard / std::max(duration, 1.0), 1.0);
}

QString SplitStatus::listeningLabel(const QString& languageName) {
    return tr("Listening for sentences (%1)…").arg(languageName);
}

QString SplitStatus::listeningValue(double heard, double duration) {
    return tr("%1 of %2. You can practise meanwhile.")
        .arg(TimeText::whole(heard), TimeText::whole(duration));
}

QString SplitStatus::methodText(qsizetype count, const SplitMethod& method,
                                const QString& languageName) {
    const int n = int(count);
    const std::optional<SplitMethod::TextSource> source = method.textSource();
    if (method.isSpeech())
        return tr("%n sentence(s) · transcript (%1, on this computer)", nullptr, n)
            .arg(languageName);
    if (method.isSubtitles())
        return languageName.isEmpty()
                   ? tr("%n sentence(s) · subtitles (%1)", nullptr, n).arg(source->source)
                   : tr("%n sentence(s) · subtitles (%1, %2)", nullptr, n)
                         .arg(languageName, source->source);
    if (method.isTranscript())
        return languageName.isEmpty()
                   ? tr("%n sentence(s) · transcript", nullptr, n)
                   : tr("%n sentence(s) · transcript (%1)", nullptr, n).arg(languageName);
    return tr("%n sentence(s) · split at pauses", nullptr, n);
}
