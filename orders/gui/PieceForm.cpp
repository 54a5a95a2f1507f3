#include "orders/gui/PieceForm.h"

#include "global/Deform.h"
#include "orders/OrderPieces.h"
#include "ui/layout/WindowPlacement.h"
#include "ui/window/WindowContext.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace orders {

using namespace global;

namespace {

const QString FormName = QStringLiteral("OrderCutUpd");

// A whole number as typed; 0 for a text without one or out of range.
uint32_t wholeNumber(const QString& text)
{
    const double value = std::round(deform(text));
    return value >= 0 && value <= 2147483647.0 ? uint32_t(value) : 0;
}

QString numberText(uint32_t value)
{
    return value == 0 ? QString() : QString::number(value);
}

QString percentageText(double value)
{
    return value == 0 ? QString() : QLocale(QLocale::Polish).toString(value, 'g', 10).remove(QChar(0xa0));
}

} // namespace

PieceForm::PieceForm(ui::WindowContext& context, ui::FormRequest request, const OrderProfileRecord& position,
                     const CutRecord& piece, QWidget* parent)
    : QDialog(parent), context_(context), request_(request), position_(position), loaded_(piece), piece_(piece)
{
    setObjectName(FormName);
    setWindowTitle(tr("Specyfikacja odcinka do wykonania"));
    build();
    showValues();
    if (!context_.iniFile.isEmpty())
        layout::iniRestoreWindow(*this, FormName, context_.iniFile);
}

void PieceForm::build()
{
    auto* form = new QFormLayout;
    const auto line = [this, form](const char* name, const QString& prompt, const QString& tip, int width) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setToolTip(tip);
        if (width > 0)
            edit->setMaxLength(width);
        form->addRow(prompt, edit);
        return edit;
    };
    auto* length = line("LENGHT", tr("Długość [mm]"), tr("Długość potrzebna"), 0);
    auto* count = line("PCS", tr("Ilość [szt]"), tr("Sztuk potrzebnych"), 0);
    length->setValidator(new QIntValidator(0, 2147483647, length));
    count->setValidator(new QIntValidator(0, 2147483647, count));
    line("CODE", tr("Kod dla odcinka:"), {}, 20);
    line("DESCRIPTION1", tr("Opis pomocniczy 1"), {}, 80);
    line("DESCRIPTION2", tr("Opis pomocniczy 2"), {}, 80);
    block_ = new QCheckBox(tr("Wyłącz z optymalizacji"), this);
    block_->setObjectName(QStringLiteral("BLOCK"));
    form->addRow(QString(), block_);

    auto* group = new QGroupBox(tr("Specyfikacja możliwego łączenia odcinka z dwóch krótszych"), this);
    auto* sections = new QFormLayout(group);
    const auto sectionLine = [this, sections](const char* name, const QString& prompt) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(name));
        sections->addRow(prompt, edit);
        return edit;
    };
    auto* percentage = sectionLine("SECTION_PERC", tr("Podział procentowy"));
    auto* first = sectionLine("LENGHT1", tr("Długość odcinka 1 [mm]"));
    auto* second = sectionLine("LENGHT2", tr("Długość odcinka 2 [mm]"));
    switchOff_ = new QCheckBox(tr("Wyłącz podział"), this);
    switchOff_->setObjectName(QStringLiteral("SWITCH_OFF_SECTION"));
    sections->addRow(QString(), switchOff_);

    connect(length, &QLineEdit::editingFinished, this, &PieceForm::lengthLeft);
    connect(percentage, &QLineEdit::editingFinished, this, &PieceForm::percentageLeft);
    connect(first, &QLineEdit::editingFinished, this, &PieceForm::firstLeft);
    connect(second, &QLineEdit::editingFinished, this, &PieceForm::secondLeft);

    auto* buttons = new QDialogButtonBox(this);
    auto* save = buttons->addButton(tr("&Zapisz"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("SAVE"));
    auto* cancel = buttons->addButton(tr("&Anuluj"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CANCEL"));
    connect(save, &QPushButton::clicked, this, &PieceForm::pressSave);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(group);
    layout->addWidget(buttons);
}

QLineEdit* PieceForm::field(const QString& name) const
{
    return findChild<QLineEdit*>(name);
}

void PieceForm::showValues()
{
    field(QStringLiteral("LENGHT"))->setText(numberText(piece_.lenght));
    field(QStringLiteral("PCS"))->setText(numberText(piece_.pcs));
    field(QStringLiteral("CODE"))->setText(piece_.code);
    field(QStringLiteral("DESCRIPTION1"))->setText(piece_.description1);
    field(QStringLiteral("DESCRIPTION2"))->setText(piece_.description2);
    field(QStringLiteral("SECTION_PERC"))->setText(percentageText(piece_.sectionPerc));
    field(QStringLiteral("LENGHT1"))->setText(numberText(piece_.lenght1));
    field(QStringLiteral("LENGHT2"))->setText(numberText(piece_.lenght2));
    block_->setChecked(piece_.block != 0);
    switchOff_->setChecked(piece_.switchOffSection != 0);
}

// The texts of the fields that are not computed from one another.
void PieceForm::takeTexts()
{
    piece_.pcs = wholeNumber(field(QStringLiteral("PCS"))->text());
    piece_.code = field(QStringLiteral("CODE"))->text();
    piece_.description1 = field(QStringLiteral("DESCRIPTION1"))->text();
    piece_.description2 = field(QStringLiteral("DESCRIPTION2"))->text();
    piece_.block = block_->isChecked() ? 1 : 0;
    piece_.switchOffSection = switchOff_->isChecked() ? 1 : 0;
}

void PieceForm::takeSections(const Sections& sections, bool beyond)
{
    if (beyond)
        context_.services.beeper.beep();
    takeTexts();
    setSections(piece_, sections);
    showValues();
}

void PieceForm::lengthLeft()
{
    takeTexts();
    setPieceLength(piece_, wholeNumber(field(QStringLiteral("LENGHT"))->text()));
    showValues();
}

void PieceForm::percentageLeft()
{
    const double percentage = deform(field(QStringLiteral("SECTION_PERC"))->text());
    takeSections(sectionsFromPercentage(piece_.lenght, percentage), percentage > 100);
}

void PieceForm::firstLeft()
{
    const uint32_t first = wholeNumber(field(QStringLiteral("LENGHT1"))->text());
    takeSections(sectionsFromFirst(piece_.lenght, first), first > piece_.lenght);
}

void PieceForm::secondLeft()
{
    const uint32_t second = wholeNumber(field(QStringLiteral("LENGHT2"))->text());
    takeSections(sectionsFromSecond(piece_.lenght, second), second > piece_.lenght);
}

void PieceForm::enter(const QString& name, const QString& text)
{
    QLineEdit* edit = field(name);
    edit->setText(text);
    emit edit->editingFinished();
}

void PieceForm::pressSave()
{
    takeTexts();
    if (piece_.lenght != wholeNumber(field(QStringLiteral("LENGHT"))->text()))
        lengthLeft();
    OrderPieces pieces(context_.database, context_.services);
    CutRecord saved = piece_;
    const OrderResponse response = request_ == ui::FormRequest::Insert ? pieces.addPiece(position_, saved)
                                                                       : pieces.changePiece(loaded_, saved);
    if (response != OrderResponse::Done)
        return;   // the refusal was shown; the form stays open
    piece_ = saved;
    response_ = OrderResponse::Done;
    if (!context_.iniFile.isEmpty())
        layout::iniSaveWindow(*this, FormName, context_.iniFile);
    accept();
}

OrderResponse PieceForm::run(ui::WindowContext& context, ui::FormRequest request, const OrderProfileRecord& position,
                             CutRecord& piece, QWidget* parent)
{
    if (request == ui::FormRequest::Delete)
        return OrderPieces(context.database, context.services).removePiece(piece);
    CutRecord start = piece;
    if (request == ui::FormRequest::Insert) {
        start = CutRecord{};
        start.orderId = position.orderId;
        start.orderProfileId = position.id;
        start.profileId = position.profileId;
    }
    PieceForm form(context, request, position, start, parent);
    form.exec();
    if (form.response() == OrderResponse::Done)
        piece = form.piece();
    return form.response();
}

} // namespace orders
