#include "transactions/gui/TransItemsWindow.h"

#include "ui/layout/WindowPlacement.h"
#include "ui/window/WindowContext.h"
#include "ui/window/WindowHost.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace transactions::gui {

namespace {

constexpr int HeatNumberWidth = 20;

QStandardItem* lineItem(const QString& text, int bar)
{
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    item->setData(bar, TransItemsWindow::BarRole);
    return item;
}

} // namespace

TransItemsWindow::TransItemsWindow(ui::WindowContext& context, uint32_t transaction, HeatNumberForm heatNumberForm,
                                   QWidget* parent)
    : QDialog(parent), context_(context), transaction_(transaction), heatNumberForm_(std::move(heatNumberForm))
{
    setObjectName(TransItemsWindowName);
    model_ = new QStandardItemModel(this);
    view_ = new QTreeView(this);
    view_->setObjectName(QStringLiteral("TREE"));
    view_->setModel(model_);
    view_->header()->hide();
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setContextMenuPolicy(Qt::CustomContextMenu);
    view_->installEventFilter(this);
    connect(view_, &QWidget::customContextMenuRequested, this, &TransItemsWindow::showContextMenu);
    connect(view_, &QTreeView::doubleClicked, this, [this] {
        if (currentBar())
            editHeatNumber(ui::FormRequest::Change);
    });
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, &TransItemsWindow::updateButtons);

    remembered_ = new QLineEdit(this);
    remembered_->setObjectName(QStringLiteral("LOC:SELECTED_HEATNO"));
    remembered_->setMaxLength(HeatNumberWidth);
    connect(remembered_, &QLineEdit::textChanged, this, [this](const QString& text) {
        copy_.setSelected(text);
        updateButtons();
    });
    auto* rememberedPrompt = new QLabel(this);
    rememberedPrompt->setObjectName(QStringLiteral("SELECTED_HEATNO_PROMPT"));
    rememberedPrompt->setBuddy(remembered_);
    auto* rememberedRow = new QHBoxLayout;
    rememberedRow->addWidget(rememberedPrompt);
    rememberedRow->addWidget(remembered_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(makeButton("EXPAND", [this] { expandAll(); }));
    buttons->addWidget(makeButton("CONTRACT", [this] { contractAll(); }));
    buttons->addSpacing(12);
    buttons->addWidget(makeButton("CHANGE", [this] { editHeatNumber(ui::FormRequest::Change); }));
    buttons->addWidget(makeButton("COPYHEATNO", [this] { copyHeatNumber(); }));
    buttons->addWidget(makeButton("PASTEHEATNO", [this] { pasteHeatNumber(); }));
    buttons->addStretch();
    buttons->addWidget(makeButton("CLOSE", [this] { accept(); }));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(rememberedRow);
    layout->addLayout(buttons);
    resize(760, 480);
    retranslate();
    updateButtons();
}

TransItemsWindow::~TransItemsWindow() = default;

QPushButton* TransItemsWindow::makeButton(const char* name, std::function<void()> action)
{
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, std::move(action));
    buttons_ << b;
    return b;
}

QPushButton* TransItemsWindow::button(const QString& objectName) const
{
    for (QPushButton* b : buttons_)
        if (b->objectName() == objectName)
            return b;
    return nullptr;
}

bool TransItemsWindow::load()
{
    // What the operator had open and highlighted stays so.
    const TransItemsBar* highlighted = currentBar();
    const uint32_t highlightedId = highlighted ? highlighted->item.id : 0;
    QSet<uint32_t> opened;
    QStandardItem* oldRoot = model_->item(0);
    const bool firstLoad = oldRoot == nullptr;
    for (int i = 0; oldRoot && i < oldRoot->rowCount(); ++i)
        if (view_->isExpanded(oldRoot->child(i)->index()))
            opened.insert(tree_.bars.value(i).item.id);

    QString error;
    switch (loadTransItems(context_.database, transaction_, tree_, error)) {
    case TreeLoad::Loaded: break;
    case TreeLoad::NeedsPrintNumbers:
        context_.services.dialogs.message(PrintNumbersMissingText);
        return false;
    case TreeLoad::Failed:
        context_.services.dialogs.message(error);
        return false;
    }

    model_->clear();
    auto* root = lineItem(tree_.rootLine, -1);
    model_->appendRow(root);
    int highlightRow = -1;
    for (int i = 0; i < tree_.bars.size(); ++i) {
        const TransItemsBar& bar = tree_.bars.at(i);
        auto* barItem = lineItem(bar.line, i);
        for (const QString& piece : bar.pieceLines)
            barItem->appendRow(lineItem(piece, -1));
        root->appendRow(barItem);
        if (bar.item.id == highlightedId)
            highlightRow = i;
    }
    view_->expand(root->index());
    for (int i = 0; i < tree_.bars.size(); ++i)
        if (firstLoad || opened.contains(tree_.bars.at(i).item.id))
            view_->expand(root->child(i)->index());
    if (highlightRow >= 0)
        highlightBar(highlightRow);
    else if (!tree_.bars.isEmpty())
        highlightBar(0);
    else
        view_->setCurrentIndex(root->index());
    updateButtons();
    return true;
}

const TransItemsBar* TransItemsWindow::currentBar() const
{
    const int bar = view_->currentIndex().data(BarRole).toInt();
    if (!view_->currentIndex().isValid() || bar < 0 || bar >= tree_.bars.size())
        return nullptr;
    return &tree_.bars.at(bar);
}

void TransItemsWindow::highlightBar(int bar, int piece)
{
    QStandardItem* root = model_->item(0);
    if (!root || bar < 0 || bar >= root->rowCount())
        return;
    QStandardItem* line = root->child(bar);
    if (piece >= 0 && piece < line->rowCount()) {
        view_->expand(line->index());
        line = line->child(piece);
    }
    view_->setCurrentIndex(line->index());
    view_->scrollTo(line->index());
}

void TransItemsWindow::addBarToSelection(int bar)
{
    QStandardItem* root = model_->item(0);
    if (root && bar >= 0 && bar < root->rowCount())
        view_->selectionModel()->select(root->child(bar)->index(), QItemSelectionModel::Select);
}

QList<int> TransItemsWindow::highlightedBars() const
{
    QList<int> bars;
    for (const QModelIndex& index : view_->selectionModel()->selectedIndexes()) {
        const int bar = index.data(BarRole).toInt();
        if (bar >= 0 && bar < tree_.bars.size() && !bars.contains(bar))
            bars << bar;
    }
    std::sort(bars.begin(), bars.end());
    return bars;
}

void TransItemsWindow::expandAll()
{
    view_->expandAll();
}

void TransItemsWindow::contractAll()
{
    view_->collapseAll();
    if (QStandardItem* root = model_->item(0))
        view_->expand(root->index());   // the bars stay in sight, their pieces are closed
}

void TransItemsWindow::editHeatNumber(ui::FormRequest request)
{
    const TransItemsBar* bar = currentBar();
    if (!bar || !heatNumberForm_)
        return;
    global::StockTransItemRecord record = bar->item;
    const ui::FormResponse response = heatNumberForm_(request, record, this);
    // A form that found the bar changed elsewhere has shown it; the tree shows it too.
    if (response == ui::FormResponse::Done || request == ui::FormRequest::Change) {
        if (!load())
            reject();
    }
}

void TransItemsWindow::copyHeatNumber()
{
    if (const TransItemsBar* bar = currentBar()) {
        copy_.copyFrom(bar->item);
        remembered_->setText(copy_.selected());
    }
}

void TransItemsWindow::pasteHeatNumber()
{
    // An empty remembered number would wipe the bars' numbers: nothing has been copied yet.
    if (copy_.selected().isEmpty())
        return;
    QList<int> bars = highlightedBars();
    if (bars.isEmpty() && currentBar())
        bars << view_->currentIndex().data(BarRole).toInt();
    for (const int bar : std::as_const(bars)) {
        global::StockTransItemRecord stored;
        const global::HeatNumberSave saved =
            copy_.pasteInto(context_.database, context_.services.dialogs, tree_.bars.at(bar).item, stored);
        if (saved == global::HeatNumberSave::Failed)
            break;   // shown; the bars after it keep their numbers
    }
    if (!load())
        reject();
}

void TransItemsWindow::updateButtons()
{
    const bool onBar = currentBar() != nullptr;
    button(QStringLiteral("CHANGE"))->setEnabled(onBar && heatNumberForm_ != nullptr);
    button(QStringLiteral("COPYHEATNO"))->setEnabled(onBar);
    button(QStringLiteral("PASTEHEATNO"))->setEnabled(onBar && !copy_.selected().isEmpty());
}

void TransItemsWindow::showContextMenu(const QPoint& pos)
{
    const QModelIndex at = view_->indexAt(pos);
    if (at.isValid() && !view_->selectionModel()->isSelected(at))
        view_->setCurrentIndex(at);
    if (!currentBar() || !heatNumberForm_)
        return;
    QMenu menu(this);
    menu.addAction(QStringLiteral("&Insert"), this, [this] { editHeatNumber(ui::FormRequest::Insert); });
    menu.addAction(QStringLiteral("&Change"), this, [this] { editHeatNumber(ui::FormRequest::Change); });
    menu.addAction(QStringLiteral("&Delete"), this, [this] { editHeatNumber(ui::FormRequest::Delete); });
    menu.exec(view_->viewport()->mapToGlobal(pos));
}

bool TransItemsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == view_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && currentBar()) {
            editHeatNumber(ui::FormRequest::Change);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TransItemsWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (placed_)
        return;
    placed_ = true;
    if (!context_.iniFile.isEmpty())
        layout::iniRestoreWindow(*this, TransItemsWindowName, context_.iniFile);
}

void TransItemsWindow::done(int result)
{
    if (!context_.iniFile.isEmpty())
        layout::iniSaveWindow(*this, TransItemsWindowName, context_.iniFile);
    QDialog::done(result);
}

void TransItemsWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void TransItemsWindow::retranslate()
{
    setWindowTitle(QCoreApplication::translate("TransItemsWindow", "Techniczna lista transakcji ") + QString::number(transaction_));
    button(QStringLiteral("EXPAND"))->setText(QCoreApplication::translate("TransItemsWindow", "&Rozwiń"));
    button(QStringLiteral("CONTRACT"))->setText(QCoreApplication::translate("TransItemsWindow", "Z&wiń"));
    button(QStringLiteral("CHANGE"))->setText(QCoreApplication::translate("TransItemsWindow", "&Numer wytopu"));
    button(QStringLiteral("CHANGE"))->setToolTip(QCoreApplication::translate("TransItemsWindow", "Edycja numeru wytopu dla profilu"));
    button(QStringLiteral("COPYHEATNO"))->setText(QCoreApplication::translate("TransItemsWindow", "K&opiuj"));
    button(QStringLiteral("COPYHEATNO"))->setToolTip(QCoreApplication::translate("TransItemsWindow", "Kopiuj bieżący numer wytopu"));
    button(QStringLiteral("PASTEHEATNO"))->setText(QCoreApplication::translate("TransItemsWindow", "&Wstaw"));
    button(QStringLiteral("PASTEHEATNO"))->setToolTip(QCoreApplication::translate("TransItemsWindow", "Wstaw zapamiętany numer wytopu do bieżącego profila"));
    button(QStringLiteral("CLOSE"))->setText(QCoreApplication::translate("TransItemsWindow", "Zam&knij"));
    findChild<QLabel*>(QStringLiteral("SELECTED_HEATNO_PROMPT"))->setText(QCoreApplication::translate("TransItemsWindow", "Zapamiętany numer wytopu:"));
}

void runTransItems(ui::WindowContext& context, uint32_t transaction, const HeatNumberForm& heatNumberForm,
                   QWidget* parent)
{
    TransItemsWindow window(context, transaction, heatNumberForm,
                            parent ? parent : (context.host ? context.host->modalParent() : nullptr));
    if (!window.load())
        return;
    window.exec();
}

} // namespace transactions::gui
