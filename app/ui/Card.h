#pragma once

#include "ui/RoundedPanel.h"

class QVBoxLayout;

// A card of the practice view: a small caption with its symbol above the card's content.
class Card : public RoundedPanel {
    Q_OBJECT

public:
    Card(const QString& symbol, const QString& caption, QWidget* parent = nullptr);

    void setContent(QWidget* content);

private:
    QVBoxLayout* m_layout;
};
