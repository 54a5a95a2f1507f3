#include "stock/gui/PieceSectionsForm.h"

#include "global/Deform.h"
#include "global/Table.h"
#include "ui/form/RecordForm.h"
#include "ui/window/WindowContext.h"
#include "ui/window/WindowHost.h"

#include <cmath>
#include <limits>
#include <optional>

using global::CutRecord;
using global::Table;

namespace stock::gui {

namespace {

bool holdsDigit(const QString& text)
{
    for (const QChar c : text)
        if (c.isDigit())
            return true;
    return false;
}

// A section length as typed, or nothing when it is no whole number of millimetres from 0 up.
std::optional<uint32_t> sectionLength(double typed)
{
    if (typed < 0 || typed != std::trunc(typed) || typed > double(std::numeric_limits<uint32_t>::max()))
        return std::nullopt;
    return static_cast<uint32_t>(typed);
}

} // namespace

PieceSectionsEditor::PieceSectionsEditor(global::Database& db, global::Services services, const CutRecord& piece)
    : RecordEditorBase(services, ui::FormRequest::Change, PieceSectionsFormName, "PieceSectionsForm"), db_(db),
      piece_(piece)
{
}

bool PieceSectionsEditor::open()
{
    Table<CutRecord> cuts(db_);
    CutRecord current;
    current.id = piece_.id;
    if (const int code = cuts.fetch(Table<CutRecord>::Auto, current); code != 0) {
        services_.dialogs.message(
            tr("Błąd systemowy odwołania do zmienianego rekordu. Numer błędu = %1").arg(code));
        return false;
    }
    piece_ = current;
    sections_ = Sections{current.sectionPerc, current.lenght1, current.lenght2};
    switchOff_ = current.switchOffSection != 0;
    pieces_ = current.pcs;
    show();
    loadedTexts_ = texts_;
    return true;
}

void PieceSectionsEditor::show()
{
    texts_[Percentage] = QString::number(sections_.percentage, 'f', 2) + QStringLiteral(" %");
    texts_[First] = QString::number(sections_.first);
    texts_[Second] = QString::number(sections_.second);
    texts_[SwitchOff] = switchOff_ ? QStringLiteral("1") : QStringLiteral("0");
    texts_[Pieces] = QString::number(pieces_);
}

QString PieceSectionsEditor::title() const
{
    return tr("Podaj preferowany podział odcinka");
}

QList<ui::FormFieldInfo> PieceSectionsEditor::fieldInfos() const
{
    return {{QStringLiteral("R_CUT:SECTION_PERC"), QT_TRANSLATE_NOOP("PieceSectionsForm", "Podział procentowy"), 9},
            {QStringLiteral("R_CUT:LENGHT1"), QT_TRANSLATE_NOOP("PieceSectionsForm", "Odcinek 1"), 10},
            {QStringLiteral("R_CUT:LENGHT2"), QT_TRANSLATE_NOOP("PieceSectionsForm", "Odcinek 2"), 10},
            {QStringLiteral("R_CUT:SWITCH_OFF_SECTION"), QT_TRANSLATE_NOOP("PieceSectionsForm", "Wyłącz podział"), 0,
             false, ui::FormFieldInfo::Kind::Check},
            {QStringLiteral("LOC:PIECES_TO_CUT"), QT_TRANSLATE_NOOP("PieceSectionsForm", "Ilość sztuk:"), 10}};
}

void PieceSectionsEditor::setFieldText(int field, const QString& text)
{
    if (field < 0 || field >= FieldCount)
        return;
    if (texts_[field] != text && field != SwitchOff)
        pending_ = field;
    texts_[field] = text;
    if (field == SwitchOff)
        switchOff_ = text.trimmed() == QLatin1String("1");
}

bool PieceSectionsEditor::number(Field field, double& out)
{
    QString text = texts_.at(field).trimmed();
    if (field == Percentage && text.endsWith(QLatin1Char('%')))
        text.chop(1);
    if (!holdsDigit(text)) {
        services_.beeper.beep();
        return false;
    }
    out = global::deform(text.trimmed());
    return true;
}

bool PieceSectionsEditor::leaveField(int field)
{
    pending_ = -1;
    const uint32_t length = piece_.lenght;
    double value = 0;
    if (field == Pieces) {
        const bool read = number(Pieces, value);
        const bool fits = read && value >= 1 && value == std::trunc(value) && value <= double(piece_.pcs);
        pieces_ = fits ? piecesToCut(static_cast<uint32_t>(value), piece_.pcs) : piece_.pcs;
        if (read && !fits)
            services_.beeper.beep();
        show();
        return true;
    }
    if (field != Percentage && field != First && field != Second)
        return false;
    // A value beyond the piece clears all three with a beep (a text without a number has beeped).
    bool beyond = false;
    if (!number(Field(field), value)) {
        sections_ = Sections{};
    } else if (field == Percentage) {
        beyond = value < 0 || value > 100;
        sections_ = sectionsFromPercentage(length, value);
    } else {
        const std::optional<uint32_t> section = sectionLength(value);
        beyond = !section || *section > length;
        if (beyond)
            sections_ = Sections{};
        else
            sections_ = field == First ? sectionsFromFirst(length, *section) : sectionsFromSecond(length, *section);
    }
    if (beyond)
        services_.beeper.beep();
    show();
    return true;
}

bool PieceSectionsEditor::save()
{
    // The field typed last counts, also when the cursor never left it.
    if (pending_ >= 0)
        leaveField(pending_);
    if (!sectionsFit(sections_, piece_.lenght)) {
        refuse(tr("Odcinki %1 + %2 mm nie składają się na długość elementu %3 mm")
                   .arg(sections_.first)
                   .arg(sections_.second)
                   .arg(piece_.lenght),
               {}, First);
        return false;
    }
    CutRecord stored;
    if (saveSections(db_, services_, piece_.id, sections_, switchOff_, pieces_, stored) == SectionsResponse::Done) {
        stored_ = stored;
        response_ = ui::FormResponse::Done;
    } else {
        response_ = ui::FormResponse::Cancelled;   // the refusal has been shown
    }
    return true;
}

ui::FormResponse runPieceSectionsForm(ui::WindowContext& context, CutRecord& piece, QWidget* parent)
{
    PieceSectionsEditor editor(context.database, context.services, piece);
    if (!editor.open())
        return ui::FormResponse::Cancelled;
    ui::RecordForm form(context, editor, parent ? parent : (context.host ? context.host->modalParent() : nullptr));
    form.exec();
    if (editor.response() == ui::FormResponse::Done)
        piece = editor.stored();
    return editor.response();
}

} // namespace stock::gui
