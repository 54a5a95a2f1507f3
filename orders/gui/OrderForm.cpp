#include "orders/gui/OrderForm.h"

#include "orders/OrderUpdate.h"
#include "ui/layout/WindowPlacement.h"
#include "ui/window/WindowContext.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace orders {

using namespace global;

namespace {

const QString FormName = QStringLiteral("OrderUpdate");

} // namespace

OrderForm::OrderForm(ui::WindowContext& context, ui::FormRequest request, const OrderRecord& order, QWidget* parent)
    : QDialog(parent), context_(context), request_(request), loaded_(order), order_(order)
{
    setObjectName(FormName);
    setWindowTitle(tr("Edycja rekordu zamówienia / zlecenia"));
    auto* form = new QFormLayout;
    const auto line = [this, form](const char* name, const QString& prompt, const QString& text, int width) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(width);
        form->addRow(prompt, edit);
        return edit;
    };
    line("NUMBER", tr("Numer zlec. / zamówienia"), order.number, 20)->setToolTip(tr("Numer sekwencji"));
    line("CUSTOMER", tr("Klient"), order.customer, 200);
    line("PROJECT", tr("Projekt / Kod kooperacji:"), order.project, 120);
    line("ETAP", tr("Etap:"), order.etap, 80);

    auto* buttons = new QDialogButtonBox(this);
    auto* save = buttons->addButton(tr("&Zapisz"), QDialogButtonBox::AcceptRole);
    save->setObjectName(QStringLiteral("SAVE"));
    auto* cancel = buttons->addButton(tr("&Anuluj"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CANCEL"));
    connect(save, &QPushButton::clicked, this, &OrderForm::pressSave);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    if (!context_.iniFile.isEmpty())
        layout::iniRestoreWindow(*this, FormName, context_.iniFile);
}

QLineEdit* OrderForm::field(const QString& name) const
{
    return findChild<QLineEdit*>(name);
}

void OrderForm::pressSave()
{
    OrderRecord edited = loaded_;
    edited.number = field(QStringLiteral("NUMBER"))->text();
    edited.customer = field(QStringLiteral("CUSTOMER"))->text();
    edited.project = field(QStringLiteral("PROJECT"))->text();
    edited.etap = field(QStringLiteral("ETAP"))->text();
    OrderUpdate update(context_.database, context_.services);
    const OrderResponse response =
        request_ == ui::FormRequest::Insert ? update.insert(edited) : update.change(loaded_, edited);
    if (response == OrderResponse::Duplicate) {
        // The form stays on the number; leaving it now answers Duplicate with this number.
        order_ = edited;
        response_ = OrderResponse::Duplicate;
        field(QStringLiteral("NUMBER"))->setFocus();
        return;
    }
    if (response != OrderResponse::Done) {
        if (update.lastMessage() == QStringLiteral("Wprowadź numer zlecenia / zamówienia"))
            field(QStringLiteral("NUMBER"))->setFocus();
        return;
    }
    order_ = edited;
    response_ = OrderResponse::Done;
    if (!context_.iniFile.isEmpty())
        layout::iniSaveWindow(*this, FormName, context_.iniFile);
    accept();
}

OrderResponse OrderForm::run(ui::WindowContext& context, ui::FormRequest request, OrderRecord& order, QWidget* parent)
{
    if (request == ui::FormRequest::Delete)
        return OrderUpdate(context.database, context.services).remove(order.id);
    OrderForm form(context, request, request == ui::FormRequest::Insert ? OrderRecord{} : order, parent);
    form.exec();
    if (form.response() != OrderResponse::Cancelled)
        order = form.order();
    return form.response();
}

} // namespace orders
