#pragma once
// The piece form ORDERCUTUPD "Specyfikacja odcinka do wykonania": length, count, code, two
// descriptions, the block, and the division of the piece into two sections joined later, given as
// a percentage or as either section. Leaving one of the three section fields computes the other
// two; a value beyond the piece (or a percentage above 100) beeps and clears all three; a section
// that would come out 0 clears them too. A new length carries a division by percentage along.
// Saving goes through the order procedures (orders/OrderPieces.h).

#include "global/PieceSections.h"
#include "global/Records.h"
#include "orders/OrderWrites.h"
#include "ui/form/FormRequest.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace ui { struct WindowContext; }

namespace orders {

class PieceForm : public QDialog {
    Q_OBJECT
public:
    // request Insert: a new piece of the position; Change: the piece given.
    PieceForm(ui::WindowContext& context, ui::FormRequest request, const global::OrderProfileRecord& position,
              const global::CutRecord& piece, QWidget* parent = nullptr);

    // Runs the request: insert and change show the form, delete only deletes (no form). The piece
    // receives the stored one when the answer is Done.
    static OrderResponse run(ui::WindowContext& context, ui::FormRequest request,
                             const global::OrderProfileRecord& position, global::CutRecord& piece,
                             QWidget* parent = nullptr);

    OrderResponse response() const { return response_; }
    const global::CutRecord& piece() const { return piece_; }
    // The field's widget by its name: LENGHT, PCS, CODE, DESCRIPTION1, DESCRIPTION2, SECTION_PERC,
    // LENGHT1, LENGHT2.
    QLineEdit* field(const QString& name) const;
    QCheckBox* blockBox() const { return block_; }
    QCheckBox* switchOffBox() const { return switchOff_; }

    // As a person would: the text typed into a field and the field left.
    void enter(const QString& name, const QString& text);
    void pressSave();

private:
    void build();
    void showValues();
    void takeTexts();
    void lengthLeft();
    void percentageLeft();
    void firstLeft();
    void secondLeft();
    void takeSections(const global::Sections& sections, bool beyond);

    ui::WindowContext& context_;
    ui::FormRequest request_;
    global::OrderProfileRecord position_;
    global::CutRecord loaded_;
    global::CutRecord piece_;
    OrderResponse response_ = OrderResponse::Cancelled;
    QCheckBox* block_ = nullptr;
    QCheckBox* switchOff_ = nullptr;
};

} // namespace orders
