#include "ui/PhaseLabel.h"

#include "ui/Style.h"
#include "ui/Symbols.h"

#include <QAccessible>
#include <QHBoxLayout>
#include <QLabel>

PhaseLabel::PhaseLabel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(5);
    m_symbol = new QLabel(this);
    layout->addWidget(m_symbol);
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("phaseText"));
    layout->addWidget(m_text);
    setPhase(AppModel::Phase::idle());
}

std::optional<PhaseLabel::Content> PhaseLabel::content(const AppModel::Phase& phase) {
    using Kind = AppModel::Phase::Kind;
    switch (phase.kind) {
    case Kind::idle:
        return std::nullopt;
    case Kind::playing:
        return Content{tr("Playing %1 of %2").arg(phase.repetition).arg(phase.of),
                       QStringLiteral("speaker.wave.2.fill"), Tone::normal};
    case Kind::yourTurn:
        return Content{tr("Your turn (%1 of %2)").arg(phase.repetition).arg(phase.of),
                       QStringLiteral("person.wave.2.fill"), Tone::accent};
    case Kind::listenFirst:
        return Content{tr("Listen…"), QStringLiteral("ear"), Tone::normal};
    case Kind::recording:
        return Content{tr("Recording…"), QStringLiteral("record.circle"), Tone::red};
    case Kind::original:
        return Content{tr("Original"), QStringLiteral("speaker.wave.2.fill"), Tone::normal};
    case Kind::take:
        return Content{tr("Your attempt"), QStringLiteral("person.wave.2.fill"), Tone::orange};
    }
    return std::nullopt;
}

void PhaseLabel::setPhase(const AppModel::Phase& phase) {
    const std::optional<Content> shown = content(phase);
    // Visibility is set every time: moving into a layout can undo an earlier hide.
    setVisible(shown.has_value());
    if (m_shown == shown)
        return;
    m_shown = shown;
    if (!shown) {
        m_text->clear();
        return;
    }
    QColor color = Style::primary(this);
    switch (shown->tone) {
    case Tone::normal:
        break;
    case Tone::accent:
        color = Style::accent(this);
        break;
    case Tone::red:
        color = Style::red();
        break;
    case Tone::orange:
        color = Style::orange();
        break;
    }
    Style::apply(m_text, Style::Text::callout, color);
    QFont medium = m_text->font();
    medium.setWeight(QFont::Medium);
    m_text->setFont(medium);
    m_text->setText(shown->text);
    m_symbol->setPixmap(Symbols::icon(shown->symbol, color).pixmap(QSize(16, 16)));
    // The caption changes often; screen readers hear each change.
    QAccessibleEvent event(m_text, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

QString PhaseLabel::text() const {
    return m_text->text();
}
