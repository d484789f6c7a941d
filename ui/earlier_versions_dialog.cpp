#include "ui/earlier_versions_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <utility>

#include "ui/mirror.h"

namespace fenmark::ui {

EarlierVersionsDialog::EarlierVersionsDialog(std::string backupFolder, std::string registerPath,
                                             QWidget* parent)
    : QDialog(parent), model_(std::move(backupFolder), std::move(registerPath)) {
    setObjectName(fromUtf8(model_.Caption.name));
    setModal(true);

    label1_ = new QLabel(this);
    label1_->setObjectName(fromUtf8(model_.Label1.name));
    chkAll_ = new QCheckBox(this);
    chkAll_->setObjectName(fromUtf8(model_.chkAll.name));
    connect(chkAll_, &QCheckBox::toggled, this, [this](bool checked) {
        model_.chkAll_Click(checked);
        sync();
    });

    list_ = new QTableWidget(this);
    list_->setObjectName(QStringLiteral("lstVersions"));
    list_->setColumnCount(static_cast<int>(std::size(reg::kEarlierVersionHeadings)));
    QStringList headings;
    for (const char* heading : reg::kEarlierVersionHeadings) headings << QString::fromUtf8(heading);
    list_->setHorizontalHeaderLabels(headings);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->verticalHeader()->setVisible(false);
    list_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    list_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    list_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    connect(list_, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        model_.select(row);
        sync();
    });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        model_.select(row);
        model_.cmdOpen_Click();
        afterClick();
    });

    auto makeButton = [this](platform::Control& control,
                             void (reg::EarlierVersionsModel::*click)()) {
        auto* button = new QPushButton(this);
        button->setObjectName(fromUtf8(control.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, click] {
            (model_.*click)();
            afterClick();
        });
        return button;
    };
    cmdOpen_ = makeButton(model_.cmdOpen, &reg::EarlierVersionsModel::cmdOpen_Click);
    cmdCancel_ = makeButton(model_.cmdCancel, &reg::EarlierVersionsModel::cmdCancel_Click);
    cmdOpen_->setDefault(true);

    auto* commands = new QHBoxLayout;
    commands->addWidget(chkAll_);
    commands->addStretch(1);
    commands->addWidget(cmdOpen_);
    commands->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(label1_);
    layout->addWidget(list_, 1);
    layout->addLayout(commands);

    model_.Form_Load();
    sync();
    resize(640, 400);
}

void EarlierVersionsDialog::afterClick() {
    sync();
    if (!model_.closeRequested()) return;
    if (model_.chosen()) {
        accept();
    } else {
        reject();
    }
}

void EarlierVersionsDialog::sync() {
    setWindowTitle(fromUtf8(model_.Caption.caption));
    mirror(model_.Label1, label1_);
    mirror(model_.cmdOpen, cmdOpen_);
    mirror(model_.cmdCancel, cmdCancel_);
    {
        const QSignalBlocker blocker(chkAll_);
        chkAll_->setText(fromUtf8(model_.chkAll.caption));
        chkAll_->setEnabled(model_.chkAll.enabled);
        chkAll_->setChecked(model_.showingAll());
    }
    const QSignalBlocker blocker(list_);
    const auto& rows = model_.rows();
    {
        list_->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
            const reg::EarlierVersionRow& row = rows[static_cast<std::size_t>(r)];
            const QString cells[] = {fromUtf8(row.registerName), fromUtf8(row.dateText),
                                     fromUtf8(row.sizeText)};
            for (int c = 0; c < 3; ++c) {
                auto* item = new QTableWidgetItem(cells[c]);
                if (c == 2) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                item->setData(Qt::UserRole, fromUtf8(row.path));
                list_->setItem(r, c, item);
            }
        }
    }
    if (model_.selected() >= 0) {
        list_->setCurrentCell(model_.selected(), 0);
        list_->selectRow(model_.selected());
    } else {
        list_->clearSelection();
    }
}

}  // namespace fenmark::ui
