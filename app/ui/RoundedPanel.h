#pragma once

#include <QWidget>

// A rounded rectangle in the faint fill that cards, recent rows and the settings grid sit on.
class RoundedPanel : public QWidget {
    Q_OBJECT

public:
    explicit RoundedPanel(double radius, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_radius;
};
