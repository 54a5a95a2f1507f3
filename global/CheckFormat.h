#pragma once
// CHECKFORMAT: a text reformatted through the import field map. The map entry of the given
// interface type and internal name (key AUTO of INTERFACE_MAP, letter case ignored) computes the
// new text with its formula, in which the name VAR stands for the old one.
//
//   CheckFormat checkFormat(db);                        // one per report or import run
//   for (...) line.descr = checkFormat(description, "DETR:Descr_1", "DETR");
//   if (checkFormat.hasProblems())
//       dialogs.message(checkFormat.problemMessage());  // once, after the whole report
//
// The value comes back unchanged when there is no entry, when its formula is blank, and when the
// formula fails; a failure (or a map that cannot be read) does not stop the caller but is kept, once
// per entry with the number of values it concerned, so that the caller reports it once. Entries
// are read once per object and their formulas read once.

#include "global/Database.h"
#include "global/Formula.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>

namespace global {

class CheckFormat {
public:
    explicit CheckFormat(Database& db);
    ~CheckFormat();
    CheckFormat(const CheckFormat&) = delete;
    CheckFormat& operator=(const CheckFormat&) = delete;

    QString operator()(const QString& value, const QString& name, const QString& type);

    struct Problem {
        QString type;
        QString name;
        QString formula;
        int errorCode = 0;   // a formula error (1100 ...) or a table error
        QString errorText;
        int values = 0;      // how many values it left unchanged
    };
    bool hasProblems() const { return !problems_.isEmpty(); }
    const QList<Problem>& problems() const { return problems_; }
    // One message naming every failed entry, lines separated by "|"; empty when nothing failed.
    QString problemMessage() const;

private:
    struct Entry;
    Entry& entry(const QString& name, const QString& type);
    QString failed(Entry& entry, const QString& value, const FormulaResult& failure);

    Database& db_;
    QHash<QString, std::shared_ptr<Entry>> entries_;   // by TYPE + "\n" + NAME, upper case
    QList<Problem> problems_;
};

} // namespace global
