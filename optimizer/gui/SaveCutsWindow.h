#pragma once
// SAVECUTS with its window "Zapis transakcji magazynowej / polecenia cięcia": the operator adds a
// description and the planned production date (offered as the next Tuesday or Thursday), and the
// save stores the selected solution as a cutting order and prints its summary cut list. Whatever
// the save's outcome, the window then closes; a failure has said that nothing was saved.

#include "optimizer/SolutionAcceptance.h"
#include "ui/form/RecordEditor.h"

#include <QDate>

class QWidget;

namespace ui { struct WindowContext; }

namespace kadrel {

// The rules of the window without its widgets: two fields, and the save.
class SaveCutsEditor : public ui::RecordEditorBase {
public:
    enum Field { Description = 0, ProductionDate = 1 };

    SaveCutsEditor(global::Database& db, global::Services services, uint32_t profile, const SolutionItemTable& bars,
                   const SolutionSubitemTable& pieces, const Statistics& statistics, CutListPrinter printCutList);

    bool open() override { return true; }
    QString title() const override;
    QList<ui::FormFieldInfo> fieldInfos() const override;
    QString fieldText(int field) const override;
    void setFieldText(int field, const QString& text) override;
    QString dittoText(int) const override { return {}; }
    bool isChanged() const override;
    // Runs the save (a production date that is no date is refused and the window stays open);
    // true once the save has run, whatever its outcome.
    bool save() override;
    bool remove() override { return false; }

    const AcceptanceResult& result() const { return result_; }

private:
    global::Database& db_;
    uint32_t profile_;
    const SolutionItemTable& bars_;
    const SolutionSubitemTable& pieces_;
    const Statistics& statistics_;
    CutListPrinter printCutList_;
    QString description_;
    QString productionDate_;
    QString presetDate_;
    AcceptanceResult result_;
};

inline const QString SaveCutsFormName = QStringLiteral("SaveCuts");

// Shows the window modally over parent and returns what the save wrote (saved = false when the
// operator cancelled or the save failed).
AcceptanceResult saveCutsWindow(ui::WindowContext& context, uint32_t profile, const SolutionItemTable& bars,
                                const SolutionSubitemTable& pieces, const Statistics& statistics,
                                const CutListPrinter& printCutList, QWidget* parent = nullptr);

} // namespace kadrel
