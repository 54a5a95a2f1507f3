#include "ui/browse/BrowseWindow.h"

#include "ui/browse/BrowseModel.h"
#include "ui/layout/ListFormatManager.h"
#include "ui/layout/StandardWarning.h"
#include "ui/layout/WindowPlacement.h"
#include "ui/window/WindowContext.h"
#include "ui/window/WindowHost.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

BrowseWindow::BrowseWindow(WindowContext& context, BrowseDefinition definition, QWidget* parent)
    : QWidget(parent), context_(context), definition_(std::move(definition))
{
    setObjectName(definition_.name);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("SHEET"));
    for (int i = 0; i < definition_.tabs.size(); ++i)
        tabs_->addTab(QString());
    tabs_->setVisible(!definition_.tabs.isEmpty());
    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab < 0 || !model_)
            return;
        typed_.clear();
        showTypedText();
        if (formats_) {
            if (tab == 0)
                formats_->setCurrentFormat(layout::DefaultFormatName, layout::DefaultFormatId);
            else
                formats_->selectSortOrder(tab);
        }
        showTab(tab);
        setCurrentRow(model_->rowCount() > 0 ? 0 : -1);
    });

    list_ = new QTableView(this);
    list_->setObjectName(QStringLiteral("List"));
    if (!definition_.groups.isEmpty())
        list_->setHorizontalHeader(new GroupedHeader(definition_.context, definition_.groups, list_));
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    list_->setAlternatingRowColors(true);
    list_->verticalHeader()->hide();
    list_->verticalHeader()->setDefaultSectionSize(list_->fontMetrics().height() + 6);
    list_->horizontalHeader()->setStretchLastSection(true);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->installEventFilter(this);
    list_->viewport()->installEventFilter(this);
    connect(list_, &QTableView::doubleClicked, this, [this] {
        if (definition_.change)
            changeRecord();
        else if (definition_.view)
            viewRecord();
    });
    connect(list_, &QWidget::customContextMenuRequested, this, &BrowseWindow::showContextMenu);
    connect(list_->verticalScrollBar(), &QScrollBar::valueChanged, this, &BrowseWindow::fetchPreviousWhenAtTop);

    locator_ = new QLabel(this);
    locator_->setObjectName(QStringLiteral("LOCATOR"));
    locator_->hide();
    tagCount_ = new QLabel(this);
    tagCount_->setObjectName(QStringLiteral("TAGS"));
    tagCount_->setVisible(definition_.tags);

    auto* status = new QHBoxLayout;
    status->addWidget(locator_);
    status->addStretch();
    status->addWidget(tagCount_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(list_, 1);
    layout->addLayout(status);
    buildButtons();
    resize(720, 400);
}

BrowseWindow::~BrowseWindow() = default;

void BrowseWindow::buildButtons()
{
    auto* row = new QHBoxLayout;
    row->setObjectName(QStringLiteral("buttons"));
    auto make = [this, row](const char* name, bool shown, void (BrowseWindow::*action)()) {
        auto* b = new QPushButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->setVisible(shown);
        connect(b, &QPushButton::clicked, this, action);
        row->addWidget(b);
        buttons_ << b;
    };
    make("INSERT", definition_.insert, &BrowseWindow::insertRecord);
    make("CHANGE", definition_.change, &BrowseWindow::changeRecord);
    make("DELETE", definition_.remove, &BrowseWindow::deleteRecord);
    make("VIEW", definition_.view, &BrowseWindow::viewRecord);
    row->addStretch();
    close_ = new QPushButton(this);
    close_->setObjectName(QStringLiteral("CLOSE"));
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    row->addWidget(close_);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void BrowseWindow::addButton(QPushButton* button)
{
    auto* row = findChild<QHBoxLayout*>(QStringLiteral("buttons"));
    button->setParent(this);
    button->setAutoDefault(false);
    row->insertWidget(row->indexOf(close_) - 1, button);
    buttons_ << button;
}

QPushButton* BrowseWindow::button(const QString& objectName) const
{
    if (objectName == close_->objectName())
        return close_;
    for (QPushButton* b : buttons_)
        if (b->objectName() == objectName)
            return b;
    return nullptr;
}

void BrowseWindow::attach(BrowseModelBase& model)
{
    model_ = &model;
    list_->setModel(model_);
    connect(model_, &BrowseModelBase::readFailed, this, &BrowseWindow::reportReadFailure);
    connect(model_, &BrowseModelBase::tagsChanged, this, &BrowseWindow::showTagCount);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        updateButtons();
        emit currentRowChanged(current.isValid() ? current.row() : -1);
    });
    connect(model_, &QAbstractItemModel::modelReset, this, &BrowseWindow::updateButtons);
    model_->reload();
    applyBuiltInWidths();
    bindFormats();
    setCurrentRow(model_->rowCount() > 0 ? 0 : -1);
    showTagCount(0);
    retranslate();
}

void BrowseWindow::applyBuiltInWidths()
{
    const int character = list_->fontMetrics().averageCharWidth();
    for (int column = 0; column < model_->columnCount(); ++column)
        list_->horizontalHeader()->resizeSection(column, model_->columnWidth(column) * character + 16);
}

void BrowseWindow::bindFormats()
{
    if (!context_.formats)
        return;
    formats_ = new layout::ListFormatManager(*context_.formats, context_.services.dialogs, this);
    layout::ListKey key;
    key.procId = definition_.layoutName.isEmpty() ? definition_.name : definition_.layoutName;
    key.userId = context_.stationNumber;
    key.ctrlId = 1;
    if (formats_->init(key, *list_, model_->fields()))
        formats_->bindInterface(false, context_.iniFile, false);
}

int BrowseWindow::currentRow() const
{
    const QModelIndex current = list_->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void BrowseWindow::setCurrentRow(int row)
{
    if (!model_ || row < 0 || row >= model_->rowCount()) {
        list_->setCurrentIndex({});
        list_->clearSelection();
    } else {
        const QModelIndex index = model_->index(row, 0);
        list_->setCurrentIndex(index);
        list_->scrollTo(index);
    }
    updateButtons();
}

int BrowseWindow::currentTab() const
{
    return definition_.tabs.isEmpty() ? 0 : tabs_->currentIndex();
}

void BrowseWindow::chooseTab(int tab)
{
    tabs_->setCurrentIndex(tab);
}

void BrowseWindow::setPermission(std::function<bool(FormRequest)> permits)
{
    permission_ = std::move(permits);
    updateButtons();
}

bool BrowseWindow::permits(FormRequest request) const
{
    return !permission_ || permission_(request);
}

void BrowseWindow::insertRecord()
{
    if (definition_.insert && permits(FormRequest::Insert))
        carryOut(FormRequest::Insert);
}

void BrowseWindow::changeRecord()
{
    if (definition_.change && currentRow() >= 0 && permits(FormRequest::Change))
        carryOut(FormRequest::Change);
}

void BrowseWindow::deleteRecord()
{
    if (definition_.remove && currentRow() >= 0 && permits(FormRequest::Delete))
        carryOut(FormRequest::Delete);
}

void BrowseWindow::viewRecord()
{
    if (currentRow() >= 0 && permits(FormRequest::View))
        carryOut(FormRequest::View);
}

void BrowseWindow::tagAll()
{
    if (definition_.tags && model_)
        model_->tagAll();
}

void BrowseWindow::untagAll()
{
    if (model_)
        model_->untagAll();
}

void BrowseWindow::goToStart()
{
    if (model_ && model_->reload() == 0)
        setCurrentRow(model_->rowCount() > 0 ? 0 : -1);
}

void BrowseWindow::goToEnd()
{
    if (model_ && model_->loadEnd() == 0)
        setCurrentRow(model_->rowCount() - 1);
}

void BrowseWindow::typeText(const QString& text)
{
    if (!model_)
        return;
    typed_ += text;
    showTypedText();
    const int row = model_->locateText(typed_);
    if (row >= 0)
        setCurrentRow(row);
}

void BrowseWindow::eraseTyped()
{
    if (typed_.isEmpty())
        return;
    typed_.chop(1);
    showTypedText();
    if (!typed_.isEmpty() && model_) {
        const int row = model_->locateText(typed_);
        if (row >= 0)
            setCurrentRow(row);
    }
}

void BrowseWindow::showTypedText()
{
    locator_->setVisible(!typed_.isEmpty());
    locator_->setText(tr("Szukaj: %1").arg(typed_));
}

void BrowseWindow::showTagCount(int count)
{
    tagCount_->setText(tr("Zaznaczone: %1").arg(count));
}

void BrowseWindow::updateButtons()
{
    const bool any = currentRow() >= 0;
    button(QStringLiteral("INSERT"))->setEnabled(permits(FormRequest::Insert));
    const std::pair<const char*, FormRequest> onRecord[] = {
        {"CHANGE", FormRequest::Change}, {"DELETE", FormRequest::Delete}, {"VIEW", FormRequest::View}};
    for (const auto& [name, request] : onRecord)
        if (QPushButton* b = button(QString::fromLatin1(name)))
            b->setEnabled(any && permits(request));
}

void BrowseWindow::fetchPreviousWhenAtTop()
{
    QScrollBar* bar = list_->verticalScrollBar();
    if (!model_ || bar->value() != bar->minimum() || !model_->canFetchPrevious())
        return;
    const int added = model_->fetchPrevious();
    if (added > 0)
        bar->setValue(bar->value() + added);
}

void BrowseWindow::reportReadFailure(int code, const QString& text)
{
    layout::standardWarning(context_.services.dialogs, 35, model_->tableName(),
                            QStringLiteral("%1 (%2)").arg(text, QString::number(code)));
}

void BrowseWindow::showContextMenu(const QPoint& pos)
{
    const int row = list_->rowAt(pos.y());
    if (row >= 0)
        setCurrentRow(row);   // a right click moves the highlight to the clicked record
    QMenu menu(this);
    const bool any = currentRow() >= 0;
    if (definition_.insert)
        menu.addAction(button(QStringLiteral("INSERT"))->text(), this, &BrowseWindow::insertRecord)
            ->setEnabled(permits(FormRequest::Insert));
    if (definition_.change)
        menu.addAction(button(QStringLiteral("CHANGE"))->text(), this, &BrowseWindow::changeRecord)
            ->setEnabled(any && permits(FormRequest::Change));
    if (definition_.remove)
        menu.addAction(button(QStringLiteral("DELETE"))->text(), this, &BrowseWindow::deleteRecord)
            ->setEnabled(any && permits(FormRequest::Delete));
    if (definition_.view)
        menu.addAction(button(QStringLiteral("VIEW"))->text(), this, &BrowseWindow::viewRecord)
            ->setEnabled(any && permits(FormRequest::View));
    if (definition_.tags) {
        menu.addSeparator();
        menu.addAction(tr("Zaznacz wszystkie"), this, &BrowseWindow::tagAll);
        menu.addAction(tr("Usuń zaznaczenia"), this, &BrowseWindow::untagAll);
    }
    if (formats_) {
        menu.addSeparator();
        formats_->makePopup(menu);
    }
    menu.exec(list_->viewport()->mapToGlobal(pos));
}

bool BrowseWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress && handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == list_->viewport() && event->type() == QEvent::MouseButtonPress
        && handleClick(static_cast<QMouseEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool BrowseWindow::handleKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    switch (event->key()) {
    case Qt::Key_Insert:
        if (definition_.insert)
            insertRecord();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (definition_.change)
            changeRecord();
        else if (definition_.view)
            viewRecord();
        return true;
    case Qt::Key_Delete:
        deleteRecord();
        return true;
    case Qt::Key_Backspace:
        eraseTyped();
        return true;
    case Qt::Key_Escape:
        if (typed_.isEmpty())
            return false;
        typed_.clear();
        showTypedText();
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        typed_.clear();
        showTypedText();
        if (mods & Qt::ControlModifier) {
            event->key() == Qt::Key_Home ? goToStart() : goToEnd();
            return true;
        }
        return false;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        typed_.clear();
        showTypedText();
        if (model_ && currentRow() <= list_->viewport()->height() / qMax(1, list_->verticalHeader()->defaultSectionSize())) {
            const int added = model_->fetchPrevious();
            Q_UNUSED(added);
        }
        return false;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        typed_.clear();
        showTypedText();
        return false;
    case Qt::Key_Space:
        if (definition_.tags && typed_.isEmpty() && currentRow() >= 0) {
            model_->toggleTag(currentRow());
            return true;
        }
        break;
    default: break;
    }
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).isPrint() && !(mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        typeText(text);
        return true;
    }
    return false;
}

bool BrowseWindow::handleClick(QMouseEvent* event)
{
    const int row = list_->rowAt(event->position().toPoint().y());
    if (row < 0 || event->button() != Qt::LeftButton)
        return false;
    typed_.clear();
    showTypedText();
    const Qt::KeyboardModifiers mods = event->modifiers();
    if (definition_.tags && (mods & (Qt::ControlModifier | Qt::ShiftModifier))) {
        if (mods & Qt::ShiftModifier)
            model_->toggleTags(lastClickedRow_ >= 0 ? lastClickedRow_ : row, row);
        else
            model_->toggleTag(row);
        lastClickedRow_ = row;
        setCurrentRow(row);
        return true;
    }
    lastClickedRow_ = row;
    return false;
}

void BrowseWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (placed_)
        return;
    placed_ = true;
    if (!context_.iniFile.isEmpty())
        layout::iniRestoreWindow(placedWindowOf(*this), definition_.name, context_.iniFile);
}

void BrowseWindow::closeEvent(QCloseEvent* event)
{
    if (!closing_) {
        closing_ = true;
        if (formats_)
            formats_->kill();
        if (!context_.iniFile.isEmpty())
            layout::iniSaveWindow(placedWindowOf(*this), definition_.name, context_.iniFile);
        emit closed();
    }
    QWidget::closeEvent(event);
}

void BrowseWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

void BrowseWindow::retranslate()
{
    setWindowTitle(QCoreApplication::translate(definition_.context, definition_.title));
    for (int i = 0; i < definition_.tabs.size(); ++i)
        tabs_->setTabText(i, QCoreApplication::translate(definition_.context, definition_.tabs.at(i)));
    button(QStringLiteral("INSERT"))->setText(tr("&Dodaj"));
    button(QStringLiteral("CHANGE"))->setText(tr("&Zmień"));
    button(QStringLiteral("DELETE"))->setText(tr("&Usuń"));
    button(QStringLiteral("VIEW"))->setText(tr("&Podgląd"));
    close_->setText(tr("Zam&knij"));
    showTypedText();
    if (model_) {
        showTagCount(model_->taggedCount());
        model_->retranslate();
    }
}

} // namespace ui
