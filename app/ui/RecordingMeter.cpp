#include "ui/RecordingMeter.h"

#include "ui/Style.h"
#include "ui/Symbols.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>

#include <algorithm>
#include <cmath>

namespace {

constexpr int tickMs = 50;
constexpr int levelSteps = 1000;

} // namespace

RecordingMeter::RecordingMeter(std::function<double()> level, QWidget* parent)
    : QWidget(parent), m_levelSource(std::move(level)) {
    setFixedHeight(70);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    auto* mic = new QLabel(this);
    mic->setPixmap(Symbols::icon(QStringLiteral("mic.fill"), Style::red()).pixmap(QSize(22, 22)));
    layout->addWidget(mic, 0, Qt::AlignVCenter);
    m_level = new QProgressBar(this);
    m_level->setObjectName(QStringLiteral("microphoneLevel"));
    m_level->setRange(0, levelSteps);
    m_level->setTextVisible(false);
    m_level->setFixedHeight(10);
    m_level->setAccessibleName(tr("Microphone level"));
    QPalette red = m_level->palette();
    red.setColor(QPalette::Highlight, Style::red());
    m_level->setPalette(red);
    layout->addWidget(m_level, 1, Qt::AlignVCenter);
    m_seconds = new QLabel(this);
    m_seconds->setObjectName(QStringLiteral("secondsLeft"));
    Style::apply(m_seconds, Style::Text::callout, Style::secondary(this));
    layout->addWidget(m_seconds, 0, Qt::AlignVCenter);

    m_timer.setInterval(tickMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(QDateTime::currentDateTimeUtc()); });
}

void RecordingMeter::setPhase(const QDateTime& start, double length) {
    m_start = start;
    m_length = length;
    tick(QDateTime::currentDateTimeUtc());
}

void RecordingMeter::tick(const QDateTime& now) {
    const double level = m_levelSource ? std::clamp(m_levelSource(), 0.0, 1.0) : 0.0;
    m_level->setValue(static_cast<int>(std::lround(level * levelSteps)));
    const int seconds = secondsLeft(m_start, m_length, now);
    m_seconds->setText(QStringLiteral("%1 s").arg(seconds));
    m_seconds->setAccessibleName(tr("%n second(s) left", nullptr, seconds));
}

int RecordingMeter::secondsLeft(const QDateTime& start, double length, const QDateTime& now) {
    const double elapsed = start.isValid() ? double(start.msecsTo(now)) / 1000.0 : 0.0;
    const double remaining = std::max(length - elapsed, 0.0);
    // A hair over a whole second (clock granularity) still counts as that second.
    return static_cast<int>(std::ceil(remaining - 1e-9));
}

void RecordingMeter::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    tick(QDateTime::currentDateTimeUtc());
    m_timer.start();
}

void RecordingMeter::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_timer.stop();
}
