#include "global/CheckFormat.h"

#include "global/Records.h"
#include "global/Table.h"

#include <optional>

namespace global {

struct CheckFormat::Entry {
    QString type;
    QString name;
    std::optional<Formula> formula;   // none: no entry, or a blank formula
    FormulaResult readFailure;        // the map could not be read
    int problem = -1;                 // index into problems_ once the entry failed
};

CheckFormat::CheckFormat(Database& db) : db_(db) {}

CheckFormat::~CheckFormat() = default;

CheckFormat::Entry& CheckFormat::entry(const QString& name, const QString& type)
{
    const QString key = type.toUpper() + QLatin1Char('\n') + name.toUpper();
    auto found = entries_.constFind(key);
    if (found != entries_.cend())
        return *found.value();

    auto entry = std::make_shared<Entry>();
    entry->type = type;
    entry->name = name;
    Table<InterfaceMapRecord> map(db_);
    InterfaceMapRecord rec;
    rec.type = type;
    rec.internalName = name;
    const int code = map.fetch(Table<InterfaceMapRecord>::Auto, rec);
    if (code == 0 && !rec.formula.trimmed().isEmpty())
        entry->formula.emplace(rec.formula);
    else if (code != 0 && code != err::RecordNotFound) {
        entry->readFailure.errorCode = code;
        entry->readFailure.errorText =
            QStringLiteral("the table %1 cannot be read: %2").arg(map.tableName(), map.errorText());
    }
    entries_.insert(key, entry);
    return *entry;
}

QString CheckFormat::operator()(const QString& value, const QString& name, const QString& type)
{
    Entry& e = entry(name, type);
    if (!e.readFailure.ok())
        return failed(e, value, e.readFailure);
    if (!e.formula)
        return value;
    FormulaBindings names;
    names.bind(QStringLiteral("VAR"), value);
    const FormulaResult result = e.formula->evaluate(names);
    if (!result.ok())
        return failed(e, value, result);
    return result.value.toText();
}

QString CheckFormat::failed(Entry& entry, const QString& value, const FormulaResult& failure)
{
    if (entry.problem < 0) {
        // Keep the first failure of the entry; later values count under it.
        Problem problem;
        problem.type = entry.type;
        problem.name = entry.name;
        problem.formula = entry.formula ? entry.formula->text() : QString();
        problem.errorCode = failure.errorCode;
        problem.errorText = failure.errorText;
        entry.problem = int(problems_.size());
        problems_.append(problem);
    }
    ++problems_[entry.problem].values;
    return value;
}

QString CheckFormat::problemMessage() const
{
    QStringList lines;
    for (const Problem& p : problems_) {
        QString line = QStringLiteral("The field map entry %1 / %2").arg(p.type, p.name);
        if (!p.formula.isEmpty())
            line += QStringLiteral(" (formula %1)").arg(p.formula);
        line += QStringLiteral(" failed; %1 left unchanged. Error %2: %3")
                    .arg(p.values == 1 ? QStringLiteral("1 value") : QStringLiteral("%1 values").arg(p.values))
                    .arg(p.errorCode)
                    .arg(p.errorText);
        lines << line;
    }
    return lines.join(QLatin1Char('|'));
}

} // namespace global
