#include "ui/closing_month_dialog.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/mirror.h"

namespace fenmark::ui {

ClosingMonthDialog::ClosingMonthDialog(reg::ProgramState& state, platform::Dialogs& dialogs,
                                       reg::Environment environment,
                                       reg::ClosingMonthTexts mainWindow, QWidget* parent)
    : QDialog(parent), model_(state, dialogs, std::move(environment), mainWindow) {
    setObjectName(fromUtf8(model_.Caption.name));
    setModal(true);

    auto makeLabel = [this](platform::Control& control) {
        auto* label = new QLabel(this);
        label->setObjectName(fromUtf8(control.name));
        labels_.emplace_back(&control, label);
        return label;
    };
    auto makeButton = [this](platform::Control& control) {
        auto* button = new QPushButton(this);
        button->setObjectName(fromUtf8(control.name));
        button->setAutoDefault(false);
        const std::string name = control.name;
        connect(button, &QPushButton::clicked, this, [this, name] { click(name); });
        buttons_.emplace_back(&control, button);
        return button;
    };

    QLabel* label1 = makeLabel(model_.Label1);
    QLabel* label2 = makeLabel(model_.Label2);
    combo1_ = new QComboBox(this);
    combo1_->setObjectName(fromUtf8(model_.Combo1.name));
    combo1_->setMinimumContentsLength(3);
    connect(combo1_, &QComboBox::activated, this, [this](int index) {
        model_.Combo1_Click(index);
        sync();
    });
    QLabel* label3 = makeLabel(model_.Label3);
    QPushButton* command1 = makeButton(model_.Command1);
    QPushButton* command2 = makeButton(model_.Command2);

    auto* current = new QHBoxLayout;
    current->addWidget(label1);
    current->addWidget(label2);
    current->addStretch(1);
    auto* choice = new QHBoxLayout;
    choice->addStretch(1);
    choice->addWidget(combo1_);
    choice->addWidget(label3);
    choice->addStretch(1);
    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    commands->addWidget(command1);
    commands->addWidget(command2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addLayout(current);
    layout->addLayout(choice);
    layout->addLayout(commands);

    model_.Form_Load();
    sync();
    setFixedSize(sizeHint().expandedTo(QSize(280, 0)));
}

void ClosingMonthDialog::sync() {
    setWindowTitle(fromUtf8(model_.Caption.caption));
    for (auto& [control, label] : labels_) mirror(*control, label);
    for (auto& [control, button] : buttons_) mirror(*control, button);
    const platform::ComboBox& combo = model_.Combo1;
    const QSignalBlocker blocker(combo1_);
    QStringList items;
    for (const std::string& item : combo.items) items << fromUtf8(item);
    QStringList shown;
    for (int i = 0; i < combo1_->count(); ++i) shown << combo1_->itemText(i);
    if (items != shown) {
        combo1_->clear();
        combo1_->addItems(items);
    }
    combo1_->setCurrentIndex(combo.listIndex);
    combo1_->setEnabled(combo.enabled);
    combo1_->setVisible(combo.visible);
}

void ClosingMonthDialog::click(const std::string& name) {
    model_.click(name);
    sync();
    if (model_.closeRequested()) accept();
}

void ClosingMonthDialog::done(int result) {
    if (!unloaded_) {
        unloaded_ = true;
        model_.Form_Unload();
    }
    QDialog::done(result);
}

}  // namespace fenmark::ui
