#pragma once

#include <QWidget>

class QLabel;
class SymbolLabel;

// Shown where content is unavailable: a large faint symbol, a title and an optional description.
class Placeholder final : public QWidget {
    Q_OBJECT

public:
    explicit Placeholder(QWidget* parent = nullptr);

    void present(const QString& symbol, const QString& title, const QString& description = {});
    QString title() const;
    QString description() const;

private:
    SymbolLabel* m_symbol;
    QLabel* m_title;
    QLabel* m_description;
};
