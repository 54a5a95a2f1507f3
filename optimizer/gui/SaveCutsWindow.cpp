#include "optimizer/gui/SaveCutsWindow.h"

#include "ui/form/RecordForm.h"
#include "ui/window/WindowContext.h"

#include <QCoreApplication>
#include <QWidget>

namespace kadrel {

namespace {

constexpr int DescriptionWidth = 80;
const QString DateFormat = QStringLiteral("yyyy-MM-dd");

// A typed date: 2026-03-17 or 17.03.2026.
QDate readDate(const QString& text)
{
    const QString trimmed = text.trimmed();
    for (const QString& format : {DateFormat, QStringLiteral("dd.MM.yyyy"), QStringLiteral("d.M.yyyy")}) {
        const QDate date = QDate::fromString(trimmed, format);
        if (date.isValid())
            return date;
    }
    return {};
}

} // namespace

SaveCutsEditor::SaveCutsEditor(global::Database& db, global::Services services, uint32_t profile,
                               const SolutionItemTable& bars, const SolutionSubitemTable& pieces,
                               const Statistics& statistics, CutListPrinter printCutList)
    : RecordEditorBase(services, ui::FormRequest::Insert, SaveCutsFormName, "SaveCuts"), db_(db), profile_(profile),
      bars_(bars), pieces_(pieces), statistics_(statistics), printCutList_(std::move(printCutList)),
      productionDate_(presetProductionDate(services.clock.now().date()).toString(DateFormat)),
      presetDate_(productionDate_)
{
}

QString SaveCutsEditor::title() const
{
    return QCoreApplication::translate("SaveCuts", "Zapis transakcji magazynowej / polecenia cięcia");
}

QList<ui::FormFieldInfo> SaveCutsEditor::fieldInfos() const
{
    return {{QStringLiteral("?LOC:DESCR"), QT_TRANSLATE_NOOP("SaveCuts", "Opis dodatkowy"), DescriptionWidth, false},
            {QStringLiteral("?LOC:PRODDATE"), QT_TRANSLATE_NOOP("SaveCuts", "Plan. data produkcji"), 10, false}};
}

QString SaveCutsEditor::fieldText(int field) const
{
    return field == Description ? description_ : productionDate_;
}

void SaveCutsEditor::setFieldText(int field, const QString& text)
{
    if (field == Description)
        description_ = text.left(DescriptionWidth);
    else
        productionDate_ = text;
}

bool SaveCutsEditor::isChanged() const
{
    return !description_.isEmpty() || productionDate_ != presetDate_;
}

bool SaveCutsEditor::save()
{
    const QDate date = readDate(productionDate_);
    if (!productionDate_.trimmed().isEmpty() && !date.isValid()) {
        refuse(QCoreApplication::translate("SaveCuts", "Planowana data produkcji \"%1\" nie jest datą (np. %2).")
                   .arg(productionDate_, presetDate_),
               {}, ProductionDate);
        return false;
    }
    result_ = saveCuts(db_, services_, profile_, bars_, pieces_, statistics_, AcceptanceEntry{description_, date},
                       printCutList_);
    response_ = result_.saved ? ui::FormResponse::Done : ui::FormResponse::Cancelled;
    return true;
}

AcceptanceResult saveCutsWindow(ui::WindowContext& context, uint32_t profile, const SolutionItemTable& bars,
                                const SolutionSubitemTable& pieces, const Statistics& statistics,
                                const CutListPrinter& printCutList, QWidget* parent)
{
    SaveCutsEditor editor(context.database, context.services, profile, bars, pieces, statistics, printCutList);
    ui::RecordForm form(context, editor, parent);
    if (QWidget* description = form.fieldWidget(SaveCutsEditor::Description))
        description->setToolTip(QCoreApplication::translate("SaveCuts", "Description for stock trans"));
    if (QWidget* date = form.fieldWidget(SaveCutsEditor::ProductionDate))
        date->setToolTip(QCoreApplication::translate("SaveCuts", "Production date"));
    form.exec();
    return editor.result();
}

} // namespace kadrel
