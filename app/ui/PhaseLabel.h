#pragma once

#include "model/AppModel.h"

#include <QWidget>

class QLabel;
class SymbolLabel;

// A caption naming what the practice loop is doing: "Playing 2 of 3", "Your turn (2 of 3)",
// "Recording…". Nothing shows while idle.
class PhaseLabel final : public QWidget {
    Q_OBJECT

public:
    enum class Tone { normal, accent, red, orange };
    struct Content {
        QString text;
        QString symbol;
        Tone tone = Tone::normal;
        bool operator==(const Content&) const = default;
    };

    explicit PhaseLabel(QWidget* parent = nullptr);

    void setPhase(const AppModel::Phase& phase);
    QString text() const;

    // What a phase shows; nothing for idle.
    static std::optional<Content> content(const AppModel::Phase& phase);

private:
    SymbolLabel* m_symbol;
    QLabel* m_text;
    // What was last shown, once anything was: the view refreshes more often than phases change,
    // and screen readers should hear a caption once.
    std::optional<std::optional<Content>> m_shown;
};
