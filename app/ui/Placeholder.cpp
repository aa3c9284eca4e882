#include "ui/Placeholder.h"

#include "ui/Style.h"
#include "ui/SymbolLabel.h"
#include "ui/Symbols.h"

#include <QLabel>
#include <QVBoxLayout>

Placeholder::Placeholder(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);
    layout->addStretch();
    m_symbol = new SymbolLabel(44, this, QIcon::Disabled);
    layout->addWidget(m_symbol, 0, Qt::AlignHCenter);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("placeholderTitle"));
    Style::apply(m_title, Style::Text::title2, Style::secondary(this));
    QFont bold = m_title->font();
    bold.setBold(true);
    m_title->setFont(bold);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    layout->addWidget(m_title);
    m_description = new QLabel(this);
    m_description->setObjectName(QStringLiteral("placeholderDescription"));
    Style::apply(m_description, Style::Text::callout, Style::secondary(this));
    m_description->setAlignment(Qt::AlignCenter);
    m_description->setWordWrap(true);
    layout->addWidget(m_description);
    layout->addStretch();
    // Clicks reach whatever lies underneath, e.g. an empty list.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Placeholder::present(const QString& symbol, const QString& title, const QString& description) {
    m_symbol->setSymbol(symbol, Style::tertiary(this));
    m_title->setText(title);
    m_description->setText(description);
    m_description->setVisible(!description.isEmpty());
    QWidget::show();
}

QString Placeholder::title() const {
    return m_title->text();
}

QString Placeholder::description() const {
    return m_description->text();
}
