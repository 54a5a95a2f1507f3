#pragma once
// CUTSELECTEDPIECE, the form "Podaj preferowany podział odcinka": the join of a cut piece – the
// share of its first section in percent, or the two section lengths, or splitting switched off –
// for all or some of the pieces of one CUTS record (stock/PieceSections.h). Opened from the
// catalogue ("Definiuj łączenie").
//
// On leaving a field the other two follow it: the percentage gives the first section (cut towards
// zero) and the second the rest; either section gives the other and the percentage. A value beyond
// the piece (a percentage above 100) clears all three with a beep, and so does a section of 0. A
// number of pieces outside 1 .. the record's goes back to the record's with a beep. OK stores the
// join (splitting the record when it is for fewer pieces) and closes with response 1; a refusal of
// the stored piece (in production or cut, fewer pieces now) closes with response 2.
//
//   CutRecord piece = catalogue.currentPiece();
//   stock::gui::runPieceSectionsForm(context, piece);   // 1: piece holds the record with the join

#include "global/Records.h"
#include "stock/PieceSections.h"
#include "ui/form/RecordEditor.h"

#include <array>

class QWidget;

namespace ui { struct WindowContext; }

namespace stock::gui {

inline const QString PieceSectionsFormName = QStringLiteral("CutSelectedPiece");

class PieceSectionsEditor : public ui::RecordEditorBase {
    Q_DECLARE_TR_FUNCTIONS(PieceSectionsForm)
public:
    enum Field { Percentage, First, Second, SwitchOff, Pieces, FieldCount };

    PieceSectionsEditor(global::Database& db, global::Services services, const global::CutRecord& piece);

    bool open() override;
    QString title() const override;
    QList<ui::FormFieldInfo> fieldInfos() const override;
    QString fieldText(int field) const override { return texts_.at(field); }
    void setFieldText(int field, const QString& text) override;
    QString dittoText(int) const override { return {}; }
    bool isChanged() const override { return texts_ != loadedTexts_; }
    bool leaveField(int field) override;
    bool save() override;
    bool remove() override { return false; }

    const Sections& sections() const { return sections_; }
    uint32_t pieces() const { return pieces_; }
    // The record holding the join after a save.
    const global::CutRecord& stored() const { return stored_; }

private:
    void show();
    // The field's text as a number; false (and a beep) when it holds none.
    bool number(Field field, double& out);

    global::Database& db_;
    global::CutRecord piece_;
    global::CutRecord stored_;
    Sections sections_;
    bool switchOff_ = false;
    uint32_t pieces_ = 0;
    int pending_ = -1;   // the field typed into and not yet left
    std::array<QString, FieldCount> texts_;
    std::array<QString, FieldCount> loadedTexts_;
};

ui::FormResponse runPieceSectionsForm(ui::WindowContext& context, global::CutRecord& piece, QWidget* parent = nullptr);

} // namespace stock::gui
