#include "ui/schedule_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "platform/qt/grid_model.h"
#include "ui/mirror.h"

namespace fenmark::ui {

ScheduleWindow::ScheduleWindow(reg::ProgramState& state, platform::Dialogs& dialogs,
                               schedule::ScheduleSettings settings,
                               schedule::ScheduleWindowHost* host,
                               platform::PrintDevice* printDevice, QWidget* parent)
    : QWidget(parent), model_(state, dialogs, std::move(settings), host, printDevice) {
    setObjectName(fromUtf8(model_.Caption.name));

    auto makeLabel = [this](platform::Control& control) {
        auto* label = new QLabel(this);
        label->setObjectName(fromUtf8(control.name));
        labels_.emplace_back(&control, label);
        return label;
    };
    auto makeBox = [this](platform::TextBox& box) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(fromUtf8(box.name));
        edit->setReadOnly(true);
        boxes_.emplace_back(&box, edit);
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

    // Top: the asset's name, its position, the closing month and the
    // computation method.
    auto* top = new QHBoxLayout;
    top->addWidget(makeLabel(model_.Label2));
    QLineEdit* name = makeBox(model_.txtName);
    name->setMinimumWidth(260);
    top->addWidget(name, 1);
    top->addSpacing(16);
    top->addWidget(makeLabel(model_.lblNum));
    top->addSpacing(16);
    top->addWidget(makeLabel(model_.lblkeki));
    top->addSpacing(16);
    top->addWidget(makeLabel(model_.Label3));
    for (platform::TextBox* hidden :
         {&model_.txtSinR, &model_.Text2, &model_.Text3, &model_.Text4}) {
        makeBox(*hidden);
    }

    // The header captions in three columns.
    auto* header = new QGridLayout;
    header->setHorizontalSpacing(24);
    auto pricePair = new QHBoxLayout;
    pricePair->addWidget(makeLabel(model_.lblPP));
    pricePair->addWidget(makeLabel(model_.lblPrice));
    pricePair->addStretch(1);
    auto basePair = new QHBoxLayout;
    basePair->addWidget(makeLabel(model_.Label4));
    basePair->addWidget(makeLabel(model_.lblBase));
    basePair->addWidget(makeLabel(model_.Label6));
    basePair->addStretch(1);
    auto methodPair = new QHBoxLayout;
    methodPair->addWidget(makeLabel(model_.Label5));
    methodPair->addWidget(makeLabel(model_.lblSHou));
    methodPair->addStretch(1);
    header->addWidget(makeLabel(model_.lblCode), 0, 0);
    header->addLayout(pricePair, 1, 0);
    header->addLayout(basePair, 2, 0);
    header->addLayout(methodPair, 3, 0);
    header->addWidget(makeLabel(model_.lblDate), 4, 0);
    header->addWidget(makeLabel(model_.lblCate), 0, 1);
    auto lifePair = new QHBoxLayout;
    lifePair->addWidget(makeLabel(model_.lblNens));
    lifePair->addStretch(1);
    header->addLayout(lifePair, 1, 1);
    auto ratePair = new QHBoxLayout;
    ratePair->addWidget(makeLabel(model_.lblSritu));
    ratePair->addWidget(makeLabel(model_.lblShou2));
    ratePair->addStretch(1);
    header->addLayout(ratePair, 2, 1);
    header->addWidget(makeLabel(model_.lblWari), 3, 1);
    header->addWidget(makeLabel(model_.lblSuu), 4, 1);
    header->addWidget(makeLabel(model_.lblZanson), 0, 2);
    header->addWidget(makeLabel(model_.lblGendo), 1, 2);
    header->addWidget(makeLabel(model_.lblHo), 2, 2);
    header->addWidget(makeLabel(model_.lblR2), 3, 2);
    header->addWidget(makeLabel(model_.lblHogaku), 4, 2);
    header->setColumnStretch(3, 1);

    // Under the header, the lines on a carried opening or a business start;
    // the model hides them for the other assets.
    auto* opening = new QVBoxLayout;
    opening->setSpacing(2);
    for (platform::Control* line : model_.openingLabels()) {
        QLabel* label = makeLabel(*line);
        label->setWordWrap(true);
        opening->addWidget(label);
    }

    fxg2_ = new platform::qt::GridTableView(this);
    fxg2_->setObjectName(QStringLiteral("Fxg2"));
    fxg2Model_ = new platform::qt::GridTableModel(model_.Fxg2, fxg2_);
    fxg2_->setModel(fxg2Model_);

    auto* commands = new QHBoxLayout;
    commands->addWidget(makeButton(model_.cmdRew));
    commands->addWidget(makeButton(model_.cmdFF));
    commands->addStretch(1);
    commands->addWidget(makeButton(model_.cmdPrint));
    commands->addWidget(makeButton(model_.cmdCancel));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 12, 16, 12);
    layout->setSpacing(10);
    layout->addLayout(top);
    layout->addLayout(header);
    layout->addLayout(opening);
    layout->addWidget(fxg2_, 1);
    layout->addLayout(commands);

    model_.Form_Load();
    sync();
    resize(880, 640);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.left() + (area.width() - width()) / 2,
             area.top() + (area.height() - height()) / 2);
    }
}

void ScheduleWindow::sync() {
    setWindowTitle(fromUtf8(model_.Caption.caption));
    for (auto& [control, label] : labels_) mirror(*control, label);
    for (auto& [control, button] : buttons_) mirror(*control, button);
    for (auto& [box, edit] : boxes_) mirror(*box, edit);
    fxg2Model_->refresh();
    fxg2_->setVisible(model_.Fxg2Visible);
}

void ScheduleWindow::click(const std::string& name) {
    model_.click(name);
    // "戻る" may have closed the window; the host deletes it later.
    if (name != model_.cmdCancel.name) sync();
}

void ScheduleWindow::closeEvent(QCloseEvent* event) {
    if (!unloading_) {
        unloading_ = true;
        model_.Form_Unload();
    }
    QWidget::closeEvent(event);
}

}  // namespace fenmark::ui
