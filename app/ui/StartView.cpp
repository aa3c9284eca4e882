#include "ui/StartView.h"

#include "ui/RelativeDate.h"
#include "ui/RoundedPanel.h"
#include "ui/Style.h"
#include "ui/Symbols.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStackedLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

QLabel* makeLabel(const QString& text, Style::Text style, const QColor& color, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    Style::apply(label, style, color);
    return label;
}

// A button whose face is its own layout of labels: the whole row is one click target.
class RowButton final : public QAbstractButton {
public:
    using QAbstractButton::QAbstractButton;

    QSize sizeHint() const override { return layout() ? layout()->sizeHint() : QSize(); }
    QSize minimumSizeHint() const override { return layout() ? layout()->minimumSize() : QSize(); }

protected:
    void paintEvent(QPaintEvent*) override {
        if (!underMouse() && !isDown() && !hasFocus())
            return;
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor shade = Style::primary(this);
        shade.setAlphaF(isDown() ? 0.12f : 0.06f);
        painter.setPen(hasFocus() ? QPen(Style::accent(this), 1.5) : Qt::NoPen);
        painter.setBrush(shade);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 6, 6);
    }
    void enterEvent(QEnterEvent* event) override {
        QAbstractButton::enterEvent(event);
        update();
    }
    void leaveEvent(QEvent* event) override {
        QAbstractButton::leaveEvent(event);
        update();
    }
};

} // namespace

StartView::StartView(QWidget* parent) : QWidget(parent) {
    m_pages = new QStackedLayout(this);

    // The welcome page scrolls, so a long recent list never pushes the window past its minimum.
    m_welcome = makeWelcome();
    m_pages->addWidget(Style::scrollArea(m_welcome, this));

    m_openingPage = new QWidget(this);
    auto* opening = new QVBoxLayout(m_openingPage);
    opening->setContentsMargins(40, 40, 40, 40);
    opening->setSpacing(12);
    opening->addStretch();
    m_spinner = new QProgressBar(m_openingPage);
    m_spinner->setObjectName(QStringLiteral("openingSpinner"));
    m_spinner->setFixedWidth(260);
    m_spinner->setTextVisible(false);
    opening->addWidget(m_spinner, 0, Qt::AlignHCenter);
    m_openingCaption = makeLabel({}, Style::Text::body, Style::secondary(this), m_openingPage);
    m_openingCaption->setObjectName(QStringLiteral("openingCaption"));
    m_openingCaption->setAlignment(Qt::AlignCenter);
    opening->addWidget(m_openingCaption, 0, Qt::AlignHCenter);
    opening->addStretch();
    m_pages->addWidget(m_openingPage);

    setOpening(false);
}

QWidget* StartView::makeWelcome() {
    auto* page = new QWidget;
    // Wrapped labels only take their full height when they span their column, so the column has
    // the width of the widest part (the recent list) and the texts are centred inside it.
    QVBoxLayout* outer = Style::centredColumn(page, 40, 560, 22);
    QWidget* column = outer->parentWidget();
    outer->addStretch();

    auto* hero = new QLabel(column);
    hero->setObjectName(QStringLiteral("heroSymbol"));
    hero->setPixmap(Symbols::icon(QStringLiteral("waveform.badge.mic"), Style::accent(this))
                        .pixmap(QSize(72, 72)));
    hero->setAlignment(Qt::AlignCenter);
    outer->addWidget(hero);

    auto* texts = new QVBoxLayout;
    texts->setSpacing(6);
    auto* title = makeLabel(tr("Shadow any recording, one sentence at a time"), Style::Text::title2,
                            Style::primary(this), column);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);
    title->setWordWrap(true);
    texts->addWidget(title);
    auto* intro =
        makeLabel(tr("Open a podcast episode, a lesson or a video. Quellin finds the sentences, "
                     "loops each one with time to repeat it, and lets you record yourself to "
                     "compare. Your files stay on this computer."),
                  Style::Text::body, Style::secondary(this), column);
    intro->setAlignment(Qt::AlignCenter);
    intro->setWordWrap(true);
    intro->setContentsMargins(20, 0, 20, 0); // 520 wide in the 560 column
    texts->addWidget(intro);
    outer->addLayout(texts);

    auto* open = new QPushButton(tr("Open Audio or Video…"), column);
    open->setObjectName(QStringLiteral("openButton"));
    // Ctrl+O belongs to the File menu's item (the same operation); a second shortcut on the
    // button would make the key ambiguous and neither would fire.
    open->setToolTip(tr("Open Audio or Video… (Ctrl+O)"));
    open->setDefault(true);
    open->setIconSize(QSize(20, 20));
    open->setMinimumHeight(40);
    Style::makeProminent(open);
    open->setIcon(
        Symbols::icon(QStringLiteral("folder"), open->palette().color(QPalette::ButtonText)));
    open->setStyleSheet(QStringLiteral("QPushButton { padding: 0 16px; }"));
    connect(open, &QPushButton::clicked, this, &StartView::openRequested);
    outer->addWidget(open, 0, Qt::AlignHCenter);

    outer->addWidget(
        makeLabel(tr("or drop a file here"), Style::Text::callout, Style::secondary(this), column),
        0, Qt::AlignHCenter);

    m_recentSection = new QWidget(column);
    m_recentSection->setObjectName(QStringLiteral("recentSection"));
    m_recentSection->setFixedWidth(460);
    auto* recent = new QVBoxLayout(m_recentSection);
    recent->setContentsMargins(0, 0, 0, 0);
    recent->setSpacing(6);
    auto* heading = makeLabel(tr("Pick up where you left off"), Style::Text::headline,
                              Style::primary(this), m_recentSection);
    heading->setObjectName(QStringLiteral("recentHeading"));
    recent->addWidget(heading);
    m_recentRows = new QVBoxLayout;
    m_recentRows->setSpacing(6);
    recent->addLayout(m_recentRows);
    outer->addWidget(m_recentSection, 0, Qt::AlignHCenter);
    m_recentSection->hide();

    m_reviewDue = new QPushButton(column);
    m_reviewDue->setObjectName(QStringLiteral("reviewDue"));
    m_reviewDue->setFlat(true);
    m_reviewDue->setCursor(Qt::PointingHandCursor);
    m_reviewDue->setIcon(Symbols::icon(QStringLiteral("star.fill"), Style::accent(this)));
    connect(m_reviewDue, &QPushButton::clicked, this, &StartView::reviewRequested);
    outer->addWidget(m_reviewDue, 0, Qt::AlignHCenter);
    m_reviewDue->hide();

    outer->addStretch();
    return page;
}

void StartView::setOpening(bool opening, std::optional<double> fraction) {
    if (opening && fraction) {
        const int percent = static_cast<int>(std::lround(std::clamp(*fraction, 0.0, 1.0) * 100));
        m_spinner->setRange(0, 100);
        m_spinner->setValue(percent);
        m_openingCaption->setText(tr("Reading the file… %1%").arg(percent));
    } else {
        m_spinner->setRange(0, 0); // busy
        m_openingCaption->setText(tr("Reading the file…"));
    }
    m_pages->setCurrentIndex(opening ? 1 : 0);
}

void StartView::setReviewDue(qsizetype count) {
    m_reviewDue->setText(tr("%n sentence(s) due for review", nullptr, int(count)));
    m_reviewDue->setVisible(count > 0);
}

bool StartView::isOpening() const {
    return m_pages->currentIndex() == 1;
}

void StartView::setRecent(const std::vector<RecentItem>& items) {
    // Rows go later: the button whose click led here may still be delivering it.
    while (QLayoutItem* item = m_recentRows->takeAt(0)) {
        if (QWidget* widget = item->widget()) {
            widget->hide();
            widget->deleteLater();
        }
        delete item;
    }
    for (size_t row = 0; row < items.size(); ++row)
        m_recentRows->addWidget(makeRecentRow(static_cast<int>(row), items[row]));
    m_recentSection->setVisible(!items.empty());
}

QWidget* StartView::makeRecentRow(int row, const RecentItem& item) {
    auto* panel = new RoundedPanel(8);
    panel->setObjectName(QStringLiteral("recentRow"));
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(10, 4, 10, 4);
    layout->setSpacing(8);

    // The whole label area is one flat button: a click anywhere on it opens the session.
    auto* open = new RowButton(panel);
    open->setObjectName(QStringLiteral("recentOpen"));
    open->setFocusPolicy(Qt::StrongFocus);
    open->setAccessibleName(item.fileName);
    open->setAccessibleDescription(item.detail);
    open->setCursor(Qt::PointingHandCursor);
    open->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto* label = new QHBoxLayout(open);
    label->setContentsMargins(4, 4, 4, 4);
    label->setSpacing(10);
    auto* symbol = new QLabel(open);
    symbol->setPixmap(
        Symbols::icon(QStringLiteral("waveform"), Style::secondary(this)).pixmap(QSize(20, 20)));
    label->addWidget(symbol);
    auto* lines = new QVBoxLayout;
    lines->setSpacing(1);
    auto* name = makeLabel({}, Style::Text::body, Style::primary(this), open);
    name->setObjectName(QStringLiteral("recentFileName"));
    // One line: long names are cut in the middle, where the least telling part usually is.
    name->setText(name->fontMetrics().elidedText(item.fileName, Qt::ElideMiddle, 340));
    name->setToolTip(item.fileName);
    lines->addWidget(name);
    auto* detail = makeLabel(item.detail, Style::Text::caption, Style::secondary(this), open);
    detail->setObjectName(QStringLiteral("recentDetail"));
    lines->addWidget(detail);
    label->addLayout(lines, 1);
    connect(open, &QAbstractButton::clicked, this, [this, row] { Q_EMIT recentChosen(row); });
    layout->addWidget(open, 1);

    auto* forget = new QToolButton(panel);
    forget->setObjectName(QStringLiteral("recentForget"));
    forget->setAutoRaise(true);
    forget->setIcon(Symbols::icon(QStringLiteral("xmark.circle.fill"), Style::tertiary(this)));
    forget->setToolTip(tr("Forget this session and its recordings"));
    forget->setAccessibleName(tr("Forget %1").arg(item.fileName));
    connect(forget, &QToolButton::clicked, this, [this, row] { Q_EMIT forgetRequested(row); });
    layout->addWidget(forget);
    return panel;
}

QString StartView::detailLine(qsizetype current, qsizetype sentenceCount, qsizetype hardCount,
                              const QDateTime& updatedAt, const QDateTime& now,
                              qsizetype practisedCount) {
    QStringList parts;
    parts.append(tr("Sentence %1 of %2").arg(current + 1).arg(sentenceCount));
    if (practisedCount >= 1)
        parts.append(tr("%1 of %2 practised").arg(practisedCount).arg(sentenceCount));
    if (hardCount >= 1)
        parts.append(tr("%n hard", nullptr, int(hardCount)));
    parts.append(RelativeDate::text(updatedAt, now));
    return parts.join(QStringLiteral(" · "));
}
