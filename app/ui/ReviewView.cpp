#include "ui/ReviewView.h"

#include "ui/RelativeDate.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

ReviewView::ReviewView(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("review"));
    setWindowTitle(tr("Review Hard Sentences"));
    resize(760, 420);
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("Sentences you marked hard come back 1, 3, 7, 14 and then "
                                "every 30 days after you practise them. Double-click "
                                "one to practise it."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("reviewList"));
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setHeaderLabels({tr("Sentence"), tr("File"), tr("Last practised"), tr("Due")});
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setStretchLastSection(false);
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem* item) { choose(m_list->indexOfTopLevelItem(item)); });
    layout->addWidget(m_list, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void ReviewView::setItems(std::vector<ReviewItem> items, const QDateTime& now) {
    m_items = std::move(items);
    m_list->clear();
    for (const ReviewItem& item : m_items) {
        const QDateTime& practised = item.sentence.practice.practisedAt;
        auto* row = new QTreeWidgetItem(
            {item.title(), item.fileName(),
             practised.isValid() ? RelativeDate::text(practised, now) : tr("Never"),
             item.due <= now ? tr("Now") : RelativeDate::text(item.due, now)});
        row->setToolTip(0, item.title());
        row->setToolTip(1, item.filePath);
        m_list->addTopLevelItem(row);
    }
    for (int column = 1; column < 4; ++column)
        m_list->resizeColumnToContents(column);
    if (m_items.empty())
        m_list->addTopLevelItem(new QTreeWidgetItem({tr("No sentence is marked hard.")}));
}

void ReviewView::choose(int row) {
    if (row < 0 || size_t(row) >= m_items.size())
        return;
    const ReviewItem& item = m_items[size_t(row)];
    Q_EMIT sentenceChosen(item.filePath, item.sentence.id());
    accept();
}
