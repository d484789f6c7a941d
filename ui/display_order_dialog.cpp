#include "ui/display_order_dialog.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/mirror.h"

namespace fenmark::ui {

DisplayOrderDialog::DisplayOrderDialog(reg::ProgramState& state, platform::Dialogs& dialogs,
                                       reg::DisplayOrderOwner& owner, QWidget* parent)
    : QDialog(parent), model_(state, dialogs, owner) {
    setObjectName(fromUtf8(model_.Caption.name));

    auto makeLabel = [this](platform::Control& control) {
        auto* label = new QLabel(this);
        label->setObjectName(fromUtf8(control.name));
        labels_.emplace_back(&control, label);
        return label;
    };
    auto makeText = [this](platform::TextBox& box) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(fromUtf8(box.name));
        // The sentence keeps its shape while the boxes are hidden.
        QSizePolicy policy = edit->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        edit->setSizePolicy(policy);
        texts_.emplace_back(&box, edit);
        return edit;
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
    lstName_ = new QListWidget(this);
    lstName_->setObjectName(fromUtf8(model_.lstName.name));
    lstName_->setMinimumSize(360, 240);
    // A click chooses an item, and so does Enter on the item the arrow keys
    // reached. Merely moving the current item (the view does so itself when
    // it gains the focus) chooses nothing.
    const auto itemClicked = [this](QListWidgetItem* item) {
        model_.lstName_Click(lstName_->row(item));
        sync();
    };
    connect(lstName_, &QListWidget::itemClicked, this, itemClicked);
    connect(lstName_, &QListWidget::itemActivated, this, itemClicked);

    QLineEdit* text1 = makeText(model_.Text1);
    text1->setReadOnly(true);
    text1->setMinimumWidth(200);
    QLabel* label2 = makeLabel(model_.Label2);
    QLineEdit* text2 = makeText(model_.Text2);
    text2->setMaximumWidth(60);
    connect(text2, &QLineEdit::textEdited, this, [this](const QString& text) {
        model_.setText2(text.toStdString());
        sync();
    });
    QLabel* label3 = makeLabel(model_.Label3);
    // Working values only; they never show.
    makeText(model_.Text3);
    makeText(model_.Text4);
    QPushButton* command1 = makeButton(model_.Command1);
    QPushButton* command2 = makeButton(model_.Command2);

    auto* sentence = new QHBoxLayout;
    sentence->addWidget(text1, 1);
    sentence->addWidget(label2);
    sentence->addWidget(text2);
    sentence->addWidget(label3);
    auto* commands = new QHBoxLayout;
    commands->addStretch(1);
    commands->addWidget(command1);
    commands->addWidget(command2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->addWidget(label1);
    layout->addWidget(lstName_, 1);
    layout->addLayout(sentence);
    layout->addLayout(commands);
    sync();
}

void DisplayOrderDialog::centreOnScreen() {
    const QScreen* screen =
        this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    adjustSize();
    const QRect area = screen->availableGeometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}

void DisplayOrderDialog::Form_Load() {
    centreOnScreen();
    model_.Form_Load();
    sync();
}

void DisplayOrderDialog::sync() {
    setWindowTitle(fromUtf8(model_.Caption.caption));
    for (auto& [control, label] : labels_) mirror(*control, label);
    for (auto& [control, button] : buttons_) mirror(*control, button);
    for (auto& [box, edit] : texts_) mirror(*box, edit);
    const QSignalBlocker blocker(lstName_);
    QStringList items;
    for (const std::string& item : model_.lstName.items) items << fromUtf8(item);
    QStringList shown;
    for (int i = 0; i < lstName_->count(); ++i) shown << lstName_->item(i)->text();
    if (items != shown) {
        lstName_->clear();
        lstName_->addItems(items);
    }
    lstName_->setCurrentRow(model_.lstName.listIndex);
    if (model_.lstName.listIndex < 0) lstName_->clearSelection();
    lstName_->setEnabled(model_.lstName.enabled);
    lstName_->setVisible(model_.lstName.visible);
}

void DisplayOrderDialog::click(const std::string& name) {
    model_.click(name);
    sync();
    if (model_.closeRequested()) accept();
}

void DisplayOrderDialog::done(int result) {
    if (!unloaded_) {
        unloaded_ = true;
        model_.Form_Unload();
    }
    QDialog::done(result);
}

}  // namespace fenmark::ui
