#include "ui/Card.h"

#include "ui/Style.h"
#include "ui/SymbolLabel.h"
#include "ui/Symbols.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

Card::Card(const QString& symbol, const QString& caption, QWidget* parent)
    : RoundedPanel(10, parent) {
    m_layout = new QVBoxLayout(this);
    m_layout->setContentsMargins(12, 12, 12, 12);
    m_layout->setSpacing(6);
    auto* header = new QHBoxLayout;
    header->setSpacing(5);
    header->addWidget(new SymbolLabel(symbol, Style::secondary(this), 14, this));
    auto* title = new QLabel(caption, this);
    title->setObjectName(QStringLiteral("cardCaption"));
    Style::apply(title, Style::Text::caption, Style::secondary(this));
    QFont semibold = title->font();
    semibold.setWeight(QFont::DemiBold);
    title->setFont(semibold);
    header->addWidget(title);
    header->addStretch();
    m_layout->addLayout(header);
}

void Card::setContent(QWidget* content) {
    m_layout->addWidget(content);
}
