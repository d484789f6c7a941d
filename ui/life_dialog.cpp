#include "ui/life_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "ui/line_breaks.h"
#include "ui/mirror.h"

namespace fenmark::ui {

LifeDialog::LifeDialog(const law::LifeTable& table, platform::Dialogs& dialogs,
                       card::LifeRequest request, QWidget* parent)
    : QDialog(parent), model_(table, dialogs, request) {
    setObjectName(fromUtf8(model_.Caption.name));
    setModal(true);

    for (platform::TextBox* box : model_.textBoxes()) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(fromUtf8(box->name));
        const std::string name = box->name;
        connect(edit, &QLineEdit::textEdited, this, [this, name](const QString& text) {
            model_.setText(name, text.toStdString());
            afterEvent();
        });
        edits_.emplace_back(box, edit);
    }
    for (platform::Control* control : model_.labels()) {
        auto* label = new QLabel(this);
        label->setObjectName(fromUtf8(control->name));
        labels_.emplace_back(control, label);
    }
    for (platform::Control* control : model_.buttons()) {
        auto* button = new QPushButton(this);
        button->setObjectName(fromUtf8(control->name));
        button->setAutoDefault(false);
        const std::string name = control->name;
        connect(button, &QPushButton::clicked, this, [this, name] {
            model_.click(name);
            afterEvent();
        });
        buttons_.emplace_back(control, button);
    }
    list_ = new QListWidget(this);
    list_->setObjectName(fromUtf8(model_.lstEntries.name));
    // Entries differ at their ends (「…＞事務所用又は美術館用のもの」 against
    // 「…＞店舗用のもの」): a line wraps rather than being cut short, and
    // keeps the dialog's width.
    list_->setWordWrap(true);
    list_->setTextElideMode(Qt::ElideNone);
    list_->setUniformItemSizes(false);
    list_->setResizeMode(QListView::Adjust);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setAlternatingRowColors(true);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.select(row);
        afterEvent();
    });
    connect(list_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        model_.activate(list_->row(item));
        afterEvent();
    });

    const auto w = [this](const char* name) { return findChild<QWidget*>(name); };
    // The texts that change wrap within room kept for them, so that the
    // dialog does not jump as the user moves through the list.
    for (const auto& [name, lines] :
         {std::pair{"lblEntry", 3}, std::pair{"lblRevision", 0}, std::pair{"lblUsed", 2}}) {
        auto* label = qobject_cast<QLabel*>(w(name));
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (lines > 0) label->setMinimumHeight(label->fontMetrics().lineSpacing() * lines + 4);
    }
    for (const char* name : {"txtUsedLife", "txtElapsedYears", "txtElapsedMonths"}) {
        w(name)->setFixedWidth(w(name)->fontMetrics().horizontalAdvance(QStringLiteral("0000")) +
                               16);
        w(name)->setInputMethodHints(Qt::ImhPreferNumbers);
    }
    w("txtFind")->installEventFilter(this);

    auto* find = new QHBoxLayout;
    find->addWidget(w("lblCapFind"));
    find->addWidget(w("txtFind"), 1);
    find->addWidget(w("lblCount"));

    fraUsed_ = new QGroupBox(this);
    fraUsed_->setObjectName(fromUtf8(model_.fraUsed.name));
    auto* used = new QGridLayout(fraUsed_);
    auto* lifeLine = new QHBoxLayout;
    for (const char* name : {"txtUsedLife", "lblCapUsedLifeUnit"}) lifeLine->addWidget(w(name));
    lifeLine->addStretch(1);
    auto* elapsedLine = new QHBoxLayout;
    for (const char* name :
         {"txtElapsedYears", "lblCapElapsedYears", "txtElapsedMonths", "lblCapElapsedMonths"}) {
        elapsedLine->addWidget(w(name));
    }
    elapsedLine->addStretch(1);
    used->addWidget(w("lblCapUsedLife"), 0, 0);
    used->addLayout(lifeLine, 0, 1);
    used->addWidget(w("lblCapElapsed"), 1, 0);
    used->addLayout(elapsedLine, 1, 1);
    used->addWidget(w("lblUsed"), 2, 0, 1, 2);
    auto* usedCommand = new QHBoxLayout;
    usedCommand->addStretch(1);
    usedCommand->addWidget(w("cmdUsed"));
    used->addLayout(usedCommand, 3, 0, 1, 2);

    auto* commands = new QHBoxLayout;
    commands->addWidget(w("cmdChoose"));
    commands->addStretch(1);
    commands->addWidget(w("cmdClose"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addLayout(find);
    layout->addWidget(list_, 1);
    layout->addWidget(w("lblEntry"));
    layout->addLayout(commands);
    layout->addWidget(fraUsed_);
    layout->addWidget(w("lblRevision"));

    setTabOrder(w("txtFind"), list_);
    setTabOrder(list_, w("cmdChoose"));
    setTabOrder(w("cmdChoose"), w("txtUsedLife"));
    setTabOrder(w("txtUsedLife"), w("txtElapsedYears"));
    setTabOrder(w("txtElapsedYears"), w("txtElapsedMonths"));
    setTabOrder(w("txtElapsedMonths"), w("cmdUsed"));
    setTabOrder(w("cmdUsed"), w("cmdClose"));

    model_.Form_Load();
    sync();

    // Narrower, the notes would take so many lines that the list had no
    // room left.
    setMinimumWidth(fontMetrics().horizontalAdvance(QString(40, QChar(0x8cc7))));
    fitHeightToWrappedTexts(*this);
    // Room for most entries on one line, and for a dozen of them.
    const int lineWidth = fontMetrics().horizontalAdvance(QString(56, QChar(0x8cc7)));
    resize(lineWidth, fontMetrics().lineSpacing() * 40);
    w("txtFind")->setFocus(Qt::OtherFocusReason);
}

void LifeDialog::sync() {
    setWindowTitle(fromUtf8(model_.Caption.caption));
    for (auto& [box, edit] : edits_) mirror(*box, edit);
    for (auto& [control, label] : labels_) {
        mirror(*control, label);
        if (label->wordWrap()) label->setText(keepPhrases(label->text()));
    }
    for (auto& [control, button] : buttons_) mirror(*control, button);
    fraUsed_->setTitle(fromUtf8(model_.fraUsed.caption));
    fraUsed_->setEnabled(model_.fraUsed.enabled);

    const QSignalBlocker blocker(list_);
    if (listed_ != model_.lstEntries.items) {
        listed_ = model_.lstEntries.items;
        list_->clear();
        for (const std::string& line : listed_) {
            auto* item = new QListWidgetItem(keepPhrases(fromUtf8(line)), list_);
            item->setToolTip(fromUtf8(line));
        }
    }
    list_->setCurrentRow(model_.lstEntries.listIndex);
    if (QListWidgetItem* item = list_->currentItem()) list_->scrollToItem(item);
    fitHeightToWrappedTexts(*this);
}

void LifeDialog::afterEvent() {
    sync();
    if (model_.closeRequested) accept();
}

void LifeDialog::done(int result) {
    if (!model_.closeRequested) model_.cmdClose_Click();
    QDialog::done(result);
}

bool LifeDialog::eventFilter(QObject* watched, QEvent* event) {
    // From the search box, the down arrow and Enter go on to the list, so
    // that an entry can be chosen without the mouse.
    if (event->type() == QEvent::KeyPress && list_->count() > 0) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter) {
            list_->setFocus(Qt::TabFocusReason);
            if (model_.lstEntries.listIndex < 0) {
                model_.select(0);
                afterEvent();
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<card::LifeChoice> LifeDialogOpener::chooseLife(const card::LifeRequest& request) {
    const law::LifeTable* table = source_.get(dialogs_);
    if (table == nullptr) return std::nullopt;
    LifeDialog dialog(*table, dialogs_, request, parent_);
    dialog.exec();
    return dialog.model().chosen;
}

}  // namespace fenmark::ui
