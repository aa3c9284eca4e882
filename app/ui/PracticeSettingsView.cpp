#include "ui/PracticeSettingsView.h"

#include "practice/PracticeSettings.h"
#include "ui/Style.h"
#include "ui/Symbols.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <array>
#include <cmath>

namespace {

// The slider works in hundredths of the rate, 50…150, in the practice settings' steps.
constexpr int rateStep = 100 / PracticeSettings::stepsPerRate;
static_assert(rateStep * PracticeSettings::stepsPerRate == 100);
constexpr std::array<double, 5> gapChoices{0.0, 0.5, 1.0, 1.5, 2.0};

QLabel* rowTitle(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QLabel* endSymbol(const QString& symbol, const QString& accessibleName, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setPixmap(Symbols::icon(symbol, Style::secondary(parent)).pixmap(QSize(18, 18)));
    label->setAccessibleName(accessibleName);
    label->setToolTip(accessibleName);
    return label;
}

} // namespace

PracticeSettingsView::PracticeSettingsView(double minimumPause, QWidget* parent)
    : RoundedPanel(10, parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(14, 14, 14, 14);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(10);
    grid->setColumnStretch(1, 1);

    grid->addWidget(rowTitle(tr("Repeat"), this), 0, 0);
    m_repeats = new QSpinBox(this);
    m_repeats->setObjectName(QStringLiteral("repeats"));
    m_repeats->setRange(1, 20);
    m_repeats->setSingleStep(1);
    m_repeats->setSuffix(QStringLiteral("×"));
    m_repeats->setKeyboardTracking(false);
    m_repeats->setAccessibleName(tr("Repeat"));
    connect(m_repeats, &QSpinBox::valueChanged, this, &PracticeSettingsView::repeatsChosen);
    grid->addWidget(m_repeats, 0, 1, Qt::AlignLeft);

    grid->addWidget(rowTitle(tr("Speed"), this), 1, 0);
    auto* speed = new QHBoxLayout;
    speed->setSpacing(8);
    speed->addWidget(endSymbol(QStringLiteral("tortoise"), tr("Slower"), this));
    m_rate = new QSlider(Qt::Horizontal, this);
    m_rate->setObjectName(QStringLiteral("rate"));
    m_rate->setRange(50, 150);
    m_rate->setSingleStep(rateStep);
    m_rate->setPageStep(2 * rateStep);
    m_rate->setTickInterval(25);
    m_rate->setMaximumWidth(280);
    m_rate->setMinimumWidth(140);
    m_rate->setAccessibleName(tr("Speed"));
    connect(m_rate, &QSlider::valueChanged, this, [this](int hundredths) {
        // Dragging lands anywhere; the rate moves in whole steps.
        const int snapped = int(std::lround(double(hundredths) / rateStep)) * rateStep;
        Q_EMIT rateChosen(snapped / 100.0);
    });
    speed->addWidget(m_rate, 1);
    speed->addWidget(endSymbol(QStringLiteral("hare"), tr("Faster"), this));
    m_speed = new QLabel(this);
    m_speed->setObjectName(QStringLiteral("speedText"));
    m_speed->setFixedWidth(44);
    m_speed->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    speed->addWidget(m_speed);
    m_normal = new QPushButton(tr("Normal"), this);
    m_normal->setObjectName(QStringLiteral("normalSpeed"));
    m_normal->setFont(Style::font(Style::Text::caption, m_normal->font()));
    connect(m_normal, &QPushButton::clicked, this, &PracticeSettingsView::normalSpeedRequested);
    speed->addWidget(m_normal);
    speed->addStretch();
    grid->addLayout(speed, 1, 1);

    grid->addWidget(rowTitle(tr("Pause after each"), this), 2, 0);
    m_gap = new QComboBox(this);
    m_gap->setObjectName(QStringLiteral("gapFactor"));
    m_gap->setAccessibleName(tr("Pause after each"));
    for (const double choice : gapChoices)
        m_gap->addItem(gapText(choice), choice);
    m_gap->setToolTip(
        tr("Time to say it yourself after each repetition, sized to the sentence’s length (at "
           "least %1 s)")
            .arg(QString::asprintf("%.1f", minimumPause)));
    m_gap->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    connect(m_gap, &QComboBox::activated, this,
            [this](int index) { Q_EMIT gapFactorChosen(m_gap->itemData(index).toDouble()); });
    grid->addWidget(m_gap, 2, 1, Qt::AlignLeft);

    grid->addWidget(rowTitle(tr("Then"), this), 3, 0);
    m_autoAdvance = new QCheckBox(tr("Go on to the next sentence by itself"), this);
    m_autoAdvance->setObjectName(QStringLiteral("autoAdvance"));
    connect(m_autoAdvance, &QCheckBox::toggled, this, &PracticeSettingsView::autoAdvanceChosen);
    grid->addWidget(m_autoAdvance, 3, 1);
}

void PracticeSettingsView::setValues(int repeats, double rate, double gapFactor, bool autoAdvance) {
    {
        const QSignalBlocker block(m_repeats);
        m_repeats->setValue(repeats);
    }
    {
        const QSignalBlocker block(m_rate);
        m_rate->setValue(int(std::lround(rate * 100)));
    }
    m_speed->setText(speedText(rate));
    m_normal->setEnabled(rate != 1.0);
    {
        const QSignalBlocker block(m_gap);
        // A factor outside the choices (it may be set up to 4) is listed as it is.
        int index = m_gap->findData(gapFactor);
        if (index < 0) {
            while (m_gap->count() > int(gapChoices.size()))
                m_gap->removeItem(m_gap->count() - 1);
            m_gap->addItem(gapText(gapFactor), gapFactor);
            index = m_gap->count() - 1;
        }
        m_gap->setCurrentIndex(index);
    }
    {
        const QSignalBlocker block(m_autoAdvance);
        m_autoAdvance->setChecked(autoAdvance);
    }
}

QString PracticeSettingsView::speedText(double rate) {
    // std::round rounds halves away from zero.
    return QString::number(static_cast<long long>(std::round(rate * 100))) + QStringLiteral("%");
}

QString PracticeSettingsView::gapText(double gapFactor) {
    if (gapFactor == 0)
        return tr("None");
    if (gapFactor == 0.5)
        return tr("½ sentence");
    if (gapFactor == 1)
        return tr("1 sentence");
    if (gapFactor == 1.5)
        return tr("1½ sentences");
    return tr("%1 sentences").arg(QString::number(gapFactor, 'g', 3));
}
